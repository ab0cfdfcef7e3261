#pragma once

#include <string>
#include <vector>

// `tvl3host ui [SCENE]`: the host's window with the scene, the command panel and the plug-ins of the
// program's folder. A hidden option, `--screenshots DIR`, runs the screenshot script (Screenshots.h) and
// quits. args are the command's arguments after "ui"; the Windows build reads them again from the command
// line, in UTF-16.
int RunUiCommand(const std::vector<std::string>& args);
