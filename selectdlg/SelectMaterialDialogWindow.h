#pragma once

#include <vector>

#include "SelectMaterialDialog.h"

// The window of the material selection dialog (dialog 65534): a resizable modal dialog whose list box
// shows the model's lines, flat or as an indented tree, with the sort, filter and selection commands.
// Every user action changes the model and the list box is refilled from it.
class SelectMaterialDialogWindow : public SelectMaterialDialog {
public:
    using SelectMaterialDialog::SelectMaterialDialog;
    ~SelectMaterialDialogWindow() override = default;

    // Runs the dialog modally, owned by the host's main window: 1 after OK, 2 otherwise.
    virtual INT_PTR DoModal();
    // The window procedure handed to the window system: finds the dialog object and forwards to DlgProc.
    static INT_PTR CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Message routing; every message but WM_INITDIALOG answers 0.
    virtual INT_PTR DlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnInitDialog(HWND hWnd);
    virtual INT_PTR OnCommand(HWND hWnd, int id, HWND hCtl, int code);
    virtual void OnSize();
    virtual void OnGetMinMaxInfo(HWND hWnd, MINMAXINFO* info);
    virtual void OnClose(HWND hWnd);
    virtual void OnDestroy(WPARAM wParam, LPARAM lParam);
    virtual void OnOK(HWND hWnd);
    virtual void OnCancel(HWND hWnd);
    virtual void OnSubtreeToggle();
    virtual void OnSortByName();
    virtual void OnSortByType();
    virtual void OnSelectAll();
    virtual void OnSelectNone();
    virtual void OnInvertSelection();
    virtual void OnDisplayFilter(HWND hCtl, int index);
    virtual void OnListCommand(int code);
    virtual void InitLayout();
    virtual void Refresh();
    virtual void SetFilterCheck(int index);
    virtual void FillFlatList();
    virtual void FillTreeList();
    // Carries the list box selection into the items; with update set, the other lines of a material the
    // user just selected or deselected follow it.
    virtual void SyncSelection(int update);

private:
    // A control that keeps its place (left, top) or follows the dialog's right and bottom edges.
    struct LayoutRecord {
        HWND control;
        int anchor;  // kKeep* and kFollow* bits
        int left, top, width, height;
        int parentWidth, parentHeight;  // the parent's client size when the record was made
    };
    LayoutRecord MakeLayoutRecord(HWND control, int anchor) const;
    static void ApplyLayoutRecord(const LayoutRecord& record);
    void FillList();
    // Sets every entry's selection from its current one.
    template <class NewState>
    void SelectEntries(NewState newState);

    HWND list_ = nullptr;
    SIZE minSize_ = {0, 0};
    std::vector<LayoutRecord> layout_;
};
