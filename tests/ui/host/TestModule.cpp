// A plug-in module for the loader's tests, built in several variants (see CMakeLists.txt): two public
// utilities, a hidden one and a material class. Every descriptor answers its name in one shared buffer,
// as some plug-ins do, so a host that kept the pointer would show one name for all.
#include "DialogTemplate.h"
#include "maxapi.h"
#include "plugapi.h"
#include "utilapi.h"

#ifndef TEST_MODULE_VERSION
#define TEST_MODULE_VERSION VERSION_3DSMAX
#endif
#ifndef TEST_MODULE_INITIALIZES
#define TEST_MODULE_INITIALIZES TRUE
#endif

namespace {

HINSTANCE module = nullptr;
MCHAR sharedName[64];
int begins = 0, ends = 0;
constexpr WORD kCloseId = 300;  // the utility's own button, which closes it through IUtil

class TestUtility : public UtilityObj {
public:
    explicit TestUtility(const MCHAR* title) : title_(title) {}
    void BeginEditParams(Interface* ip, IUtil* iu) override {
        ++begins;
        iu_ = iu;
        DialogTemplate tmpl(WS_CHILD | WS_VISIBLE, 100, 24);
        tmpl.Add(L"BUTTON", kCloseId, L"Done", 4, 4, 50, 14);
        page_ = ip->AddRollupPage(module, tmpl.Get(), Proc, title_, reinterpret_cast<LPARAM>(this));
    }
    void EndEditParams(Interface* ip, IUtil*) override {
        ++ends;
        ip->DeleteRollupPage(page_);
        page_ = nullptr;
    }
    void DeleteThis() override {}

private:
    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            return TRUE;
        }
        if (msg == WM_COMMAND && LOWORD(wParam) == kCloseId) {
            reinterpret_cast<TestUtility*>(GetWindowLongPtrW(dlg, DWLP_USER))->iu_->CloseUtility();
            return TRUE;
        }
        return FALSE;
    }
    const MCHAR* title_;
    IUtil* iu_ = nullptr;
    HWND page_ = nullptr;
};

TestUtility alpha(L"Alpha Utility"), beta(L"Beta Utility"), hidden(L"Hidden Utility");

class TestDesc : public ClassDesc {
public:
    TestDesc(const MCHAR* name, SClass_ID sid, ULONG id, int isPublic, TestUtility* util)
        : name_(name), sid_(sid), id_(id), public_(isPublic), util_(util) {}
    int IsPublic() override { return public_; }
    void* Create(BOOL) override { return util_; }
    const MCHAR* ClassName() override {
        lstrcpynW(sharedName, name_, 64);
        return sharedName;
    }
    SClass_ID SuperClassID() override { return sid_; }
    Class_ID ClassID() override { return Class_ID(0x7E5701F0, id_); }
    const MCHAR* Category() override { return L"Tests"; }

private:
    const MCHAR* name_;
    SClass_ID sid_;
    ULONG id_;
    int public_;
    TestUtility* util_;
};

TestDesc descs[] = {
    {L"Alpha Utility", UTILITY_CLASS_ID, 1, TRUE, &alpha},
    {L"Hidden Utility", UTILITY_CLASS_ID, 2, FALSE, &hidden},
    {L"Some Material", MATERIAL_CLASS_ID, 3, TRUE, nullptr},
    {L"Beta Utility", UTILITY_CLASS_ID, 4, TRUE, &beta},
};
constexpr int kNumDescs = sizeof descs / sizeof descs[0];

}  // namespace

extern "C" {
__declspec(dllexport) const MCHAR* LibDescription() { return L"Loader test module"; }
__declspec(dllexport) int LibNumberClasses() { return kNumDescs; }
__declspec(dllexport) ClassDesc* LibClassDesc(int i) { return i >= 0 && i < kNumDescs ? &descs[i] : nullptr; }
__declspec(dllexport) ULONG LibVersion() { return TEST_MODULE_VERSION; }
__declspec(dllexport) int LibInitialize() { return TEST_MODULE_INITIALIZES; }
#ifndef TEST_MODULE_NO_CANAUTODEFER
__declspec(dllexport) ULONG CanAutoDefer() { return 0; }
#endif
// For the tests: how often the utilities were opened and closed.
__declspec(dllexport) void TestModuleCounts(int* b, int* e) {
    *b = begins;
    *e = ends;
}
}

BOOL WINAPI DllMain(HINSTANCE h, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) module = h;
    return TRUE;
}
