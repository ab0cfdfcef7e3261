#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>

#include "SceneModel.h"

// Reads a scene file's text into the model, entry by entry as the text is parsed: every field is checked
// for its type and, for objects, against what a new object of the named class has; ids are only
// collected here (SceneCheck resolves them). Fails with SceneError.
// `progress`, when given, hears the share of the text read (0 to 100).
SceneModel ReadScene(const char* text, size_t size, const std::function<void(int)>& progress = nullptr);
// The same from an open file of the expected `size`, read a chunk at a time (ParseJsonTop); a failed read
// throws JsonReadError.
SceneModel ReadScene(std::FILE* file, size_t size, const std::function<void(int)>& progress = nullptr);
