#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "ClassesCommand.h"
#include "ConvertCommand.h"
#include "FormatCommand.h"
#include "MtlConverterState.h"
#include "Products.h"
#include "UiCommand.h"
#include "WarmHeap.h"
#include "hostcore.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const char kUsage[] =
    "usage: tvl3host COMMAND ...\n"
    "\n"
    "  convert SCENE -o OUT [options]   convert the scene's materials to Tavelin 3 and write the result\n"
    "  convert SCENE|FOLDER... --out-dir DIR [-j N] [options]\n"
    "                                   convert many scenes, each on its own\n"
    "  format SCENE -o OUT              load the scene and save it in its canonical form, with no run\n"
    "  classes [NAME] [--markdown]      the classes a scene file can name, their blocks and parameters\n"
    "  ui [SCENE]                       open the host's window (Windows build)\n"
    "  help [convert|format|classes]    this text, or the options of a command\n"
    "\n"
    "A scene is a JSON scene file (docs/scene-format.md).\n";

// The running program, for the worker processes of a batch.
std::string ThisProgram(const char* argv0) {
#ifdef _WIN32
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return std::filesystem::path(path).u8string();
#else
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.u8string();
#endif
    return argv0;
}

// Ends a command that loaded a scene once its outputs are written and flushed. The scene and its undo
// records are hundreds of thousands of small objects; freeing them one by one takes about as long as the
// material run, so the tool leaves its memory to the system at once. Only the tool's exit does this: the
// library frees a scene normally (ResetScene), and the tests do so.
[[noreturn]] void ExitWithoutTeardown(int code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(code);
}

int UsageError(const std::string& message, const char* helpTopic) {
    std::cerr << "tvl3host" << (*helpTopic ? " " : "") << helpTopic << ": " << message << "\n"
              << "Run 'tvl3host help" << (*helpTopic ? " " : "") << helpTopic << "' for help.\n";
    return 2;
}

int Format(const std::vector<std::string>& args) {
    FormatRequest req;
    std::string error;
    bool help = false;
    if (!ParseFormatArgs(args, req, error, &help)) return UsageError(error, "format");
    if (help) {
        std::cout << FormatUsage();
        return 0;
    }
    RegisterStandInProducts();
    ExitWithoutTeardown(RunFormatCommand(req, std::cout, std::cerr));
}

int Classes(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "-h" || a == "--help") {
            std::cout << ClassesUsage();
            return 0;
        }
    RegisterStandInProducts();
    int code = RunClassesCommand(args, std::cout, std::cerr);
    HostCore::Get().ResetScene(NOTIFY_SYSTEM_SHUTDOWN);
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    StartWarmHeap();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return UsageError("no command given", "");
    if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
        if (args.size() == 1) {
            std::cout << kUsage;
            return 0;
        }
        if (args.size() == 2 && args[1] == "convert") {
            std::cout << ConvertUsage();
            return 0;
        }
        if (args.size() == 2 && args[1] == "format") {
            std::cout << FormatUsage();
            return 0;
        }
        if (args.size() == 2 && args[1] == "classes") {
            std::cout << ClassesUsage();
            return 0;
        }
        return UsageError("no help on \"" + args[1] + "\" (topics: convert, format, classes)", "");
    }
    if (args[0] == "format") return Format(std::vector<std::string>(args.begin() + 1, args.end()));
    if (args[0] == "classes") return Classes(std::vector<std::string>(args.begin() + 1, args.end()));
    if (args[0] == "ui") return RunUiCommand(std::vector<std::string>(args.begin() + 1, args.end()));
    if (args[0] != "convert") return UsageError("unknown command \"" + args[0] + "\"", "");

    ConvertRequest req;
    std::string error;
    bool help = false;
    if (!ParseConvertArgs(std::vector<std::string>(args.begin() + 1, args.end()), req, error, &help))
        return UsageError(error, "convert");
    if (help) {
        std::cout << ConvertUsage();
        return 0;
    }
    RegisterStandInProducts();
    RegisterMtlConverterNotifications();
    ExitWithoutTeardown(RunConvertBatch(req, ThisProgram(argv[0]), std::cout, std::cerr));
}
