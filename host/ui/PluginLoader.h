#pragma once

// The host's loader of plug-in modules (Windows build only): each module is loaded with LoadLibraryW
// alone, its six exports are looked up by name, and its class descriptors are registered with the host
// under the module's file name as product.
#include <string>
#include <vector>

#include "WindowsDefines.h"
#include "coreexp.h"

namespace HostUi {

struct PluginModule {
    std::wstring file;         // the module's file name, also the product its classes are registered under
    std::wstring description;  // LibDescription
    int numClasses;            // LibNumberClasses
    BOOL canAutoDefer;         // CanAutoDefer; the host loads every module at once anyway
};

// Loads one module. A module that lacks one of the exports, was built for another SDK version or fails
// to initialise is refused and unloaded: the answer is false and error says why.
CoreExport bool LoadPluginModule(const std::wstring& path, std::wstring& error);
// Loads every *.dlu of folder (the program's own folder when empty), in name order; answers the errors
// of the modules refused.
CoreExport std::vector<std::wstring> LoadPluginFolder(const std::wstring& folder = std::wstring());
CoreExport const std::vector<PluginModule>& PluginModules();

}  // namespace HostUi
