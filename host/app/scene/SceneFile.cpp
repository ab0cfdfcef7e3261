#include "SceneFile.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "JsonFields.h"
#include "SceneBuilder.h"
#include "SceneCheck.h"
#include "SceneReader.h"
#include "SceneWriter.h"

namespace fs = std::filesystem;

namespace {

// Whether the user may write the file.
bool Writable(const fs::path& path) {
#ifdef _WIN32
    return _waccess(path.c_str(), 2) == 0;
#else
    return access(path.c_str(), W_OK) == 0;
#endif
}

// Closes a file opened for reading.
struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using InFile = std::unique_ptr<std::FILE, CloseFile>;

// The file opened for reading, with its size (0 when it has none), or null with `why` set.
InFile OpenForReading(const fs::path& path, size_t& size, std::string& why) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        why = "it is a folder";
        return nullptr;
    }
#ifdef _WIN32
    InFile file(_wfopen(path.c_str(), L"rb"));
#else
    InFile file(std::fopen(path.c_str(), "rb"));
#endif
    if (!file) {
        why = std::strerror(errno);
        return nullptr;
    }
    // One look at the file's size; a file that grows meanwhile is read to its end.
    const uintmax_t known = fs::file_size(path, ec);
    size = ec ? 0 : static_cast<size_t>(known);
    return file;
}

// Frees the models of large files on a thread of its own: their hundreds of thousands of small pieces
// would otherwise hold up the caller, who goes on with the scene just built. The next model to free, and
// the program's end, wait for it.
class ModelDisposer {
public:
    ~ModelDisposer() { Wait(); }
    void Dispose(SceneModel&& model) {
        Wait();
        try {
            thread_ =
                std::thread([m = std::make_unique<SceneModel>(std::move(model))]() mutable { m.reset(); });
        } catch (const std::system_error&) {  // no thread to be had: the model was freed here
        }
    }

private:
    void Wait() {
        if (thread_.joinable()) thread_.join();
    }
    std::thread thread_;
};

// Models of at least this many nodes and objects are freed aside.
constexpr size_t kFreeAsideSize = 1 << 14;

// Hands a large model to the disposer; a small one is left to its owner.
void FreeModel(SceneModel&& model) {
    if (model.nodes.size() + model.objects.size() < kFreeAsideSize) return;
    static ModelDisposer disposer;
    disposer.Dispose(std::move(model));
}

// Checks the whole model, then replaces the host's scene by it.
bool CheckAndBuild(SceneModel& model, std::string& error, std::vector<std::string>* warnings) {
    try {
        CheckScene(model);
        BuildScene(model, warnings);
    } catch (const SceneError& e) {
        error = e.what();
        return false;
    }
    error.clear();
    return true;
}

}  // namespace

bool LoadSceneText(const std::string& json, std::string& error, std::vector<std::string>* warnings) {
    if (warnings) warnings->clear();
    SceneModel model;
    try {
        model = ReadScene(json.data(), json.size());
    } catch (const SceneError& e) {
        error = e.what();
        return false;
    }
    return CheckAndBuild(model, error, warnings);
}

bool LoadScene(const std::string& utf8Path, std::string& error, const std::function<void(int)>& progress,
               std::vector<std::string>* warnings) {
    if (warnings) warnings->clear();
    SceneModel model;
    try {
        // The file is read as it is parsed, and closed before the scene is built.
        size_t size = 0;
        std::string why;
        const InFile file = OpenForReading(fs::u8path(utf8Path), size, why);
        if (!file) {
            error = "cannot open \"" + utf8Path + "\": " + why;
            return false;
        }
        model = ReadScene(file.get(), size, progress);
    } catch (const SceneError& e) {
        error = e.what();
        return false;
    } catch (const std::exception& e) {  // a failed read, or a path the file system cannot take
        error = "cannot open \"" + utf8Path + "\": " + e.what();
        return false;
    }
    const bool built = CheckAndBuild(model, error, warnings);
    FreeModel(std::move(model));
    return built;
}

std::string SaveSceneText() {
    std::string text;
    WriteScene([&](const std::string& piece) { text += piece; });
    return text;
}

bool SaveScene(const std::string& utf8Path, std::string& error, const std::function<void(int)>& progress) {
    StagedFile file(utf8Path);
    return file.Write(
               [&](std::ostream& out) {
                   WriteScene([&](const std::string& piece) { out << piece; }, progress);
               },
               error) &&
           file.Commit(error);
}

bool WriteFileWhole(const std::string& utf8Path, const std::string& text, std::string& error) {
    StagedFile file(utf8Path);
    return file.Write(
               [&](std::ostream& out) { out.write(text.data(), static_cast<std::streamsize>(text.size())); },
               error) &&
           file.Commit(error);
}

namespace {

// Temporary files being written. When the process is interrupted (SIGINT, SIGTERM) they are removed
// before it ends, as the signal's default action would have ended it: a killed tool leaves nothing behind.
// The handler only reads fixed buffers and calls unlink, which is safe in a signal handler.
#ifndef _WIN32
class InterruptCleanup {
public:
    static int Add(const std::string& path) {
        if (path.size() >= kPathMax) return -1;
        Install();
        for (int i = 0; i < kSlots; ++i) {
            if (used_[i]) continue;
            std::memcpy(paths_[i], path.c_str(), path.size() + 1);
            used_[i] = 1;
            return i;
        }
        return -1;
    }
    static void Remove(int slot) {
        if (slot >= 0 && slot < kSlots) used_[slot] = 0;
    }

private:
    static constexpr int kSlots = 64;
    static constexpr size_t kPathMax = 4096;
    static void Install() {
        static bool installed = false;
        if (installed) return;
        installed = true;
        for (int sig : {SIGINT, SIGTERM}) std::signal(sig, OnSignal);
    }
    static void OnSignal(int sig) {
        for (int i = 0; i < kSlots; ++i)
            if (used_[i]) unlink(paths_[i]);
        std::signal(sig, SIG_DFL);
        std::raise(sig);
    }
    static char paths_[kSlots][kPathMax];
    static volatile std::sig_atomic_t used_[kSlots];
};

char InterruptCleanup::paths_[InterruptCleanup::kSlots][InterruptCleanup::kPathMax];
volatile std::sig_atomic_t InterruptCleanup::used_[InterruptCleanup::kSlots];
#else
// Windows ends a console program on Ctrl+C in a thread of its own; the temporary file stays there.
class InterruptCleanup {
public:
    static int Add(const std::string&) { return -1; }
    static void Remove(int) {}
};
#endif

}  // namespace

StagedFile::StagedFile(std::string utf8Path) : path_(std::move(utf8Path)) {}

StagedFile::~StagedFile() { Drop(); }

void StagedFile::Drop() {
    std::error_code ec;
    if (!temp_.empty()) fs::remove(fs::u8path(temp_), ec);
    temp_.clear();
    InterruptCleanup::Remove(cleanup_);
    cleanup_ = -1;
}

bool StagedFile::Fail(const std::string& why, std::string& error) {
    error = "cannot write \"" + path_ + "\": " + why;
    Drop();
    return false;
}

// Writes beside the target, so that the rename stays on one file system; the random part keeps two
// writers of one file apart. A target that is there must be one the user may write, and its
// replacement gets its permissions.
bool StagedFile::Write(const std::function<void(std::ostream&)>& fill, std::string& error) {
    try {
        const fs::path target = fs::u8path(path_);
        std::error_code ec;
        const fs::file_status status = fs::status(target, ec);
        const bool exists = fs::exists(status);
        if (exists && fs::is_directory(status)) return Fail("it is a folder", error);
        if (exists && !Writable(target)) return Fail(std::strerror(EACCES), error);
        std::random_device random;
        fs::path temp = target;
        temp += fs::u8path("." + std::to_string(random()) + ".tmp");
        temp_ = temp.u8string();
        cleanup_ = InterruptCleanup::Add(temp.string());
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return Fail(std::strerror(errno), error);
        fill(out);
        out.close();
        if (!out) return Fail(std::strerror(errno), error);
        if (exists) {
            fs::permissions(temp, status.permissions(), ec);
            if (ec) return Fail(ec.message(), error);
        }
    } catch (const std::exception& e) {
        return Fail(e.what(), error);
    }
    return true;
}

bool StagedFile::Commit(std::string& error) {
    if (temp_.empty()) return Fail("nothing was written", error);
    std::error_code ec;
    fs::rename(fs::u8path(temp_), fs::u8path(path_), ec);
    if (ec) return Fail(ec.message(), error);
    temp_.clear();
    InterruptCleanup::Remove(cleanup_);
    cleanup_ = -1;
    error.clear();
    return true;
}
