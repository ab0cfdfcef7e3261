#pragma once

#include <cstddef>

#include "SceneModel.h"

// Reads a scene file's text into the model, entry by entry as the text is parsed: every field is checked
// for its type and, for objects, against what a new object of the named class has; ids are only
// collected here (SceneCheck resolves them). Fails with SceneError.
SceneModel ReadScene(const char* text, size_t size);
