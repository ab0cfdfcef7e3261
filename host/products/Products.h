#pragma once

// Registers every stand-in class with the host: the Tavelin 2 and Tavelin 3 products, the host's
// Standard material with its shaders, and the other outside classes a scene may hold.
void RegisterStandInProducts();

// Product names, for HostCore::SetProductLoaded.
#define PRODUCT_TAVELIN2 L"Tavelin 2"
#define PRODUCT_TAVELIN3 L"Tavelin 3"
#define PRODUCT_HOST L"Host"
#define PRODUCT_FINALTOON L"finalToon"
#define PRODUCT_ILLUSTRATE L"Illustrate!"
#define PRODUCT_STDMAT_VARIANT L"Standard Variant"
