#pragma once

#include "ClassDescs.h"
#include "MtlConvUtilDADMgr.h"
#include "MtlConverterPanel.h"
#include "Tvl3LineConverter.h"
#include "Tvl3MtlConverter.h"
#include "tab.h"

// The module-wide objects (ModuleObjects.cpp): one of each, living as long as the module is loaded.
extern Tab<ClassDesc*> theClassDescList;
extern CDescTvl3MtlConverter theMtlConverterDesc;
extern CDescTvl3LineConverter theLineConverterDesc;
extern Tvl3MtlConverter theTvl3MtlConverter;
extern Tvl3LineConverter theTvl3LineConverter;
// theMtlPanelStates: Tvl3MtlConverter.h; theMtlConverterPanel: MtlConverterPanel.h;
// theMtlConvUtilDADMgr: MtlConvUtilDADMgr.h; theLinePanelOptions: Tvl3LineConverter.h
