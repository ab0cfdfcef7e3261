#pragma once

#include "utilapi.h"

// The material converter utility: one static object, handed to the host by its class descriptor. Its
// state (conversion list, reference material) is the process's MtlConverterState and outlives the panel.
class Tvl3MtlConverter : public UtilityObj {
public:
    // UtilityObj
    ~Tvl3MtlConverter() override = default;
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
