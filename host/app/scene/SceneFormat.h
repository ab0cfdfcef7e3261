#pragma once

// Names fixed by the scene file format (docs/scene-format.md).

// The first two fields of every scene file. Saving writes the current version; loading also reads the
// oldest one, where a reference the file leaves out is cleared instead of keeping the class's default.
#define SCENE_FORMAT_NAME "tvl3host-scene"
#define SCENE_FORMAT_VERSION 2
#define SCENE_FORMAT_OLDEST_VERSION 1

// The host's keyframe controllers have no class descriptor; files name them with these.
#define SCENE_FLOAT_CONTROLLER_CLASS "LinearFloatController"
#define SCENE_POINT3_CONTROLLER_CLASS "LinearPoint3Controller"
