#include <iostream>
#include <string>
#include <vector>

#include "ConvertCommand.h"
#include "MtlConverterState.h"
#include "Products.h"
#include "hostcore.h"

namespace {

const char kUsage[] =
    "usage: tvl3host COMMAND ...\n"
    "\n"
    "  convert SCENE -o OUT [options]   convert the scene's materials to Tavelin 3 and write the result\n"
    "  help [convert]                   this text, or the options of convert\n"
    "\n"
    "A scene is a JSON scene file (docs/scene-format.md).\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
        if (args.size() > 1 && args[1] == "convert")
            std::cout << ConvertUsage();
        else
            std::cout << kUsage;
        return args.empty() ? 2 : 0;
    }

    RegisterStandInProducts();
    RegisterMtlConverterNotifications();
    int code = 2;
    if (args[0] == "convert") {
        ConvertRequest req;
        std::string error;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (!ParseConvertArgs(rest, req, error)) {
            std::cerr << "tvl3host convert: " << error << "\n" << ConvertUsage();
            return 2;
        }
        code = RunConvertCommand(req, std::cout, std::cerr);
    } else {
        std::cerr << "tvl3host: unknown command " << args[0] << "\n" << kUsage;
    }
    // The host shuts down before the plug-in's state goes.
    HostCore::Get().ResetScene(NOTIFY_SYSTEM_SHUTDOWN);
    return code;
}
