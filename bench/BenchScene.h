#pragma once

#include <vector>

#include "max.h"

// A generated production-like scene: n materials of every kind the material converter takes (Standard
// with Blinn and with finalToon, the Standard variant, Tavelin 2 with zones and strokes), each on
// nodesPerMaterial nodes, with reflection/refraction and stroke maps shared between materials, and the
// first materials in the editor slots. Answers the materials in scene order.
std::vector<Mtl*> BuildBenchScene(int n, int nodesPerMaterial);
