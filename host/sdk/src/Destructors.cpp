// The SDK's interface classes keep their destructors here, so that each class has one home in the host
// SDK module, from which the host and the plug-ins take it.
#include "control.h"
#include "custcont.h"
#include "hostcore.h"
#include "iFnPub.h"
#include "imtl.h"
#include "maxapi.h"
#include "plugapi.h"
#include "render.h"
#include "shaders.h"
#include "stdmat.h"
#include "utilapi.h"

BaseInterface::~BaseInterface() = default;
Control::~Control() = default;
IKeyControl::~IKeyControl() = default;
RestoreObj::~RestoreObj() = default;
ProgressSink::~ProgressSink() = default;
IRefList::~IRefList() = default;
FPInterface::~FPInterface() = default;
FPMixinInterface::~FPMixinInterface() = default;
ISubMap::~ISubMap() = default;
MtlBase::~MtlBase() = default;
Mtl::~Mtl() = default;
Texmap::~Texmap() = default;
UVGen::~UVGen() = default;
Interface::~Interface() = default;
Interface7::~Interface7() = default;
ClassDesc::~ClassDesc() = default;
ClassDesc2::~ClassDesc2() = default;
DADMgr::~DADMgr() = default;
ICustomControl::~ICustomControl() = default;
ICustEdit::~ICustEdit() = default;
ICustButton::~ICustButton() = default;
SpecialFX::~SpecialFX() = default;
Effect::~Effect() = default;
IReshading::~IReshading() = default;
BaseShader::~BaseShader() = default;
Shader::~Shader() = default;
StdMat::~StdMat() = default;
StdMat2::~StdMat2() = default;
IUtil::~IUtil() = default;
UtilityObj::~UtilityObj() = default;
