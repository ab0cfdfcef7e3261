#pragma once

#include "MtlConverterState.h"
#include "custcont.h"

// The material converter's panel (IDD_MTL_CONVERTER) while its window exists: it shows the conversion
// list and the reference material, and enables the option controls by the rules of MtlPanelEnabling.
class MtlConverterPanel : public MtlConverterView {
public:
    INT_PTR OnInitDialog(HWND hWnd);
    INT_PTR OnCommand(HWND hWnd, int control);
    void OnDestroy();

    // MtlConverterView
    void UpdateControls() override;
    void MtlListChanged() override { UpdateMtlList(); }

    // Refills the list box from the conversion list; the Delete and run buttons are enabled exactly when
    // the list has entries.
    void UpdateMtlList();

private:
    // The reference button's interface, held from WM_INITDIALOG to WM_DESTROY and given back once.
    class HeldButton {
    public:
        void Take(HWND control) {
            Release();
            button_ = GetICustButton(control);
        }
        void Release() {
            if (button_) ReleaseICustButton(button_);
            button_ = nullptr;
        }
        ICustButton* operator->() const { return button_; }
        explicit operator bool() const { return button_ != nullptr; }

    private:
        ICustButton* button_ = nullptr;
    };

    void PickReferenceMaterial();

    HWND hWnd_ = nullptr;
    HeldButton button_;
};

// The panel's window procedure.
INT_PTR CALLBACK MtlConverterDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A warning owned by the panel: text string textId under the converter's title (string 100).
void ShowPanelWarning(HWND panel, int textId);

// The module's panel object (plugin/ModuleObjects.cpp).
extern MtlConverterPanel theMtlConverterPanel;
