#pragma once

#include "maxapi.h"

class CoreExport IUtil {
public:
    virtual ~IUtil();
    virtual void CloseUtility() = 0;
};

// A utility of the command panel.
class CoreExport UtilityObj {
public:
    virtual ~UtilityObj();
    virtual void BeginEditParams(Interface* ip, IUtil* iu) = 0;
    virtual void EndEditParams(Interface* ip, IUtil* iu) = 0;
    virtual void SelectionSetChanged(Interface* ip, IUtil* iu) {
        (void)ip;
        (void)iu;
    }
    virtual void DeleteThis() = 0;
    virtual void SetStartupParam(MSTR param) { (void)param; }
};
