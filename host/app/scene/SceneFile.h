#pragma once

#include <functional>
#include <ostream>
#include <string>

// Scene files: the host's whole scene as JSON (docs/scene-format.md).
//
// Loading checks the whole file before it touches the scene. On success the host's scene is replaced
// by the file's (reset as for opening a file, then built, with no undo records). On any error the scene
// is left as it was and `error` holds one message that names the place in the file as a JSON path,
// such as "objects[3].blocks[0].params[2].value: expected a number for a float parameter", or
// "line 3, column 7: ..." for text that is not JSON.
bool LoadScene(const std::string& utf8Path, std::string& error);
bool LoadSceneText(const std::string& json, std::string& error);

// Saving writes the scene in its one canonical form: loading a saved file and saving again gives the
// same text. SaveScene writes a temporary file beside the target and renames it over the target only
// once it is complete, so a failed save leaves the old file as it was.
std::string SaveSceneText();
bool SaveScene(const std::string& utf8Path, std::string& error);

// Writes text to a file the same way: complete, or not at all.
bool WriteFileWhole(const std::string& utf8Path, const std::string& text, std::string& error);
// The same with text that `fill` writes to the stream.
bool WriteFileWith(const std::string& utf8Path, const std::function<void(std::ostream&)>& fill, std::string& error);
