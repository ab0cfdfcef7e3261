#include "Tvl3LineConverter.h"

#include "ConfirmDialog.h"
#include "LineConversionRun.h"
#include "ResString.h"
#include "VersionText.h"
#include "custcont.h"
#include "resource.h"

namespace {

// The edit control's interface, taken on construction and given back on destruction. Null when the
// control is missing or not a host custom edit; callers then skip the edit step.
class CustEditRef {
public:
    CustEditRef(HWND panel, int control) : edit_(GetICustEdit(GetDlgItem(panel, control))) {}
    ~CustEditRef() {
        if (edit_) ReleaseICustEdit(edit_);
    }
    CustEditRef(const CustEditRef&) = delete;
    CustEditRef& operator=(const CustEditRef&) = delete;

    explicit operator bool() const { return edit_ != nullptr; }
    ICustEdit* operator->() const { return edit_; }

    // The text as the edit holds it, at most 255 characters.
    MSTR Text() const {
        MCHAR buffer[256] = {};
        edit_->GetText(buffer, 256);
        return MSTR(buffer);
    }

private:
    ICustEdit* edit_;
};

bool IsChecked(HWND panel, int control) { return IsDlgButtonChecked(panel, control) == BST_CHECKED; }

// The suffix edit is enabled exactly while its checkbox is checked.
void UpdateControls(HWND panel) {
    if (CustEditRef edit{panel, IDC_SUFFIX}) edit->Enable(IsChecked(panel, IDC_APPEND_SUFFIX));
}

INT_PTR OnInitDialog(HWND panel) {
    SetDlgItemTextW(panel, IDC_VERSION, BuildVersionText());
    for (const LinePanelOptions::Check& c : theLinePanelOptions.checks)
        CheckDlgButton(panel, c.control, c.checked ? BST_CHECKED : BST_UNCHECKED);
    if (CustEditRef edit{panel, IDC_SUFFIX}) edit->SetText(theLinePanelOptions.suffix);
    UpdateControls(panel);
    return TRUE;
}

INT_PTR OnCommand(HWND panel, int control) {
    switch (control) {
        case IDC_LINE_CONVERT:
            RunLineConversion(panel);
            return TRUE;
        case IDC_APPEND_SUFFIX:
            UpdateControls(panel);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK LineConverterDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog(hWnd);
        case WM_COMMAND:
            return OnCommand(hWnd, LOWORD(wParam));
        default:
            return FALSE;
    }
}

void RunLineConversion(HWND panel) {
    if (!ConfirmConversion(panel)) return;
    MSTR suffix;
    if (IsChecked(panel, IDC_APPEND_SUFFIX))
        if (CustEditRef edit{panel, IDC_SUFFIX}) suffix = edit.Text();
    const MSTR undoName(LoadResString(IDS_CONVERT_UNDO));
    RunLineConversion(suffix, IsChecked(panel, IDC_DELETE_SOURCES), undoName);
}

void Tvl3LineConverter::BeginEditParams(Interface* ip, IUtil* iu) {
    ip_ = ip;
    iu_ = iu;
    // The title is copied: the page's initialisation may load other strings into the shared buffer.
    const MSTR title(LoadResString(IDS_LINE_CONVERTER));
    panel_ = ip->AddRollupPage(hInstance, MAKEINTRESOURCEW(IDD_LINE_CONVERTER), LineConverterDlgProc, title,
                               0, 0, ROLLUP_CAT_STANDARD);
}

void Tvl3LineConverter::EndEditParams(Interface* ip, IUtil*) {
    // A panel the host could not open has nothing to save: the settings stay as they were.
    if (panel_) {
        for (LinePanelOptions::Check& c : theLinePanelOptions.checks)
            c.checked = IsChecked(panel_, c.control);
        if (CustEditRef edit{panel_, IDC_SUFFIX}) theLinePanelOptions.suffix = edit.Text();
    }
    ip_ = nullptr;
    iu_ = nullptr;
    ip->DeleteRollupPage(panel_);
    panel_ = nullptr;
}
