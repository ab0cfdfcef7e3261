// The material converter as the user meets it: its panel's options and what they enable, the states it
// remembers, the reference material picked in the browser or dropped on its button, and runs of listed
// materials that the host undoes and redoes as one step.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "DialogDriver.h"
#include "HostUi.h"
#include "MtlConvTestScene.h"
#include "PluginModule.h"
#include "custcont.h"
#include "resource.h"

namespace {

constexpr wchar_t kTitle[] = L"Tavelin 3 マテリアル コンバータ";

// The option controls in the order the panel remembers them, and the controls whose enabling changes.
constexpr int kStateControls[] = {
    IDC_SKIP_DISABLED_ZONES, IDC_SKIP_DISABLED_STROKES, IDC_ADDITIVE_HIGHLIGHT, IDC_ZONE_AUTO,
    IDC_MULTIPLY_BLEND,      IDC_ZONE_REFERENCE,        IDC_APPLY_STROKES,      IDC_STROKE_INSTANCE,
    IDC_STROKE_COPY,         IDC_SPECULAR_AS_ZONE,      IDC_HIGHLIGHT_AS_ZONE,  IDC_CONVERT_REFLECT_REFRACT};
constexpr int kEnablingControls[] = {IDC_MULTIPLY_BLEND, IDC_APPLY_STROKES, IDC_STROKE_INSTANCE,
                                     IDC_STROKE_COPY,    IDC_REFERENCE_MTL, IDC_MTL_ADD,
                                     IDC_MTL_DELETE,     IDC_MTL_CONVERT};

// What the panel shows: one character per control of the tables above ('1' checked or enabled), the
// reference button's text and the list box.
struct PanelState {
    std::string checked;
    std::string enabled;
    std::wstring reference;
    std::vector<std::wstring> list;
    bool operator==(const PanelState& o) const {
        return checked == o.checked && enabled == o.enabled && reference == o.reference && list == o.list;
    }
};
void PrintTo(const PanelState& s, std::ostream* os) {
    *os << "{checked " << s.checked << ", enabled " << s.enabled << ", button \""
        << MSTR(s.reference.c_str()).ToUTF8() << "\", " << s.list.size() << " listed}";
}

std::wstring ButtonText(HWND panel) {
    ICustButton* button = GetICustButton(GetDlgItem(panel, IDC_REFERENCE_MTL));
    EXPECT_NE(button, nullptr);
    MCHAR text[128] = {};
    if (button) button->GetText(text, 128);
    ReleaseICustButton(button);
    return text;
}

PanelState Read(HWND panel) {
    PanelState s;
    for (int id : kStateControls) s.checked += IsChecked(panel, id) ? '1' : '0';
    for (int id : kEnablingControls) s.enabled += IsControlEnabled(panel, id) ? '1' : '0';
    s.reference = ButtonText(panel);
    s.list = ListEntries(panel, IDC_MTL_LIST);
    return s;
}

HWND FindMtlPanel() { return FindPanel(IDC_REFERENCE_MTL, L"CustButton"); }

// Chooses the browser's entry for the material named name ("name (class)").
DialogDriver::Answer Browse(std::wstring name) {
    return [name](HWND browser) {
        const std::vector<std::wstring> entries = ListEntries(browser, HostUi::kBrowserList);
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].rfind(name + L" (", 0) == 0)
                SendDlgItemMessageW(browser, HostUi::kBrowserList, LB_SETCURSEL, i, 0);
        Click(browser, IDOK);
    };
}

// A host custom button elsewhere on the screen that offers one material and records what is dropped on it.
class DragSource : public DADMgr {
public:
    explicit DragSource(ReferenceTarget* carried) : carried_(carried) {
        frame_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 120, 40, nullptr,
                                 nullptr, nullptr, nullptr);
        button_ = CreateWindowExW(0, CUSTBUTTONWINDOWCLASS, L"from", WS_CHILD | WS_VISIBLE, 4, 4, 100, 28,
                                  frame_, nullptr, nullptr, nullptr);
        custButton_ = GetICustButton(button_);
        custButton_->SetDADMgr(this);
    }
    ~DragSource() override {
        custButton_->SetDADMgr(nullptr);
        ReleaseICustButton(custButton_);
        DestroyWindow(frame_);
    }
    SClass_ID GetDragType(HWND, POINT) override { return MATERIAL_CLASS_ID; }
    BOOL OkToDrop(ReferenceTarget* dropThis, HWND, HWND, POINT, SClass_ID, BOOL) override {
        return dropThis != nullptr;
    }
    ReferenceTarget* GetInstance(HWND, POINT, SClass_ID) override { return carried_; }
    void Drop(ReferenceTarget* dropThis, HWND, POINT, SClass_ID, DADMgr*, BOOL) override {
        received.push_back(dropThis);
    }
    HWND Button() const { return button_; }
    std::vector<ReferenceTarget*> received;

private:
    ReferenceTarget* carried_;
    HWND frame_;
    HWND button_;
    ICustButton* custButton_;
};

// Drags with the mouse from one control to the middle of another, as a user would.
void Drag(HWND from, HWND to) {
    RECT end;
    GetWindowRect(to, &end);
    POINT p = {(end.left + end.right) / 2, (end.top + end.bottom) / 2};
    ScreenToClient(from, &p);
    SendMessageW(from, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(from, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(from, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

class MtlPanelTest : public MtlConvTest {
protected:
    void TearDown() override {
        if (panel_) Close();
        MtlConvTest::TearDown();
    }
    void Open() {
        utility_ = PluginUtility(0);
        ASSERT_NE(utility_, nullptr);
        utility_->BeginEditParams(GetCOREInterface(), nullptr);
        panel_ = FindMtlPanel();
        ASSERT_NE(panel_, nullptr) << "the material converter's panel did not open";
    }
    void Close() {
        utility_->EndEditParams(GetCOREInterface(), nullptr);
        panel_ = nullptr;
        EXPECT_EQ(FindMtlPanel(), nullptr) << "the panel stayed after the utility closed";
    }
    // Lists every material the Add dialog offers.
    void AddAllOffered() {
        DialogDriver driver;
        driver.Expect(L"マテリアルの追加", [](HWND d) {
            Click(d, IDC_SELECT_ALL);
            Click(d, IDOK);
        });
        Click(panel_, IDC_MTL_ADD);
        EXPECT_TRUE(driver.Done()) << "the Add dialog did not open";
    }
    // A warning box of the converter with this text, answered with OK.
    static void ExpectWarning(DialogDriver& driver, const wchar_t* text) {
        driver.Expect(kTitle, [text](HWND box) {
            EXPECT_EQ(MessageBoxText(box), text);
            Click(box, IDOK);
        });
    }

    UtilityObj* utility_ = nullptr;
    HWND panel_ = nullptr;
};

}  // namespace

// Runs before any other test opens the panel: the first opening shows the defaults.
TEST_F(MtlPanelTest, PanelStartsWithDefaultsEnablesByTheRulesAndRemembersItsStates) {
    const struct {
        const char* step;
        std::function<void(HWND)> act;
        bool reopen;
        PanelState expected;  // checked: 1179 1181 1176 1001 1175 1002 1177 1005 1004 1178 1180 1182
                              // enabled: 1175 1177 1005 1004 1003 1053 1054 1055
    } steps[] = {
        {"first opening", [](HWND) {}, false, {"110110010111", "10000100", L"None", {}}},
        {"reference zones enable strokes and the button",
         [](HWND p) { Click(p, IDC_ZONE_REFERENCE); },
         false,
         {"110011010111", "01001100", L"None", {}}},
        {"applying strokes enables instance and copy",
         [](HWND p) { Click(p, IDC_APPLY_STROKES); },
         false,
         {"110011110111", "01111100", L"None", {}}},
        {"changed states survive closing",
         [](HWND p) {
             Click(p, IDC_STROKE_COPY);
             Click(p, IDC_ADDITIVE_HIGHLIGHT);
             Click(p, IDC_CONVERT_REFLECT_REFRACT);
         },
         true,
         {"111011101110", "01111100", L"None", {}}},
        {"strokes off disables instance and copy, which keep their states",
         [](HWND p) { Click(p, IDC_APPLY_STROKES); },
         true,
         {"111011001110", "01001100", L"None", {}}},
        {"back to the defaults",
         [](HWND p) {
             Click(p, IDC_APPLY_STROKES);
             Click(p, IDC_STROKE_INSTANCE);
             Click(p, IDC_APPLY_STROKES);
             Click(p, IDC_ADDITIVE_HIGHLIGHT);
             Click(p, IDC_CONVERT_REFLECT_REFRACT);
             Click(p, IDC_ZONE_AUTO);
         },
         true,
         {"110110010111", "10000100", L"None", {}}},
    };
    Open();
    EXPECT_EQ(ControlText(panel_, IDC_VERSION), L"Version 0.89");
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.act(panel_);
        if (s.reopen) {
            Close();
            Open();
        }
        EXPECT_EQ(Read(panel_), s.expected);
    }
}

TEST_F(MtlPanelTest, ReferenceIsATavelin3MaterialPickedInTheBrowserOrDropped) {
    InScene(NewTvl3(_M("Ref A")));
    Mtl* refB = NewTvl3(_M("Ref B"));
    Mtl* standard = InScene(NewStandard(_M("Std")));
    const struct {
        const char* how;
        std::function<void(HWND panel, DialogDriver&)> act;
        std::wstring button;  // the reference button's text afterwards
    } rows[] = {
        {"a Tavelin 3 material picked in the browser",
         [](HWND p, DialogDriver& d) {
             d.Expect(HOST_BROWSER_CAPTION, Browse(L"Ref A"));
             Click(p, IDC_REFERENCE_MTL);
         },
         L"Ref A"},
        {"another class picked: warned, unchanged",
         [](HWND p, DialogDriver& d) {
             d.Expect(HOST_BROWSER_CAPTION, Browse(L"Std"));
             ExpectWarning(d, L"Tavelin 3 マテリアルを選択してください");
             Click(p, IDC_REFERENCE_MTL);
         },
         L"Ref A"},
        {"browser cancelled: unchanged",
         [](HWND p, DialogDriver& d) {
             d.Expect(HOST_BROWSER_CAPTION, [](HWND b) { Click(b, IDCANCEL); });
             Click(p, IDC_REFERENCE_MTL);
         },
         L"Ref A"},
        {"a Tavelin 3 material dropped",
         [refB](HWND p, DialogDriver&) {
             DragSource source(refB);
             Drag(source.Button(), GetDlgItem(p, IDC_REFERENCE_MTL));
         },
         L"Ref B"},
        {"another class dropped: refused",
         [standard](HWND p, DialogDriver&) {
             DragSource source(standard);
             Drag(source.Button(), GetDlgItem(p, IDC_REFERENCE_MTL));
         },
         L"Ref B"},
    };
    Open();
    Click(panel_, IDC_ZONE_REFERENCE);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        DialogDriver driver;
        row.act(panel_, driver);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(ButtonText(panel_), row.button);
    }
    // A drag from the button carries the reference material itself.
    DragSource target(nullptr);
    DialogDriver noBrowser;  // a drag is no click: a browser opening here fails the test
    Drag(GetDlgItem(panel_, IDC_REFERENCE_MTL), target.Button());
    EXPECT_EQ(target.received, std::vector<ReferenceTarget*>{refB});
    // A reset forgets the reference material, and the open panel shows it.
    HostCore::Get().ResetScene();
    EXPECT_EQ(ButtonText(panel_), L"None");
    Click(panel_, IDC_ZONE_AUTO);
}

TEST_F(MtlPanelTest, RunFromThePanelConvertsTheListAsOneUndoStep) {
    const struct {
        const char* what;
        bool referenceMode;
        DialogDriver::Answer confirm;  // the confirmation's answer, when it is asked
        bool converts;
    } rows[] = {
        {"reference zones without a reference material: warned, no confirmation", true, nullptr, false},
        {"cancelled", false, [](HWND d) { Click(d, IDCANCEL); }, false},
        {"confirmed", false, [](HWND d) { Click(d, IDOK); }, true},
    };
    Open();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        StandardMtl* standard = NewStandard(_M("Std"));
        Tvl2Material* tvl2 = NewTvl2(_M("T2"));
        NewNode(_M("a"), standard);
        NewNode(_M("b"), tvl2);
        SetSlot(0, tvl2);
        // What a run changes that the user sees: node materials, editor slot 0 and the panel.
        const auto take = [&] {
            std::vector<Mtl*> nodes;
            HostCore::Get().ForEachNode([&](INode* n) {
                if (Mtl* m = n->GetMtl()) nodes.push_back(m);
            });
            return std::make_tuple(nodes, Slot(0), Read(panel_));
        };
        AddAllOffered();
        const auto before = take();
        ASSERT_EQ(std::get<2>(before).list.size(), 2u) << "the Add dialog listed the scene's materials";
        EXPECT_EQ(std::get<2>(before).enabled, "10000111") << "a listed material enables Delete and the run";

        if (row.referenceMode) Click(panel_, IDC_ZONE_REFERENCE);
        DialogDriver driver;
        if (row.referenceMode)
            ExpectWarning(driver, L"参照するTavelin 3 マテリアルを選択してください");
        else
            driver.Expect(L"Tavelin 3 コンバータ", row.confirm);
        Click(panel_, IDC_MTL_CONVERT);
        EXPECT_TRUE(driver.Done());
        if (row.referenceMode) Click(panel_, IDC_ZONE_AUTO);

        const auto after = take();
        if (!row.converts) {
            EXPECT_EQ(after, before);
            EXPECT_EQ(theHold.NumUndoEntries(), 0);
            continue;
        }
        const std::vector<Mtl*>& nodes = std::get<0>(after);
        ASSERT_EQ(nodes.size(), 2u);
        for (Mtl* m : nodes) EXPECT_EQ(m->ClassID(), TVL3_MATERIAL_CLASS_ID);
        EXPECT_EQ(std::get<1>(after), nodes[1]) << "the Tavelin 2 material's one conversion is in the slot";
        EXPECT_EQ(std::get<2>(after).list, std::vector<std::wstring>{});
        EXPECT_EQ(std::get<2>(after).enabled, "10000100");
        ASSERT_EQ(theHold.NumUndoEntries(), 1);
        EXPECT_EQ(MSTR(theHold.UndoName(0)).ToUTF8(), "Tavelin 3 コンバート");

        EXPECT_TRUE(HostCore::Get().Undo());
        EXPECT_EQ(take(), before);
        EXPECT_TRUE(HostCore::Get().Redo());
        EXPECT_EQ(take(), after);
    }
}
