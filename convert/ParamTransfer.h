#pragma once

#include "ParamIDConverter.h"
#include "iparamb2.h"

// Copies the parameters of src into dst, each into the parameter that conv maps it to, when dst has
// that parameter with exactly the same type. Values are read and written at time 0; objects (materials,
// maps, nodes) are shared and controllers are copied. With resizeTables, a destination table takes the
// source's count; otherwise it keeps its own and receives only the entries both have. Parameters are
// taken in source order, so where several map to one destination the last one wins.
void TransferParamBlock(IParamBlock2* src, IParamBlock2* dst, bool resizeTables,
                        const ParamIDConverter& conv);
