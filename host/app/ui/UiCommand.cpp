// `tvl3host ui`: the host's window. Startup order: the stand-in products, the main window (the plug-ins'
// main window from then on), the plug-in modules of the program's folder, the Utilities page, the scene.
#include "UiCommand.h"

#include "HostUi.h"  // the window system first: shellapi.h needs it

#include <shellapi.h>

#include <cstdio>

#include "MainWindow.h"
#include "PluginLoader.h"
#include "Products.h"
#include "Screenshots.h"
#include "hostcore.h"

namespace {

const char kUiUsage[] =
    "usage: tvl3host ui [SCENE]\n"
    "\n"
    "Opens the host's window: the scene's render effects and materials, the File and Edit menus,\n"
    "and the command panel with the utilities of the plug-in modules (*.dlu) beside the program.\n";

}  // namespace

int RunUiCommand(const std::vector<std::string>&) {
    // The arguments again, in UTF-16: a scene's path may hold any character.
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args(argv + (argc > 2 ? 2 : argc), argv + argc);
    LocalFree(argv);
    std::wstring scene, shotsDir;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"-h" || args[i] == L"--help") {
            std::fputs(kUiUsage, stdout);
            return 0;
        }
        if (args[i] == L"--screenshots" && i + 1 < args.size()) {
            shotsDir = args[++i];
        } else if (args[i].empty() || args[i][0] == L'-' || !scene.empty()) {
            std::fprintf(stderr, "tvl3host ui: unexpected argument \"%s\"\n%s", ToUtf8(args[i]).c_str(),
                         kUiUsage);
            return 2;
        } else {
            scene = args[i];
        }
    }
    const bool quiet = !shotsDir.empty();  // the script answers no message box

    RegisterStandInProducts();
    MainWindow window;
    if (!window.Create()) {
        std::fputs("tvl3host ui: cannot create the main window (is there a display?)\n", stderr);
        return 1;
    }
    window.SetQuiet(quiet);
    std::wstring refused;
    for (const std::wstring& e : HostUi::LoadPluginFolder()) refused += e + L"\n";
    HostUi::ShowUtilitiesPage();
    ShowWindow(window.Hwnd(), SW_SHOW);
    UpdateWindow(window.Hwnd());
    if (!refused.empty()) window.ShowError(L"Plug-in modules not loaded:\n" + refused);
    if (!scene.empty() && !window.Open(scene) && quiet) return 1;

    const int code = quiet ? RunScreenshots(window, shotsDir) : window.Run();
    // The host shuts down before the plug-ins' state goes.
    HostCore::Get().ResetScene(NOTIFY_SYSTEM_SHUTDOWN);
    return code;
}
