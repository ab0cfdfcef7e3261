#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Scene files: the host's whole scene as JSON (docs/scene-format.md).
//
// Loading checks the whole file before it touches the scene. On success the host's scene is replaced
// by the file's (reset as for opening a file, then built, with no undo records). On any error the scene
// is left as it was and `error` holds one message that names the place in the file as a JSON path,
// such as "objects[3].blocks[0].params[2].value: expected a number for a float parameter", or
// "line 3, column 7: ..." for text that is not JSON.
// `progress`, when given, hears the share of the file read so far (0 to 100). `warnings`, when given,
// receives "place: what" for each value a loaded file sets that does not count (the load still succeeds).
bool LoadScene(const std::string& utf8Path, std::string& error,
               const std::function<void(int)>& progress = nullptr,
               std::vector<std::string>* warnings = nullptr);
bool LoadSceneText(const std::string& json, std::string& error, std::vector<std::string>* warnings = nullptr);

// Saving writes the scene in its one canonical form: loading a saved file and saving again gives the
// same text. SaveScene writes a temporary file beside the target and renames it over the target only
// once it is complete, so a failed save leaves the old file as it was. `progress`, when given, hears the
// share of the scene written so far (0 to 100).
std::string SaveSceneText();
bool SaveScene(const std::string& utf8Path, std::string& error,
               const std::function<void(int)>& progress = nullptr);

// Writes text to a file the same way: complete, or not at all.
bool WriteFileWhole(const std::string& utf8Path, const std::string& text, std::string& error);
// A file written beside its target under a temporary name and put in its place by Commit(), so that
// several files can be written all or nothing: write each, then commit each. An existing target must be
// one the user may write; its replacement keeps its permissions. Dropped uncommitted, or with the process
// interrupted by SIGINT or SIGTERM (not on Windows), the temporary file goes.
class StagedFile {
public:
    explicit StagedFile(std::string utf8Path);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // `fill` writes the whole text. False with "cannot write "<path>": <why>" in `error`.
    bool Write(const std::function<void(std::ostream&)>& fill, std::string& error);
    bool Commit(std::string& error);

private:
    bool Fail(const std::string& why, std::string& error);
    void Drop();  // removes the temporary file, if any
    std::string path_;
    std::string temp_;
    int cleanup_ = -1;  // the temporary file's entry among those removed on an interrupt
};
