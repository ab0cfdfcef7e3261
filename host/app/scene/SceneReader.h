#pragma once

#include <cstddef>
#include <functional>

#include "SceneModel.h"

// Reads a scene file's text into the model, entry by entry as the text is parsed: every field is checked
// for its type and, for objects, against what a new object of the named class has; ids are only
// collected here (SceneCheck resolves them). Fails with SceneError.
// `progress`, when given, hears the share of the text read (0 to 100).
SceneModel ReadScene(const char* text, size_t size, const std::function<void(int)>& progress = nullptr);
