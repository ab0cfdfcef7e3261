#pragma once

#include <deque>

#include "JsonFields.h"
#include "SceneModel.h"

// Reads one entry of an object's "blocks": the reference must hold a block of that ID in a new object of
// the class, and each parameter must be one of that block's, with the block's own type and a value of
// that type. Ids the values name are added to `uses` as references of `vertex`.
BlockModel ReadBlock(JsonRef j, const JsonPath& path, const ObjectModel& object, int vertex,
                     std::deque<IdUse>& uses);
