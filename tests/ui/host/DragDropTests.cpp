// Drag and drop between custom buttons, driven by the mouse messages a user's drag would send.
#include <gtest/gtest.h>

#include <vector>

#include "DialogRecord.h"
#include "HostTestObjects.h"
#include "custcont.h"
#include "hostcore.h"

namespace {

// Answers as told and records the drops it receives.
class RecordingDad : public DADMgr {
public:
    RecordingDad(SClass_ID type, BOOL accepts, ReferenceTarget* carried)
        : type_(type), accepts_(accepts), carried_(carried) {}
    SClass_ID GetDragType(HWND, POINT) override { return type_; }
    BOOL OkToDrop(ReferenceTarget* dropThis, HWND, HWND, POINT, SClass_ID type, BOOL) override {
        return accepts_ && dropThis && type == MATERIAL_CLASS_ID;
    }
    ReferenceTarget* GetInstance(HWND, POINT, SClass_ID) override { return carried_; }
    void Drop(ReferenceTarget* dropThis, HWND hwnd, POINT, SClass_ID, DADMgr* srcMgr, BOOL) override {
        drops.push_back({dropThis, hwnd, srcMgr});
    }
    struct DropRecord {
        ReferenceTarget* what;
        HWND on;
        DADMgr* from;
    };
    std::vector<DropRecord> drops;

private:
    SClass_ID type_;
    BOOL accepts_;
    ReferenceTarget* carried_;
};

enum : WORD { kSource = 100, kTarget, kPlain };

TEST(DragAndDrop, DropsOnlyWhereTheTargetAcceptsWhatTheSourceOffers) {
    HostCore::Get().ResetScene();
    auto* mtl = new BoxMtl;
    DialogTemplate tmpl(WS_POPUP | WS_VISIBLE, 200, 40);
    tmpl.Add(CUSTBUTTONWINDOWCLASS, kSource, L"from", 4, 4, 50, 14)
        .Add(CUSTBUTTONWINDOWCLASS, kTarget, L"to", 70, 4, 50, 14)
        .Add(L"BUTTON", kPlain, L"plain", 136, 4, 50, 14);
    DialogRecord rec;
    HWND dlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl.Get(), nullptr, RecordingDlgProc,
                                          reinterpret_cast<LPARAM>(&rec));
    ASSERT_NE(dlg, nullptr);
    SetWindowPos(dlg, HWND_TOPMOST, 300, 300, 0, 0, SWP_NOSIZE);
    HWND source = GetDlgItem(dlg, kSource);

    const struct {
        SClass_ID dragType;  // what the source offers
        BOOL accepts;        // what the target answers
        WORD endOn;
        size_t drops;
    } cases[] = {
        {MATERIAL_CLASS_ID, TRUE, kTarget, 1},  {0, TRUE, kTarget, 0},
        {MATERIAL_CLASS_ID, FALSE, kTarget, 0}, {MATERIAL_CLASS_ID, TRUE, kPlain, 0},
        {MATERIAL_CLASS_ID, TRUE, kSource, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(i);
        RecordingDad from(c.dragType, TRUE, mtl), to(MATERIAL_CLASS_ID, c.accepts, nullptr);
        ICustButton* src = GetICustButton(source);
        ICustButton* dst = GetICustButton(GetDlgItem(dlg, kTarget));
        src->SetDADMgr(&from);
        dst->SetDADMgr(&to);

        RECT end;
        GetWindowRect(GetDlgItem(dlg, c.endOn), &end);
        POINT p = {(end.left + end.right) / 2, (end.top + end.bottom) / 2};
        ScreenToClient(source, &p);
        SendMessageW(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageW(source, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));

        ASSERT_EQ(to.drops.size(), c.drops);
        if (c.drops) {
            EXPECT_EQ(to.drops[0].what, mtl);
            EXPECT_EQ(to.drops[0].on, GetDlgItem(dlg, kTarget));
            EXPECT_EQ(to.drops[0].from, &from);
        }
        EXPECT_TRUE(from.drops.empty());
        src->SetDADMgr(nullptr);
        dst->SetDADMgr(nullptr);
        ReleaseICustButton(src);
        ReleaseICustButton(dst);
    }
    DestroyWindow(dlg);
    HostCore::Get().ResetScene();
}

}  // namespace
