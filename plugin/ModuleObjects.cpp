#include "ModuleObjects.h"

HINSTANCE hInstance = nullptr;

// Constructed in this order when the module is loaded and destroyed in the reverse order when it is
// unloaded. The order is deliberate and holds only because every module-wide object is defined in this
// one file: C++ leaves the order of construction across files unspecified.
Tab<ClassDesc*> theClassDescList;
CDescTvl3MtlConverter theMtlConverterDesc;
CDescTvl3LineConverter theLineConverterDesc;
Tvl3MtlConverter theTvl3MtlConverter;
MtlPanelStates theMtlPanelStates;        // the material panel's check states, defaults until changed
MtlConverterPanel theMtlConverterPanel;  // the material panel's window side while it is open
MtlConvUtilDADMgr theMtlConvUtilDADMgr;  // drops on the reference button; points at the utility above
Tvl3LineConverter theTvl3LineConverter;
LinePanelOptions theLinePanelOptions;  // the line panel's settings with the name suffix "_TVL3"
