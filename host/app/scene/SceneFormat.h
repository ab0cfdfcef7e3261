#pragma once

// Names fixed by the scene file format (docs/scene-format.md).

// The first two fields of every scene file.
#define SCENE_FORMAT_NAME "tvl3host-scene"
#define SCENE_FORMAT_VERSION 1

// The host's keyframe controllers have no class descriptor; files name them with these.
#define SCENE_FLOAT_CONTROLLER_CLASS "LinearFloatController"
#define SCENE_POINT3_CONTROLLER_CLASS "LinearPoint3Controller"
