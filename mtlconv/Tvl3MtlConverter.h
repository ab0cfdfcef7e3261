#pragma once

#include "MtlPanelStates.h"
#include "utilapi.h"

class Mtl;
class ReferenceTarget;

// The material converter utility: one static object, handed to the host by its class descriptor. Its
// state (conversion list, reference material) is the process's MtlConverterState and outlives the panel;
// the panel's check states are the module's MtlPanelStates.
class Tvl3MtlConverter : public UtilityObj {
public:
    // UtilityObj
    ~Tvl3MtlConverter() override = default;
    void BeginEditParams(Interface* ip, IUtil* iu) override;
    void EndEditParams(Interface* ip, IUtil* iu) override;
    void SelectionSetChanged(Interface*, IUtil*) override {}
    void DeleteThis() override {}  // static: lives as long as the module
    void SetStartupParam(MSTR) override {}

    Mtl* ReferenceMaterial() const;
    // Holds m (the object itself, never a copy) as the reference material and refreshes the panel once the
    // host has added its page.
    void SetReferenceMaterial(Mtl* m);

private:
    Interface* ip_ = nullptr;
    IUtil* iu_ = nullptr;
    HWND panel_ = nullptr;
};

// Whether obj may serve as the reference material: a Tavelin 3 material.
bool IsTavelin3Material(ReferenceTarget* obj);

// The module's objects the panel works with (plugin/ModuleObjects.cpp).
extern Tvl3MtlConverter theTvl3MtlConverter;
extern MtlPanelStates theMtlPanelStates;
