#pragma once

#include "JsonFields.h"
#include "SceneModel.h"

// Reads a parsed scene file into the model. Every field is checked for its type and, for objects,
// against what a new object of the named class has; ids are only collected here (SceneCheck resolves
// them). Fails with SceneError.
SceneModel ReadScene(const Json& doc);
