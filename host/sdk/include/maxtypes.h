#pragma once

#include "WindowsDefines.h"
#include "coreexp.h"

typedef wchar_t MCHAR;
#define _M(x) L##x

typedef int TimeValue;
#define TIME_NegInfinity TimeValue(0x80000000)
#define TIME_PosInfinity TimeValue(0x7fffffff)

// Ticks per frame at the host's default rate of 30 frames per second.
#define TIME_TICKSPERSEC 4800
#define GetTicksPerFrame() 160

typedef short BlockID;
typedef short ParamID;
typedef short FunctionID;
typedef unsigned int RefMessage;
typedef ULONG_PTR PartID;

class Animatable;
class ReferenceMaker;
class ReferenceTarget;
class IParamBlock2;
class Control;
class MtlBase;
class Mtl;
class Texmap;
class INode;
class Interface;
class ClassDesc;

typedef ReferenceTarget* RefTargetHandle;
typedef ReferenceMaker* RefMakerHandle;
