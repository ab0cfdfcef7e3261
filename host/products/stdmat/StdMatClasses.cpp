#include "AnisotropicShader.h"
#include "BlinnShader.h"
#include "FinalToonShader.h"
#include "IllustrateShader.h"
#include "StandardMtl.h"
#include "StandardVariantMtl.h"

// The Standard material, its variant and the shaders they take. Each shader is its product's own, so
// unloading finalToon or Illustrate! takes its shader away alone.
void RegisterStandardMaterialClasses() {
    RegisterStandIn<StandardMtl>(StandardMtl::kInfo);
    RegisterStandIn<StandardVariantMtl>(StandardVariantMtl::kInfo);
    RegisterStandIn<BlinnShader>(BlinnShader::kInfo);
    RegisterStandIn<AnisotropicShader>(AnisotropicShader::kInfo);
    RegisterStandIn<FinalToonShader>(FinalToonShader::kInfo);
    RegisterStandIn<IllustrateShader>(IllustrateShader::kInfo);
}
