// The plug-in module as the host meets it before any panel opens: its exports, its two descriptors, its
// string table and its dialog templates.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ClassIds.h"
#include "DialogDriver.h"
#include "DialogTemplate.h"
#include "PluginModule.h"
#include "StringTable.h"
#include "hostcore.h"
#include "resource.h"

namespace {

std::wstring Text(const MCHAR* s) { return s ? s : L"(null)"; }

}  // namespace

TEST(PluginModule, ExportsAnswerFromOneDescriptorListBuiltOnce) {
    const PluginModule& p = Plugin();
    ASSERT_NE(p.module, nullptr);
    // Loading registers nothing; LibClassDesc(0) as the first call answers before LibNumberClasses ever ran.
    EXPECT_EQ(p.registrationsBeforeFirstCall, 0u);
    ClassDesc* first = p.firstClassDesc;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->ClassID(), TVL3_MTL_CONVERTER_CLASS_ID);

    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(p.LibInitialize(), TRUE);
        EXPECT_EQ(p.LibNumberClasses(), 2);
        EXPECT_EQ(p.LibClassDesc(0), first);
    }
    for (int outside : {-1, 2, 1000}) EXPECT_EQ(p.LibClassDesc(outside), nullptr) << "index " << outside;

    // Reset, file open and new scene, registered once each, in that order, with no parameter.
    std::vector<int> codes;
    for (const NotifyRegistration& r : PluginRegistrations()) {
        codes.push_back(r.code);
        EXPECT_EQ(r.param, nullptr);
    }
    EXPECT_EQ(codes,
              (std::vector<int>{NOTIFY_SYSTEM_PRE_RESET, NOTIFY_FILE_PRE_OPEN, NOTIFY_SYSTEM_PRE_NEW}));
    // The host resets with the handler in place.
    HostCore::Get().ResetScene();

    EXPECT_EQ(p.LibVersion(), 0x4A383000u);  // the 2017 release: 19000, API 48, SDK revision 0
    EXPECT_EQ(p.CanAutoDefer(), TRUE);
    EXPECT_EQ(Text(p.LibDescription()), L"Tavelin 3 コンバータ (VORDA)");
}

TEST(PluginModule, DescriptorsDescribeTheirUtilityAndAlwaysHandOutTheSameObject) {
    const struct {
        int index;
        Class_ID classID;
        const wchar_t* className;
        const wchar_t* internalName;
    } rows[] = {
        {0, TVL3_MTL_CONVERTER_CLASS_ID, L"Tavelin 3 マテリアル コンバータ", L"Tavelin3_Material_Converter"},
        {1, TVL3_LINE_CONVERTER_CLASS_ID, L"Tavelin 3 ライン コンバータ", L"Tavelin3_Line_Converter"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "descriptor " << row.index);
        ClassDesc* d = Plugin().LibClassDesc(row.index);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->IsPublic(), TRUE);
        EXPECT_EQ(d->SuperClassID(), static_cast<SClass_ID>(UTILITY_CLASS_ID));
        EXPECT_EQ(d->ClassID(), row.classID);
        EXPECT_EQ(Text(d->ClassName()), row.className);
        EXPECT_EQ(Text(d->Category()), L"");
        EXPECT_EQ(Text(d->InternalName()), row.internalName);
        EXPECT_EQ(d->HInstance(), Plugin().module);
        void* object = d->Create();
        EXPECT_NE(object, nullptr);
        EXPECT_EQ(d->Create(TRUE), object);
    }
    // Class names share the module's one string buffer: the second call's text replaces the first.
    const MCHAR* mtl = Plugin().LibClassDesc(0)->ClassName();
    const MCHAR* line = Plugin().LibClassDesc(1)->ClassName();
    EXPECT_EQ(mtl, line);
    EXPECT_EQ(Text(mtl), L"Tavelin 3 ライン コンバータ");
}

// The module's string table holds exactly these texts, and the table generated for the native build
// from the same script agrees with it.
TEST(PluginModule, StringTableHoldsTheTextsOfBothUtilities) {
    const struct {
        int id;
        const wchar_t* text;  // null: no such string
    } rows[] = {
        {IDS_LIB_DESCRIPTION, L"Tavelin 3 コンバータ (VORDA)"},
        {IDS_CONVERT_UNDO, L"Tavelin 3 コンバート"},
        {IDS_CONFIRM_CAPTION, L"Tavelin 3 コンバータ"},
        {IDS_MTL_CONVERTER, L"Tavelin 3 マテリアル コンバータ"},
        {IDS_LINE_CONVERTER, L"Tavelin 3 ライン コンバータ"},
        {IDS_SELECT_TVL3_MATERIAL, L"Tavelin 3 マテリアルを選択してください"},
        {IDS_SELECT_REFERENCE_MATERIAL, L"参照するTavelin 3 マテリアルを選択してください"},
        {IDS_ADD_MATERIALS, L"マテリアルの追加"},
        {IDS_DELETE_MATERIALS, L"マテリアルの削除"},
        {IDS_FILTER_SCENE, L"シーン"},
        {IDS_FILTER_MTL_EDITOR, L"マテリアル エディタ"},
        {IDS_TAVELIN_MATERIALS, L"Tavelin マテリアル"},
        {0, nullptr},
        {4, nullptr},
        {102, nullptr},
        {1001, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "string " << row.id);
        wchar_t buffer[512] = {};
        const int n = LoadStringW(Plugin().module, static_cast<UINT>(row.id), buffer, 512);
        EXPECT_EQ(n > 0 ? std::wstring(buffer) : L"(null)", Text(row.text));
        EXPECT_EQ(Text(StringTableText(row.id)), Text(row.text));
    }
}

namespace {

struct ExpectedDialog {
    int id;
    DWORD style;
    short cx, cy;
    const wchar_t* caption;
    WORD pointSize;
    BYTE charset;
    const wchar_t* font;
    std::vector<DialogItem> items;  // styles without WS_CHILD | WS_VISIBLE, which every control has
};

constexpr DWORD kModal = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kPanel = DS_SETFONT | WS_CHILD | WS_VISIBLE;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kMultiCheck = BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr wchar_t kGothic[] = L"ＭＳ Ｐゴシック";

const ExpectedDialog kDialogs[] = {
    {IDD_MTL_CONVERTER,
     kPanel,
     108,
     468,
     L"",
     8,
     DEFAULT_CHARSET,
     L"Tahoma",
     {
         {IDC_VERSION, L"Static", SS_RIGHT | WS_GROUP, L"Version", 38, 1, 66, 8},
         {IDC_STATIC, L"Static", SS_LEFT | WS_GROUP, L"変換対象", 2, 6, 37, 8},
         {IDC_MTL_LIST, L"ListBox",
          LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_NOSEL | WS_BORDER | WS_VSCROLL | WS_TABSTOP, L"", 2, 15,
          103, 131},
         {IDC_MTL_ADD, L"Button", kPush, L"追加", 2, 150, 26, 12},
         {IDC_MTL_DELETE, L"Button", kPush, L"削除", 34, 150, 26, 12},
         {IDC_MTL_CONVERT, L"Button", kPush, L"変換を実行する", 2, 165, 103, 12},
         {IDC_STATIC, L"Button", BS_GROUPBOX, L"Tavelin 2 オプション", 2, 182, 103, 53},
         {IDC_SKIP_DISABLED_ZONES, L"Button", kMultiCheck, L"領域無効のゾーンは変換しない", 5, 192, 78, 19},
         {IDC_SKIP_DISABLED_STROKES, L"Button", kMultiCheck, L"無効なストロークは変換しない", 5, 213, 73, 18},
         {IDC_STATIC, L"Button", BS_GROUPBOX, L"標準マテリアル オプション", 2, 239, 103, 124},
         {IDC_ADDITIVE_HIGHLIGHT, L"Button", kMultiCheck, L"ハイライトに加算ブレンドを使用", 5, 248, 98, 18},
         {IDC_STATIC, L"Static", SS_LEFT | WS_GROUP, L"[ ゾーン設定 ]", 5, 268, 45, 9},
         {IDC_ZONE_AUTO, L"Button", BS_AUTORADIOBUTTON, L"自動", 6, 277, 37, 10},
         {IDC_MULTIPLY_BLEND, L"Button", kMultiCheck, L"乗算ブレンドを使用", 14, 289, 82, 10},
         {IDC_ZONE_REFERENCE, L"Button", BS_AUTORADIOBUTTON, L"Tavelin 3 マテリアルを参照", 6, 303, 97, 10},
         {IDC_REFERENCE_MTL, L"CustButton", WS_GROUP | WS_TABSTOP, L"", 14, 314, 79, 12},
         {IDC_APPLY_STROKES, L"Button", kCheck, L"ストロークを適用", 14, 327, 66, 12},
         {IDC_STROKE_INSTANCE, L"Button", BS_AUTORADIOBUTTON, L"インスタンス", 24, 339, 51, 9},
         {IDC_STROKE_COPY, L"Button", BS_AUTORADIOBUTTON, L"コピー", 24, 350, 39, 9},
         {IDC_STATIC, L"Button", BS_GROUPBOX, L"finalToon オプション", 1, 368, 103, 33},
         {IDC_SPECULAR_AS_ZONE, L"Button", kMultiCheck, L"スペキュラをゾーンとして適用", 5, 378, 89, 19},
         {IDC_STATIC, L"Button", BS_GROUPBOX, L"Illustrate! オプション", 1, 404, 103, 32},
         {IDC_HIGHLIGHT_AS_ZONE, L"Button", kMultiCheck, L"ハイライトをゾーンとして適用", 5, 414, 89, 19},
         {IDC_STATIC, L"Button", BS_GROUPBOX, L"Tavelin 2 反射/屈折 マップ", 2, 439, 103, 25},
         {IDC_CONVERT_REFLECT_REFRACT, L"Button", kCheck, L"変換する", 5, 448, 53, 9},
     }},
    {IDD_CONFIRM,
     kModal,
     163,
     48,
     L"Dialog",
     9,
     SHIFTJIS_CHARSET,
     kGothic,
     {
         {IDC_STATIC, L"Static", SS_CENTER | WS_GROUP, L"変換を実行しますか？", 7, 7, 149, 12},
         {IDOK, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, L"OK", 26, 28, 43, 13},
         {IDCANCEL, L"Button", kPush, L"キャンセル", 93, 28, 43, 13},
     }},
    {IDD_LINE_CONVERTER,
     kPanel,
     108,
     122,
     L"",
     8,
     DEFAULT_CHARSET,
     L"Tahoma",
     {
         {IDC_VERSION, L"Static", SS_RIGHT | WS_GROUP, L"Version", 38, 1, 66, 8},
         {IDC_LINE_CONVERT, L"Button", kPush, L"変換を実行する", 2, 17, 103, 12},
         {IDC_STATIC, L"Button", BS_GROUPBOX, L"設定", 2, 43, 103, 76},
         {IDC_DELETE_SOURCES, L"Button", kMultiCheck, L"変換元のTavelin 2 ラインを\n消去する", 5, 58, 98, 18},
         {IDC_APPEND_SUFFIX, L"Button", kMultiCheck, L"エフェクト名の末尾に\n文字列を追加する", 5, 78, 98,
          18},
         {IDC_SUFFIX, L"CustEdit", WS_TABSTOP, L"", 16, 99, 80, 12},
     }},
    {IDD_SELECT_MATERIAL,
     kModal | WS_THICKFRAME,
     230,
     281,
     L"Dialog",
     9,
     SHIFTJIS_CHARSET,
     kGothic,
     {
         {IDC_SELECT_LIST, L"ListBox",
          LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP, L"", 7,
          7, 126, 245},
         {IDC_SHOW_SUBTREE, L"Button", kCheck, L"サブツリーを表示", 6, 258, 67, 10},
         {IDC_SORT_GROUP, L"Button", BS_GROUPBOX, L"ソート", 141, 7, 81, 51},
         {IDC_SORT_BY_NAME, L"Button", BS_AUTORADIOBUTTON, L"アルファベット順", 149, 21, 62, 11},
         {IDC_SORT_BY_TYPE, L"Button", BS_AUTORADIOBUTTON, L"種類順", 149, 38, 39, 11},
         {IDC_SELECT_GROUP, L"Button", BS_GROUPBOX, L"選択", 141, 76, 81, 77},
         {IDC_SELECT_ALL, L"Button", kPush, L"全てを選択(&A)", 153, 91, 59, 13},
         {IDC_SELECT_NONE, L"Button", kPush, L"選択を解除(&N)", 153, 111, 59, 13},
         {IDC_SELECT_INVERT, L"Button", kPush, L"選択を反転(&I)", 153, 130, 59, 13},
         {IDC_DISPLAY_FILTER1, L"Button", kCheck, L"IDC_CHK_DISPLAY1", 141, 169, 82, 10},
         {IDC_DISPLAY_FILTER2, L"Button", kCheck, L"IDC_CHK_DISPLAY2", 141, 185, 82, 10},
         {IDC_DISPLAY_FILTER3, L"Button", kCheck, L"IDC_CHK_DISPLAY3", 141, 201, 82, 10},
         {IDC_DISPLAY_FILTER4, L"Button", kCheck, L"IDC_CHK_DISPLAY4", 141, 217, 82, 10},
         {IDC_DISPLAY_FILTER5, L"Button", kCheck, L"IDC_CHK_DISPLAY5", 141, 233, 82, 10},
         {IDOK, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, L"OK", 138, 258, 40, 13},
         {IDCANCEL, L"Button", kPush, L"キャンセル", 182, 258, 40, 13},
     }},
};

std::string Utf8(const std::wstring& s) {
    std::string out(static_cast<size_t>(s.size() * 4), '\0');
    out.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(),
                                                static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

// One line per control, so that a difference names the control and the field. Class names compare as the
// window system does, whatever their case.
std::string Describe(const DialogItem& i) {
    std::wstring className = i.className;
    CharLowerW(className.data());
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "id %d style 0x%08lX at %d,%d size %dx%d", i.id,
                  static_cast<unsigned long>(i.style & ~(WS_CHILD | WS_VISIBLE)), i.x, i.y, i.cx, i.cy);
    return std::string(numbers) + " " + Utf8(className) + " \"" + Utf8(i.text) + "\"";
}

}  // namespace

TEST(PluginModule, DialogTemplatesAreExactlyAsDesigned) {
    for (const ExpectedDialog& expected : kDialogs) {
        SCOPED_TRACE(testing::Message() << "dialog " << expected.id);
        DialogTemplate actual;
        ASSERT_TRUE(ReadDialogTemplate(Plugin().module, expected.id, actual));
        EXPECT_EQ(actual.style, expected.style);
        EXPECT_EQ(actual.cx, expected.cx);
        EXPECT_EQ(actual.cy, expected.cy);
        EXPECT_EQ(actual.caption, expected.caption);
        EXPECT_EQ(actual.pointSize, expected.pointSize);
        EXPECT_EQ(actual.charset, expected.charset);
        EXPECT_EQ(actual.font, expected.font);
        std::vector<std::string> want, got;
        for (const DialogItem& i : expected.items) want.push_back(Describe(i));
        for (const DialogItem& i : actual.items) {
            EXPECT_EQ(i.style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE))
                << Describe(i);
            got.push_back(Describe(i));
        }
        EXPECT_EQ(got, want);
    }
}
