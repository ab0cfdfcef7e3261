// Loading plug-in modules: nothing of a plug-in is known at link time, only the names of its exports.
#include "PluginLoader.h"

#include <algorithm>

#include "hostcore.h"

namespace {

typedef const MCHAR* (*LibDescriptionFn)();
typedef int (*LibNumberClassesFn)();
typedef ClassDesc* (*LibClassDescFn)(int);
typedef ULONG (*LibVersionFn)();
typedef int (*LibInitializeFn)();
typedef ULONG (*CanAutoDeferFn)();

struct Exports {
    LibDescriptionFn description;
    LibNumberClassesFn numberClasses;
    LibClassDescFn classDesc;
    LibVersionFn version;
    LibInitializeFn initialize;
    CanAutoDeferFn canAutoDefer;
};

std::vector<HostUi::PluginModule> modules;
std::vector<HMODULE> handles;

std::wstring FileName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring Hex(ULONG v) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(v));
    return text;
}

bool Resolve(HMODULE m, Exports& e, std::wstring& missing) {
    // The exports' names, in the order of the members of Exports.
    const char* const names[] = {"LibDescription", "LibNumberClasses", "LibClassDesc",
                                 "LibVersion",     "LibInitialize",    "CanAutoDefer"};
    FARPROC found[6];
    for (int i = 0; i < 6; ++i) {
        found[i] = GetProcAddress(m, names[i]);
        if (!found[i]) {
            missing = std::wstring(names[i], names[i] + strlen(names[i]));
            return false;
        }
    }
    e = {reinterpret_cast<LibDescriptionFn>(found[0]), reinterpret_cast<LibNumberClassesFn>(found[1]),
         reinterpret_cast<LibClassDescFn>(found[2]),   reinterpret_cast<LibVersionFn>(found[3]),
         reinterpret_cast<LibInitializeFn>(found[4]),  reinterpret_cast<CanAutoDeferFn>(found[5])};
    return true;
}

}  // namespace

bool HostUi::LoadPluginModule(const std::wstring& path, std::wstring& error) {
    const std::wstring file = FileName(path);
    HMODULE m = LoadLibraryW(path.c_str());
    if (!m) {
        error = file + L": cannot be loaded (error " + std::to_wstring(GetLastError()) + L")";
        return false;
    }
    if (std::find(handles.begin(), handles.end(), m) != handles.end()) {
        FreeLibrary(m);  // loaded already: this only dropped the count just taken
        return true;
    }
    Exports e;
    std::wstring missing;
    if (!Resolve(m, e, missing)) {
        error = file + L": not a plug-in module, it does not export " + missing;
    } else if (e.version() != VERSION_3DSMAX) {
        error = file + L": built for SDK version " + Hex(e.version()) + L", the host needs " +
                Hex(VERSION_3DSMAX);
    } else if (!e.initialize()) {
        error = file + L": LibInitialize failed";
    } else {
        // The description is copied at once: a module may answer it in a buffer of its own.
        const MCHAR* description = e.description();
        PluginModule loaded = {file, description ? description : L"", e.numberClasses(),
                               e.canAutoDefer() != 0};
        for (int i = 0; i < loaded.numClasses; ++i)
            if (ClassDesc* desc = e.classDesc(i)) HostCore::Get().AddClass(desc, file.c_str());
        modules.push_back(loaded);
        handles.push_back(m);
        return true;
    }
    FreeLibrary(m);
    return false;
}

std::vector<std::wstring> HostUi::LoadPluginFolder(const std::wstring& folder) {
    std::wstring dir = folder;
    if (dir.empty()) {
        wchar_t exe[MAX_PATH];
        const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
        dir.assign(exe, n);
        dir.erase(dir.find_last_of(L"\\/") + 1);
    } else if (dir.back() != L'\\' && dir.back() != L'/') {
        dir += L'\\';
    }
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"*.dlu").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(files.begin(), files.end());
    std::vector<std::wstring> errors;
    for (const std::wstring& f : files) {
        std::wstring error;
        if (!LoadPluginModule(dir + f, error)) errors.push_back(error);
    }
    return errors;
}

const std::vector<HostUi::PluginModule>& HostUi::PluginModules() { return modules; }
