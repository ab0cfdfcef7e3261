// The material converter as the user meets it: its panel's options and what they enable, the states it
// remembers, the reference material picked in the browser or dropped on its button, and runs of listed
// materials that the host undoes and redoes as one step: the sample scene against what the host tool
// writes, a run cancelled from the progress window, and the option word of checked but disabled controls.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "DialogDriver.h"
#include "HostUi.h"
#include "MtlConvTestScene.h"
#include "MtlPanelStates.h"
#include "SceneFile.h"
#include "UtilityPanelTest.h"
#include "custcont.h"
#include "resource.h"
#include "tavelin3/Tvl3StrokeMap.h"
#include "tavelin3/Tvl3Zone.h"

// After the window system's headers, which it needs.
#include <commctrl.h>

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

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What `tvl3host convert` makes of a scene file with an option word and no line run: the scene it writes
// and the full names ("name (class)") of the materials it lists, in its order.
struct ToolRun {
    std::string scene;
    std::vector<std::wstring> listed;
};
ToolRun RunTool(const std::string& scenePath, ConversionOptions options) {
    const std::string dir = testing::TempDir();
    const std::string out = dir + "mtlpanel_tool.json", report = dir + "mtlpanel_tool_report.json",
                      log = dir + "mtlpanel_tool.txt";
    std::string command = std::string("\"") + TVL3HOST + "\" convert \"" + scenePath + "\" -o \"" + out +
                          "\" --report-json \"" + report + "\" --no-lines -q";
    for (const MtlOptionBit& o : MtlOptionBits)
        command += std::string(" ") + ((options & o.bit) ? o.onFlag : o.offFlag);
    command += " >\"" + log + "\" 2>&1";
    // The command interpreter drops the first and the last quote of a line with more than two: one more
    // pair around the whole keeps the command's own.
    command = "\"" + command + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0) << command << "\n" << ReadFile(log);
    ToolRun run{ReadFile(out), {}};
    const nlohmann::json j = nlohmann::json::parse(ReadFile(report), nullptr, false);
    if (j.is_object() && j.contains("materials"))
        for (const auto& m : j["materials"]) {
            const std::string full =
                m["name"].get<std::string>() + " (" + m["class"].get<std::string>() + ")";
            run.listed.push_back(WStr::FromUTF8(full.c_str()).data());
        }
    for (const std::string& f : {out, report, log}) std::remove(f.c_str());
    return run;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// Clicks the progress window's Cancel button at the given update of its bar, as a user whose click the
// host delivers while it moves the bar. The progress window is no dialog: a hook on the thread's sent
// messages sees the bar being moved.
class CancelAtProgressUpdate {
public:
    explicit CancelAtProgressUpdate(int update) : update_(update) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, Proc, nullptr, GetCurrentThreadId());
    }
    ~CancelAtProgressUpdate() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    CancelAtProgressUpdate(const CancelAtProgressUpdate&) = delete;
    CancelAtProgressUpdate& operator=(const CancelAtProgressUpdate&) = delete;
    int Updates() const { return updates_; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        HWND progress = HostUi::ProgressWindow();
        if (code == HC_ACTION && current_ && progress && m->message == PBM_SETPOS &&
            GetParent(m->hwnd) == progress && ++current_->updates_ == current_->update_)
            PostMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline CancelAtProgressUpdate* current_ = nullptr;
    int update_;
    int updates_ = 0;
    HHOOK hook_;
};

class MtlPanelTest : public UtilityPanelTest<MtlConvTest, 0, FindMtlPanel> {
protected:
    using Answer = DialogDriver::Answer;
    // Lists every material the Add dialog offers.
    void AddAllOffered() {
        Pick(IDC_MTL_ADD, [](HWND d) {
            Click(d, IDC_SELECT_ALL);
            Click(d, IDOK);
        });
    }
    static ReferenceTarget* Create(const StandInClassInfo& info) {
        return static_cast<ReferenceTarget*>(
            GetCOREInterface()->CreateInstance(info.superClass, info.classID));
    }
    // Opens the Add or Delete dialog (button) and answers it with answer.
    void Pick(int button, Answer answer) {
        DialogDriver driver;
        driver.Expect(button == IDC_MTL_ADD ? L"マテリアルの追加" : L"マテリアルの削除", std::move(answer));
        Click(panel_, button);
        EXPECT_TRUE(driver.Done()) << "the selection dialog did not open";
    }
    // Sets the dialog's filters back to the scene's materials only, then cancels.
    void ShowSceneOnly(int button) {
        Pick(button, [](HWND d) {
            SetCheck(d, IDC_DISPLAY_FILTER1, true);
            SetCheck(d, IDC_DISPLAY_FILTER2, false);
            Click(d, IDCANCEL);
        });
    }
    // Presses the run button and confirms.
    void RunConfirmed() {
        DialogDriver driver;
        driver.Expect(L"Tavelin 3 コンバータ", [](HWND d) { Click(d, IDOK); });
        Click(panel_, IDC_MTL_CONVERT);
        EXPECT_TRUE(driver.Done()) << "no confirmation was asked";
    }
    // The zone options as a user sets them: the instance/copy choice is made while strokes are applied,
    // then strokes and the zone mode are set, which may leave controls checked but disabled.
    void SetZoneOptions(bool referenceZones, bool applyStrokes, bool copies) {
        Click(panel_, IDC_ZONE_REFERENCE);
        SetCheck(panel_, IDC_APPLY_STROKES, true);
        Click(panel_, copies ? IDC_STROKE_COPY : IDC_STROKE_INSTANCE);
        SetCheck(panel_, IDC_APPLY_STROKES, applyStrokes);
        if (!referenceZones) Click(panel_, IDC_ZONE_AUTO);
    }
    // Back to the first opening's states, for the tests after this one.
    void RestoreDefaults() {
        SetZoneOptions(false, false, false);
        for (const MtlPanelCheck& c : kMtlPanelDefaults)
            if (IsControlEnabled(panel_, c.control) && c.control != IDC_ZONE_AUTO &&
                c.control != IDC_ZONE_REFERENCE)
                SetCheck(panel_, c.control, c.checked);
        EXPECT_EQ(Read(panel_).checked, "110110010111");
    }
    // A warning box of the converter with this text, answered with OK.
    static void ExpectWarning(DialogDriver& driver, const wchar_t* text) {
        driver.Expect(kTitle, [text](HWND box) {
            EXPECT_EQ(MessageBoxText(box), text);
            Click(box, IDOK);
        });
    }
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
    PlaySteps(std::begin(steps), std::end(steps), Read);
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

// The sample scene listed through Add and Delete as a user would, converted from the panel: the scene
// written is the one `tvl3host convert` writes with the same options, and undo and redo give back each
// scene to the byte.
TEST_F(MtlPanelTest, ShowcaseListedAndConvertedFromThePanelIsWhatTheToolWrites) {
    const std::string path = std::string(TVL_SOURCE_DIR) + "/examples/showcase.json";
    const ConversionOptions options = kDefaultConversionOptions | CONVOPT_HIGHLIGHT_ADD_BLEND;
    const ToolRun tool = RunTool(path, options);
    ASSERT_FALSE(tool.listed.empty());
    std::string error;
    ASSERT_TRUE(LoadSceneText(ReadFile(path), error)) << error;
    const std::string loaded = SaveSceneText();
    Open();
    Click(panel_, IDC_ADDITIVE_HIGHLIGHT);

    // Add offers exactly what the tool lists (scene and editor materials) and appends the choice in the
    // dialog's order.
    std::vector<std::wstring> offered;
    Pick(IDC_MTL_ADD, [&](HWND d) {
        SetCheck(d, IDC_DISPLAY_FILTER1, true);
        SetCheck(d, IDC_DISPLAY_FILTER2, true);
        offered = ListEntries(d, IDC_SELECT_LIST);
        Click(d, IDC_SELECT_ALL);
        Click(d, IDOK);
    });
    EXPECT_EQ(Sorted(offered), Sorted(tool.listed));
    EXPECT_EQ(Read(panel_).list, offered);

    // Delete removes exactly the chosen entries; Add then offers just those again.
    std::vector<std::wstring> deleted;
    Pick(IDC_MTL_DELETE, [&](HWND d) {
        const std::vector<std::wstring> shown = ListEntries(d, IDC_SELECT_LIST);
        ASSERT_GE(shown.size(), 3u);
        ClickListEntry(d, IDC_SELECT_LIST, 0);
        ClickListEntry(d, IDC_SELECT_LIST, 2, true);
        deleted = {shown[0], shown[2]};
        Click(d, IDOK);
    });
    std::vector<std::wstring> kept;
    for (const std::wstring& e : offered)
        if (std::find(deleted.begin(), deleted.end(), e) == deleted.end()) kept.push_back(e);
    EXPECT_EQ(Read(panel_).list, kept);
    std::vector<std::wstring> readded;
    Pick(IDC_MTL_ADD, [&](HWND d) {
        readded = ListEntries(d, IDC_SELECT_LIST);
        Click(d, IDC_SELECT_ALL);
        Click(d, IDOK);
    });
    EXPECT_EQ(Sorted(readded), Sorted(deleted));
    std::vector<std::wstring> listed = kept;
    listed.insert(listed.end(), readded.begin(), readded.end());
    EXPECT_EQ(Read(panel_).list, listed);

    RunConfirmed();
    const std::string converted = SaveSceneText();
    EXPECT_EQ(converted, tool.scene) << "the panel's run and the tool's differ";
    EXPECT_TRUE(Read(panel_).list.empty());
    for (int cycle = 0; cycle < 2; ++cycle) {
        ASSERT_TRUE(HostCore::Get().Undo());
        EXPECT_EQ(SaveSceneText(), loaded) << "after undo, cycle " << cycle;
        EXPECT_EQ(Read(panel_).list, listed) << "undo gives the list back";
        ASSERT_TRUE(HostCore::Get().Redo());
        EXPECT_EQ(SaveSceneText(), converted) << "after redo, cycle " << cycle;
    }
    ShowSceneOnly(IDC_MTL_ADD);
    RestoreDefaults();
}

// A run cancelled from the progress window keeps whole conversions only: the scene equals a full run of
// the entries converted before the cancel, one undo gives back the scene before the run and redo the
// partial result.
TEST_F(MtlPanelTest, RunCancelledFromTheProgressWindowLeavesWholeConversionsUndoneAsOneStep) {
    std::string error;
    ASSERT_TRUE(LoadSceneText(ReadFile(std::string(TVL_SOURCE_DIR) + "/examples/showcase.json"), error))
        << error;
    const std::string loaded = SaveSceneText();
    Open();
    Pick(IDC_MTL_ADD, [](HWND d) {
        SetCheck(d, IDC_DISPLAY_FILTER2, true);
        Click(d, IDC_SELECT_ALL);
        Click(d, IDOK);
    });
    const std::vector<std::wstring> listed = Read(panel_).list;
    ASSERT_GE(listed.size(), 4u);

    std::string partial;
    {
        CancelAtProgressUpdate cancel(2);
        RunConfirmed();
        EXPECT_EQ(cancel.Updates(), 2) << "the run went on after the cancel";
        partial = SaveSceneText();
    }
    EXPECT_NE(partial, loaded);
    EXPECT_TRUE(Read(panel_).list.empty()) << "a cancelled run empties the list too";
    ASSERT_EQ(theHold.NumUndoEntries(), 1);
    for (int cycle = 0; cycle < 2; ++cycle) {
        ASSERT_TRUE(HostCore::Get().Undo());
        EXPECT_EQ(SaveSceneText(), loaded) << "after undo, cycle " << cycle;
        EXPECT_EQ(Read(panel_).list, listed);
        ASSERT_TRUE(HostCore::Get().Redo());
        EXPECT_EQ(SaveSceneText(), partial) << "after redo, cycle " << cycle;
    }

    // The same two entries converted by a run that is not cancelled.
    ASSERT_TRUE(HostCore::Get().Undo());
    Pick(IDC_MTL_DELETE, [&](HWND d) {
        SetCheck(d, IDC_DISPLAY_FILTER2, true);
        const std::vector<std::wstring> shown = ListEntries(d, IDC_SELECT_LIST);
        Click(d, IDC_SELECT_ALL);
        for (size_t i = 0; i < shown.size(); ++i)
            if (shown[i] == listed[0] || shown[i] == listed[1])
                ClickListEntry(d, IDC_SELECT_LIST, int(i), true);
        Click(d, IDOK);
    });
    ASSERT_EQ(Read(panel_).list, std::vector<std::wstring>(listed.begin(), listed.begin() + 2));
    // The dialogs remember their filters: back to the first opening's for the tests after this one.
    for (int button : {IDC_MTL_ADD, IDC_MTL_DELETE}) ShowSceneOnly(button);
    RunConfirmed();
    EXPECT_EQ(SaveSceneText(), partial) << "the cancelled run left a conversion half done";
}

// A checked control sets its bit whether or not it is enabled: with strokes off, the disabled "コピー" still
// makes the zones' pattern maps copies of the reference material's.
TEST_F(MtlPanelTest, CheckedButDisabledControlStillSetsItsOptionBit) {
    const struct {
        const char* what;
        bool applyStrokes, copies;
        int strokes;     // strokes of the new material's zone
        bool copiedMap;  // its pattern map is a copy, not the reference's own
    } rows[] = {
        {"strokes applied as copies", true, true, 1, true},
        {"strokes off, copy checked and disabled", false, true, 0, true},
        {"strokes off, instance checked and disabled", false, false, 0, false},
    };
    Open();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        Tvl3Material* reference = NewTvl3(_M("Ref"));
        auto* zone = static_cast<Tvl3Zone*>(Create(Tvl3Zone::kInfo));
        Texmap* pattern = NewBitmap(_M("Pattern"));
        zone->GetParamBlock(0)->SetValue(Tvl3Zone::kPatternMaps, 0, pattern, 0);
        Tab<ReferenceTarget*> strokes;
        ReferenceTarget* stroke = Create(Tvl3StrokeMapLayout::kInfo);
        strokes.Append(1, &stroke);
        zone->SetStrokes(strokes);
        Tab<ReferenceTarget*> zones;
        ReferenceTarget* z = zone;
        zones.Append(1, &z);
        reference->SetZones(zones);
        InScene(reference);
        INode* node = NewNode(_M("a"), NewStandard(_M("Std")));

        SetZoneOptions(true, row.applyStrokes, row.copies);
        {
            DialogDriver driver;
            driver.Expect(HOST_BROWSER_CAPTION, Browse(L"Ref"));
            Click(panel_, IDC_REFERENCE_MTL);
            EXPECT_TRUE(driver.Done());
        }
        EXPECT_EQ(IsControlEnabled(panel_, IDC_STROKE_COPY), row.applyStrokes);
        EXPECT_EQ(IsChecked(panel_, IDC_STROKE_COPY), row.copies);
        AddAllOffered();
        RunConfirmed();

        auto* result = dynamic_cast<Tvl3Material*>(node->GetMtl());
        ASSERT_NE(result, nullptr);
        ASSERT_EQ(result->NumZones(), 1);
        auto* newZone = dynamic_cast<Tvl3Zone*>(result->GetZone(0));
        ASSERT_NE(newZone, nullptr);
        EXPECT_EQ(newZone->NumStrokes(), row.strokes);
        Texmap* map = newZone->GetParamBlock(0)->GetTexmap(Tvl3Zone::kPatternMaps, 0, 0);
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(map != pattern, row.copiedMap);
    }
    RestoreDefaults();
}
