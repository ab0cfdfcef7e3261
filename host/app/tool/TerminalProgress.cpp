#include "TerminalProgress.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

TerminalProgress::TerminalProgress(FILE* stream) : stream_(stream), active_(isatty(fileno(stream)) != 0) {}

void TerminalProgress::OnStart(const MCHAR*) { shown_ = -1; }

void TerminalProgress::OnUpdate(int pct, const MCHAR*) { Show("Converting materials", pct); }

void TerminalProgress::Show(const char* label, int pct) {
    if (label != label_) {
        OnEnd();
        label_ = label;
    }
    if (!active_ || pct == shown_) return;
    shown_ = pct;
    int filled = pct * 30 / 100;
    std::fprintf(stream_, "\r%-20s [%-30.*s] %3d%%", label, filled, "==============================", pct);
    std::fflush(stream_);
}

void TerminalProgress::OnEnd() {
    if (active_ && shown_ >= 0) std::fprintf(stream_, "\n");
    shown_ = -1;
    label_ = nullptr;
}
