#include "PluginModule.h"

#include <gtest/gtest.h>

namespace {

template <class F>
void Find(HMODULE module, const char* name, F& f) {
    f = reinterpret_cast<F>(GetProcAddress(module, name));
    EXPECT_NE(f, nullptr) << name << " is not exported";
}

std::vector<NotifyRegistration> RegistrationsOf(HMODULE module) {
    std::vector<NotifyRegistration> out;
    for (const NotifyRegistration& r : NotifyRegistrations()) {
        HMODULE owner = nullptr;
        GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(r.proc), &owner);
        if (owner && owner == module) out.push_back(r);
    }
    return out;
}

PluginModule Load() {
    PluginModule p{};
    p.module = LoadLibraryW(L"Tavelin3_Converter.dlu");
    if (!p.module) {
        ADD_FAILURE() << "Tavelin3_Converter.dlu not loaded (error " << GetLastError() << ")";
        return p;
    }
    Find(p.module, "LibDescription", p.LibDescription);
    Find(p.module, "LibNumberClasses", p.LibNumberClasses);
    Find(p.module, "LibClassDesc", p.LibClassDesc);
    Find(p.module, "LibVersion", p.LibVersion);
    Find(p.module, "LibInitialize", p.LibInitialize);
    Find(p.module, "CanAutoDefer", p.CanAutoDefer);
    p.registrationsBeforeFirstCall = RegistrationsOf(p.module).size();
    p.firstClassDesc = p.LibClassDesc ? p.LibClassDesc(0) : nullptr;
    return p;
}

}  // namespace

const PluginModule& Plugin() {
    static const PluginModule plugin = Load();
    return plugin;
}

std::vector<NotifyRegistration> PluginRegistrations() { return RegistrationsOf(Plugin().module); }

namespace {

struct PanelSearch {
    int controlId;
    const wchar_t* controlClass;
    HWND found;
};

// Answers FALSE, to stop the walk, once found.
BOOL CALLBACK CheckWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<PanelSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(GetDlgItem(window, search->controlId), name, 64);
    if (lstrcmpiW(name, search->controlClass) == 0) search->found = window;
    return search->found == nullptr;
}

// A top-level window and everything below it.
BOOL CALLBACK SearchPanel(HWND window, LPARAM param) {
    if (CheckWindow(window, param)) EnumChildWindows(window, CheckWindow, param);
    return reinterpret_cast<PanelSearch*>(param)->found == nullptr;
}

}  // namespace

HWND FindPanel(int controlId, const wchar_t* controlClass) {
    PanelSearch search{controlId, controlClass, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), SearchPanel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

UtilityObj* PluginUtility(int i) {
    ClassDesc* d = Plugin().LibClassDesc ? Plugin().LibClassDesc(i) : nullptr;
    return d ? static_cast<UtilityObj*>(d->Create()) : nullptr;
}
