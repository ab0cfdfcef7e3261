#pragma once

#include <string>

#include "JsonFields.h"

// The host's scene as a scene file. Nodes are numbered first, in tree order; then objects in the order
// they are met: from the nodes' materials, the editor slots 0 to 23 and the effect list, each object
// followed by what its references hold, in reference order (blocks inline).
Json WriteScene();

// The document as text: two-space indentation; an array or object that holds no object is written on
// one line.
std::string FormatSceneJson(const Json& doc);
