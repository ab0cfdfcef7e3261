#include <iostream>

#include "UiCommand.h"

int RunUiCommand(const std::vector<std::string>&) {
    std::cerr << "tvl3host ui: the window needs the Windows build (cmake --preset windows, or scripts/ui)\n";
    return 2;
}
