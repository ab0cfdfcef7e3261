#include "SelectMaterialDialogWindow.h"

#include "ResString.h"
#include "resource.h"
#include "winutil.h"

namespace {

// Anchor bits of a layout record: which edges of the dialog a control keeps to.
enum : int {
    kKeepLeft = 1,
    kKeepTop = 2,
    kFollowRight = 4,
    kFollowBottom = 8,
    kStretch = kKeepLeft | kKeepTop | kFollowRight | kFollowBottom,
    kBottomLeft = kKeepLeft | kFollowBottom,
    kTopRight = kKeepTop | kFollowRight,
    kBottomRight = kFollowRight | kFollowBottom,
};

// The anchored controls, in the order their records are made.
const struct {
    int id;
    int anchor;
} kLayout[] = {
    {IDC_SELECT_LIST, kStretch},      {IDC_SHOW_SUBTREE, kBottomLeft},  {IDC_SORT_GROUP, kTopRight},
    {IDC_SORT_BY_NAME, kTopRight},    {IDC_SORT_BY_TYPE, kTopRight},    {IDC_SELECT_GROUP, kTopRight},
    {IDC_SELECT_ALL, kTopRight},      {IDC_SELECT_NONE, kTopRight},     {IDC_SELECT_INVERT, kTopRight},
    {IDC_DISPLAY_FILTER1, kTopRight}, {IDC_DISPLAY_FILTER2, kTopRight}, {IDC_DISPLAY_FILTER3, kTopRight},
    {IDC_DISPLAY_FILTER4, kTopRight}, {IDC_DISPLAY_FILTER5, kTopRight}, {IDOK, kBottomRight},
    {IDCANCEL, kBottomRight},
};

// The display filters' checkboxes, by filter index.
const int kFilterChecks[kNumDisplayFilters] = {IDC_DISPLAY_FILTER1, IDC_DISPLAY_FILTER2, IDC_DISPLAY_FILTER3,
                                               IDC_DISPLAY_FILTER4, IDC_DISPLAY_FILTER5};

int FilterIndex(int id) {
    for (int i = 0; i < kNumDisplayFilters; ++i)
        if (kFilterChecks[i] == id) return i;
    return -1;
}

LRESULT SendList(HWND list, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(list, msg, wParam, lParam);
}

}  // namespace

// ---- running the dialog

INT_PTR SelectMaterialDialogWindow::DoModal() {
    ClearVisibilityCursor();
    return DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_SELECT_MATERIAL), GetInterface()->GetMAXHWnd(),
                           WindowProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK SelectMaterialDialogWindow::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* dialog =
        msg == WM_INITDIALOG
            ? reinterpret_cast<SelectMaterialDialogWindow*>(lParam)
            : reinterpret_cast<SelectMaterialDialogWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!dialog) return 0;
    const INT_PTR answer = dialog->DlgProc(hWnd, msg, wParam, lParam);
    // The object outlives its window: it forgets the window when the window is gone.
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        dialog->SetWindowHandle(nullptr);
        dialog->list_ = nullptr;
    }
    return answer;
}

INT_PTR SelectMaterialDialogWindow::DlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog(hWnd);
        case WM_COMMAND:
            OnCommand(hWnd, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            break;
        case WM_SIZE:
            OnSize();
            break;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(hWnd, reinterpret_cast<MINMAXINFO*>(lParam));
            break;
        case WM_CLOSE:
            OnClose(hWnd);
            break;
        case WM_DESTROY:
            OnDestroy(wParam, lParam);
            break;
        default:
            break;
    }
    return 0;
}

BOOL SelectMaterialDialogWindow::OnInitDialog(HWND hWnd) {
    SetWindowHandle(hWnd);
    list_ = GetDlgItem(hWnd, IDC_SELECT_LIST);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    InitLayout();  // takes the callback's settings, the display filter among them
    UpdateVisibility();
    Refresh();
    return TRUE;
}

// Buttons and checkboxes act on any notification; only the list box looks at the code.
INT_PTR SelectMaterialDialogWindow::OnCommand(HWND hWnd, int id, HWND hCtl, int code) {
    using Command = void (*)(SelectMaterialDialogWindow & d, HWND hWnd);
    static const struct {
        int id;
        Command run;
    } kCommands[] = {
        {IDOK, [](SelectMaterialDialogWindow& d, HWND w) { d.OnOK(w); }},
        {IDCANCEL, [](SelectMaterialDialogWindow& d, HWND w) { d.OnCancel(w); }},
        {IDC_SORT_BY_NAME, [](SelectMaterialDialogWindow& d, HWND) { d.OnSortByName(); }},
        {IDC_SORT_BY_TYPE, [](SelectMaterialDialogWindow& d, HWND) { d.OnSortByType(); }},
        {IDC_SELECT_ALL, [](SelectMaterialDialogWindow& d, HWND) { d.OnSelectAll(); }},
        {IDC_SELECT_NONE, [](SelectMaterialDialogWindow& d, HWND) { d.OnSelectNone(); }},
        {IDC_SELECT_INVERT, [](SelectMaterialDialogWindow& d, HWND) { d.OnInvertSelection(); }},
        {IDC_SHOW_SUBTREE, [](SelectMaterialDialogWindow& d, HWND) { d.OnSubtreeToggle(); }},
    };
    if (id == IDC_SELECT_LIST) {
        OnListCommand(code);
        return 0;
    }
    const int filter = FilterIndex(id);
    if (filter >= 0) {
        OnDisplayFilter(hCtl, filter);
        return 0;
    }
    for (const auto& command : kCommands)
        if (command.id == id) command.run(*this, hWnd);
    return 0;
}

void SelectMaterialDialogWindow::OnSize() {
    for (const LayoutRecord& record : layout_) ApplyLayoutRecord(record);
    InvalidateRect(GetWindowHandle(), nullptr, FALSE);
    UpdateWindow(GetWindowHandle());
}

// The dialog never gets smaller than it was made.
void SelectMaterialDialogWindow::OnGetMinMaxInfo(HWND, MINMAXINFO* info) {
    if (info->ptMinTrackSize.x < minSize_.cx) info->ptMinTrackSize.x = minSize_.cx;
    if (info->ptMinTrackSize.y < minSize_.cy) info->ptMinTrackSize.y = minSize_.cy;
}

void SelectMaterialDialogWindow::OnClose(HWND hWnd) { EndDialog(hWnd, IDCANCEL); }

void SelectMaterialDialogWindow::OnDestroy(WPARAM wParam, LPARAM lParam) {
    Callback()->OnDialogDestroy(wParam, lParam);
}

void SelectMaterialDialogWindow::OnOK(HWND hWnd) {
    ReportSelection();
    EndDialog(hWnd, IDOK);
}

void SelectMaterialDialogWindow::OnCancel(HWND hWnd) { EndDialog(hWnd, IDCANCEL); }

// ---- the list's commands

void SelectMaterialDialogWindow::OnSubtreeToggle() {
    const int flat = IsDlgButtonChecked(GetWindowHandle(), IDC_SHOW_SUBTREE) == BST_CHECKED ? 0 : 1;
    if (flat == IsFlatList()) return;
    SetFlatList(flat);
    Refresh();
}

void SelectMaterialDialogWindow::OnSortByName() {
    if (GetSortMode() == 0) return;
    SetSortMode(0);
    Refresh();
}

void SelectMaterialDialogWindow::OnSortByType() {
    if (GetSortMode() == 1) return;
    SetSortMode(1);
    Refresh();
}

template <class NewState>
void SelectMaterialDialogWindow::SelectEntries(NewState newState) {
    const int count = static_cast<int>(SendList(list_, LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        const bool selected = SendList(list_, LB_GETSEL, static_cast<WPARAM>(i)) > 0;
        SendList(list_, LB_SETSEL, newState(selected) ? TRUE : FALSE, i);
    }
    SyncSelection(0);
}

void SelectMaterialDialogWindow::OnSelectAll() {
    SelectEntries([](bool) { return true; });
}

void SelectMaterialDialogWindow::OnSelectNone() {
    SelectEntries([](bool) { return false; });
}

void SelectMaterialDialogWindow::OnInvertSelection() {
    SelectEntries([](bool selected) { return !selected; });
}

void SelectMaterialDialogWindow::OnDisplayFilter(HWND hCtl, int index) {
    SetDisplayFilter(index, SendMessageW(hCtl, BM_GETCHECK, 0, 0) == BST_CHECKED);
    UpdateVisibility();
    Refresh();
    SyncSelection(0);
}

void SelectMaterialDialogWindow::OnListCommand(int code) {
    if (code == LBN_SELCHANGE) SyncSelection(1);
}

// ---- layout

SelectMaterialDialogWindow::LayoutRecord SelectMaterialDialogWindow::MakeLayoutRecord(HWND control,
                                                                                      int anchor) const {
    // Positions are taken in the parent's client area, whatever the frame around it measures.
    HWND parent = GetAncestor(control, GA_PARENT);
    RECT box, client;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
    GetClientRect(parent, &client);
    LayoutRecord record;
    record.control = control;
    record.anchor = anchor;
    record.left = box.left;
    record.top = box.top;
    record.width = box.right - box.left;
    record.height = box.bottom - box.top;
    record.parentWidth = client.right;
    record.parentHeight = client.bottom;
    return record;
}

void SelectMaterialDialogWindow::ApplyLayoutRecord(const LayoutRecord& r) {
    RECT client;
    GetClientRect(GetAncestor(r.control, GA_PARENT), &client);
    const int dw = client.right - r.parentWidth, dh = client.bottom - r.parentHeight;
    const int x = (r.anchor & kKeepLeft) ? r.left : r.left + dw;
    const int y = (r.anchor & kKeepTop) ? r.top : r.top + dh;
    const int width = r.width + ((r.anchor & kKeepLeft) && (r.anchor & kFollowRight) ? dw : 0);
    const int height = r.height + ((r.anchor & kKeepTop) && (r.anchor & kFollowBottom) ? dh : 0);
    MoveWindow(r.control, x, y, width, height, TRUE);
}

void SelectMaterialDialogWindow::InitLayout() {
    HWND hWnd = GetWindowHandle();
    layout_.clear();
    for (const auto& row : kLayout)
        if (HWND control = GetDlgItem(hWnd, row.id)) layout_.push_back(MakeLayoutRecord(control, row.anchor));

    RECT frame;
    GetWindowRect(hWnd, &frame);
    minSize_ = {frame.right - frame.left, frame.bottom - frame.top};

    SelectMaterialDialogCallback* callback = Callback();
    HWND main = GetInterface()->GetMAXHWnd();
    if (const RECT* rect = callback->GetInitialWindowRect())
        MoveWindow(hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, FALSE);
    else
        CenterWindow(hWnd, main);
    for (const LayoutRecord& record : layout_) ApplyLayoutRecord(record);

    SetWindowTextW(hWnd, callback->GetTitle());
    if (main) {
        const LPARAM icon = static_cast<LPARAM>(GetClassLongPtrW(main, GCLP_HICONSM));
        SendMessageW(hWnd, WM_SETICON, ICON_SMALL, icon);
        SendMessageW(hWnd, WM_SETICON, ICON_BIG, icon);
    }

    TakeInitialSettings();
    SetDlgItemTextW(hWnd, IDOK, callback->GetOKText());

    const int shown = callback->GetDisplayFilterCount();
    for (int i = 0; i < kNumDisplayFilters; ++i) {
        HWND check = GetDlgItem(hWnd, kFilterChecks[i]);
        if (i < shown) SetWindowTextW(check, callback->GetDisplayFilterLabel(i));
        ShowWindow(check, i < shown ? SW_SHOW : SW_HIDE);
    }
}

// ---- the list

void SelectMaterialDialogWindow::Refresh() {
    HWND hWnd = GetWindowHandle();
    for (int i = 0; i < kNumDisplayFilters; ++i) SetFilterCheck(i);
    CheckDlgButton(hWnd, GetSortMode() == 1 ? IDC_SORT_BY_TYPE : IDC_SORT_BY_NAME, BST_CHECKED);
    Sort();
    CheckDlgButton(hWnd, IDC_SHOW_SUBTREE, IsFlatList() ? BST_UNCHECKED : BST_CHECKED);
    if (IsFlatList())
        FillFlatList();
    else
        FillTreeList();
}

void SelectMaterialDialogWindow::SetFilterCheck(int index) {
    if (index < 0 || index >= kNumDisplayFilters) return;
    CheckDlgButton(GetWindowHandle(), kFilterChecks[index],
                   GetDisplayFilter()[index] ? BST_CHECKED : BST_UNCHECKED);
}

void SelectMaterialDialogWindow::FillFlatList() { FillList(); }

void SelectMaterialDialogWindow::FillTreeList() { FillList(); }

// The model's lines already fit the window system's line buffer (255 characters, no split pair).
void SelectMaterialDialogWindow::FillList() {
    SendList(list_, WM_SETREDRAW, FALSE);
    SendList(list_, LB_RESETCONTENT);
    int index = 0;
    for (const ListRow& row : FillRows()) {
        SendList(list_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(row.text.data()));
        SendList(list_, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(row.item));
        if (row.selected) SendList(list_, LB_SETSEL, TRUE, index);
        ++index;
    }
    SendList(list_, WM_SETREDRAW, TRUE);
    InvalidateRect(list_, nullptr, TRUE);
}

void SelectMaterialDialogWindow::SyncSelection(int update) {
    const int count = static_cast<int>(SendList(list_, LB_GETSELCOUNT));
    std::vector<int> selected(static_cast<size_t>(count > 0 ? count : 0));
    if (count > 0)
        SendList(list_, LB_GETSELITEMS, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(selected.data()));
    const int caret = static_cast<int>(SendList(list_, LB_GETCARETINDEX));
    const SelectionFollowUp followUp = SelectMaterialDialog::SyncSelection(selected, caret);
    if (!update || followUp.entries.empty()) return;

    // Setting an entry moves the anchor; the user's anchor is put back, the caret is set last.
    SendList(list_, WM_SETREDRAW, FALSE);
    const LRESULT anchor = SendList(list_, LB_GETANCHORINDEX);
    for (int entry : followUp.entries) SendList(list_, LB_SETSEL, followUp.select ? TRUE : FALSE, entry);
    SendList(list_, LB_SETANCHORINDEX, static_cast<WPARAM>(anchor));
    SendList(list_, WM_SETREDRAW, TRUE);
    InvalidateRect(list_, nullptr, FALSE);
    UpdateWindow(list_);
}
