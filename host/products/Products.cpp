#include "Products.h"

#include "hostcore.h"

void RegisterTavelin3MaterialClasses();
void RegisterTavelin2MaterialClasses();
void RegisterTavelin3LineClasses();
void RegisterTavelin2LineClasses();
void RegisterStandardMaterialClasses();
void RegisterHostMapClasses();

void RegisterStandInProducts() {
    RegisterHostMapClasses();
    RegisterStandardMaterialClasses();
    RegisterTavelin2MaterialClasses();
    RegisterTavelin3MaterialClasses();
    RegisterTavelin2LineClasses();
    RegisterTavelin3LineClasses();
}
