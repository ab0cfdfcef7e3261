// The material/map browser: what it lists for each filter, and what each way of closing it answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostTestObjects.h"
#include "HostUi.h"
#include "hostcore.h"

namespace {

// A material whose second reference is its map.
class MappedMtl : public BoxMtl {
public:
    int NumSubTexmaps() override { return 1; }
    Texmap* GetSubTexmap(int i) override { return i == 0 ? dynamic_cast<Texmap*>(GetReference(1)) : nullptr; }
};

template <class T>
T* Named(T* m, const wchar_t* name) {
    m->SetName(name);
    return m;
}

enum class Close { Ok, DoubleClick, CancelButton, Escape, CloseBox };

// What the hook does with the browser, and what it saw there.
struct Driver {
    Close close = Close::Ok;
    int pick = 0;
    std::vector<std::wstring> listed;
} driver;

LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    HWND dlg = reinterpret_cast<HWND>(wParam);
    wchar_t cls[16] = L"", caption[64] = L"";
    GetClassNameW(dlg, cls, 16);
    GetWindowTextW(dlg, caption, 64);
    if (code == HCBT_ACTIVATE && std::wstring(cls) == L"#32770" &&
        std::wstring(caption) == HOST_BROWSER_CAPTION) {
        HWND list = GetDlgItem(dlg, HostUi::kBrowserList);
        driver.listed.clear();
        for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t text[128] = L"";
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            driver.listed.push_back(text);
        }
        SendMessageW(list, LB_SETCURSEL, driver.pick, 0);
        RECT item;
        SendMessageW(list, LB_GETITEMRECT, driver.pick, reinterpret_cast<LPARAM>(&item));
        switch (driver.close) {
            case Close::Ok:
                PostMessageW(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
                break;
            case Close::DoubleClick:
                PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 2, item.top + 2));
                break;
            case Close::CancelButton:
                PostMessageW(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
                break;
            case Close::Escape:
                PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
                break;
            case Close::CloseBox:
                PostMessageW(dlg, WM_CLOSE, 0, 0);
                break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MaterialBrowser, ListsTheScenesMaterialsAndMapsAndAnswersTheChoice) {
    HostCore& host = HostCore::Get();
    host.ResetScene();
    auto* outer = Named(new MappedMtl, L"Outer");
    outer->ReplaceReference(0, Named(new BoxMtl, L"Inner"));
    outer->ReplaceReference(1, Named(new BoxMap, L"Checker"));
    host.CreateNode(L"a")->SetMtl(outer);
    host.CreateNode(L"b")->SetMtl(static_cast<Mtl*>(outer->GetReference(0)));
    host.SetMtlSlot(3, Named(new BoxMtl, L"Slot"));
    host.SetMtlSlot(5, outer);

    const std::vector<std::wstring> all = {L"Outer (RefBox)", L"Inner (RefBox)", L"Checker (RefBox)",
                                           L"Slot (RefBox)"};
    const std::vector<std::wstring> mtls = {L"Outer (RefBox)", L"Inner (RefBox)", L"Slot (RefBox)"};
    const std::vector<std::wstring> noneAndMtls = {L"None", L"Outer (RefBox)", L"Inner (RefBox)",
                                                   L"Slot (RefBox)"};
    const struct {
        DWORD flags;
        Close close;
        int pick;
        std::vector<std::wstring> listed;
        const wchar_t* chosen;  // null: no object
        BOOL cancel;
    } cases[] = {
        {0, Close::Ok, 2, all, L"Checker", FALSE},
        {BROWSE_MATSONLY, Close::DoubleClick, 2, mtls, L"Slot", FALSE},
        {BROWSE_MAPSONLY, Close::Ok, 0, {L"Checker (RefBox)"}, L"Checker", FALSE},
        {BROWSE_MATSONLY | BROWSE_INCNONE, Close::Ok, 0, noneAndMtls, nullptr, FALSE},
        {0, Close::CancelButton, 1, all, nullptr, TRUE},
        {0, Close::Escape, 1, all, nullptr, TRUE},
        {0, Close::CloseBox, 1, all, nullptr, TRUE},
    };
    HHOOK hook = SetWindowsHookExW(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(i);
        driver = {c.close, c.pick, {}};
        BOOL newMat = TRUE, cancel = !c.cancel;
        MtlBase* chosen = host.DoMaterialBrowseDlg(nullptr, c.flags, newMat, cancel);
        EXPECT_EQ(driver.listed, c.listed);
        EXPECT_EQ(chosen ? std::wstring(chosen->GetName().data()) : L"(null)",
                  c.chosen ? c.chosen : L"(null)");
        EXPECT_EQ(cancel, c.cancel);
        EXPECT_FALSE(newMat);
    }
    UnhookWindowsHookEx(hook);
    host.ResetScene();
}

}  // namespace
