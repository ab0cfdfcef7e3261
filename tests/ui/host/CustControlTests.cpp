// The custom controls as a plug-in's dialog meets them: created from a template that names their classes,
// reached through their interfaces, and talking to the dialog as the system's own controls do.
#include <gtest/gtest.h>

#include <string>

#include "DialogRecord.h"
#include "HostUi.h"
#include "custcont.h"

namespace {

enum : WORD { kButton = 100, kEdit, kPlainButton, kPlainEdit };

class CustControls : public ::testing::Test {
protected:
    void SetUp() override {
        DialogTemplate tmpl(WS_POPUP | WS_CAPTION, 200, 80, L"controls");
        tmpl.Add(CUSTBUTTONWINDOWCLASS, kButton, L"Go", 4, 4, 60, 14)
            .Add(CUSTEDITWINDOWCLASS, kEdit, L"", 4, 22, 100, 12)
            .Add(L"BUTTON", kPlainButton, L"Plain", 4, 40, 60, 14)
            .Add(L"EDIT", kPlainEdit, L"", 4, 58, 100, 12);
        dlg_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl.Get(), nullptr, RecordingDlgProc,
                                          reinterpret_cast<LPARAM>(&rec_));
        ASSERT_NE(dlg_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(dlg_);
        EXPECT_EQ(HostUi::NumHeldControls(), 0);
    }
    HWND Item(WORD id) const { return GetDlgItem(dlg_, id); }

    DialogRecord rec_;
    HWND dlg_ = nullptr;
};

TEST_F(CustControls, InterfacesAnswerOnlyForTheirOwnClass) {
    const struct {
        WORD id;
        bool button, edit;
    } cases[] = {{kButton, true, false},
                 {kEdit, false, true},
                 {kPlainButton, false, false},
                 {kPlainEdit, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        ICustButton* b = GetICustButton(Item(c.id));
        ICustEdit* e = GetICustEdit(Item(c.id));
        EXPECT_EQ(b != nullptr, c.button);
        EXPECT_EQ(e != nullptr, c.edit);
        if (b) {
            EXPECT_EQ(b->GetHwnd(), Item(c.id));
            ReleaseICustButton(b);
        }
        if (e) {
            EXPECT_EQ(e->GetHwnd(), Item(c.id));
            ReleaseICustEdit(e);
        }
    }
    EXPECT_EQ(GetICustButton(nullptr), nullptr);
    EXPECT_EQ(GetICustEdit(dlg_), nullptr);
}

TEST_F(CustControls, EditCopiesAtMostCtCharactersWithTheTerminator) {
    const struct {
        int ct;
        const wchar_t* expected;
    } cases[] = {{1, L""}, {4, L"エディ"}, {7, L"エディット"}, {32, L"エディット"}};
    ICustEdit* edit = GetICustEdit(Item(kEdit));
    ASSERT_NE(edit, nullptr);
    edit->SetText(L"エディット");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ct);
        wchar_t buf[40];
        wmemset(buf, L'#', 40);
        edit->GetText(buf, c.ct);
        EXPECT_EQ(std::wstring(buf), c.expected);
        EXPECT_EQ(buf[c.ct], L'#');  // nothing written past ct
    }
    ReleaseICustEdit(edit);
}

TEST_F(CustControls, EnableAndDisableChangeTheWindow) {
    ICustButton* button = GetICustButton(Item(kButton));
    ICustEdit* edit = GetICustEdit(Item(kEdit));
    for (ICustomControl* c : {static_cast<ICustomControl*>(button), static_cast<ICustomControl*>(edit)}) {
        c->Disable();
        EXPECT_FALSE(IsWindowEnabled(c->GetHwnd()));
        EXPECT_FALSE(c->IsEnabled());
        c->Enable();
        EXPECT_TRUE(IsWindowEnabled(c->GetHwnd()));
        EXPECT_TRUE(c->IsEnabled());
        c->Enable(FALSE);
        EXPECT_FALSE(IsWindowEnabled(c->GetHwnd()));
    }
    ReleaseICustButton(button);
    ReleaseICustEdit(edit);
}

TEST_F(CustControls, NotifyTheDialogAsTheSystemsControlsDo) {
    ICustButton* button = GetICustButton(Item(kButton));
    button->SetText(L"実行");
    wchar_t text[16];
    button->GetText(text, 16);
    EXPECT_STREQ(text, L"実行");
    ReleaseICustButton(button);

    SendMessageW(Item(kButton), BM_CLICK, 0, 0);
    SetWindowTextW(Item(kEdit), L"abc");
    const std::vector<std::pair<WORD, WORD>> expected = {
        {kButton, BN_CLICKED}, {kEdit, EN_UPDATE}, {kEdit, EN_CHANGE}};
    EXPECT_EQ(rec_.commands, expected);
}

TEST_F(CustControls, ReleaseAfterTheWindowIsGoneIsAccepted) {
    ICustButton* button = GetICustButton(Item(kButton));
    DestroyWindow(Item(kButton));
    EXPECT_EQ(button->GetHwnd(), nullptr);
    EXPECT_FALSE(button->IsEnabled());
    ReleaseICustButton(button);
}

// A control given back more often than taken is the caller's fault: the host stops at once.
using CustControlsDeathTest = CustControls;
TEST_F(CustControlsDeathTest, UnbalancedReleaseStopsTheProgram) {
    ICustEdit* edit = GetICustEdit(Item(kEdit));
    ReleaseICustEdit(edit);
    EXPECT_DEATH(ReleaseICustEdit(edit), "released already");
    struct NotAControl : ICustButton {
        HWND GetHwnd() override { return nullptr; }
        void Enable(BOOL) override {}
        void Disable() override {}
        BOOL IsEnabled() override { return FALSE; }
        void GetText(MCHAR*, int) override {}
        void SetText(const MCHAR*) override {}
        void SetDADMgr(DADMgr*) override {}
        DADMgr* GetDADMgr() override { return nullptr; }
    } notTaken;
    EXPECT_DEATH(ReleaseICustButton(&notTaken), "not taken with GetICustButton");
}

}  // namespace
