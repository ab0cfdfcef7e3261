#pragma once

#include "LinePanelOptions.h"
#include "utilapi.h"

// The line converter utility: one static object, handed to the host by its class descriptor. Its panel
// (IDD_LINE_CONVERTER) runs the line conversion; its settings are the module's LinePanelOptions.
class Tvl3LineConverter : public UtilityObj {
public:
    // UtilityObj
    ~Tvl3LineConverter() override = default;
    void BeginEditParams(Interface* ip, IUtil* iu) override;
    void EndEditParams(Interface* ip, IUtil* iu) override;
    void SelectionSetChanged(Interface*, IUtil*) override {}
    void DeleteThis() override {}  // static: lives as long as the module
    void SetStartupParam(MSTR) override {}

private:
    Interface* ip_ = nullptr;
    IUtil* iu_ = nullptr;
    HWND panel_ = nullptr;
};

// The panel's settings, one object of the module (plugin/ModuleObjects.cpp).
extern LinePanelOptions theLinePanelOptions;

// The panel's window procedure.
INT_PTR CALLBACK LineConverterDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The run behind the panel's button: asks for confirmation, then converts the render-effect list with the
// panel's current options (the suffix as the edit holds it now) as one undo step named with string 2.
void RunLineConversion(HWND panel);
