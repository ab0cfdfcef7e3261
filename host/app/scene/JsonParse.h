#pragma once

#include <string>

#include "JsonFields.h"

// Parses a scene file's text. Bad JSON fails with "line L, column C: ..."; a key given twice in one
// object fails with its path, since the JSON library itself would silently keep the last one.
Json ParseSceneJson(const std::string& text);
