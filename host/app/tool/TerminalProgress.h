#pragma once

#include <cstdio>

#include "hostcore.h"

// Draws the host's progress bar on a terminal: one line that is redrawn as the percentage grows.
// It stays silent when the stream is not a terminal.
class TerminalProgress : public ProgressSink {
public:
    explicit TerminalProgress(FILE* stream);
    void OnStart(const MCHAR* title) override;
    void OnUpdate(int pct, const MCHAR* title) override;
    void OnEnd() override;

    // The same bar for the tool's own phases, such as reading and writing scene files.
    void Show(const char* label, int pct);

private:
    FILE* stream_;
    bool active_;
    int shown_ = -1;
    const char* label_ = nullptr;
};
