#include "SceneFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "JsonFields.h"
#include "SceneBuilder.h"
#include "SceneCheck.h"
#include "SceneReader.h"
#include "SceneWriter.h"

namespace fs = std::filesystem;

namespace {

// The file's bytes, or an empty answer with `why` set.
bool ReadWholeFile(const fs::path& path, std::string& text, std::string& why) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        why = "it is a folder";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = std::strerror(errno);
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        why = "reading failed";
        return false;
    }
    text = content.str();
    return true;
}

// Writes beside the target, so that the rename stays on one file system, and renames over the target
// only once the text is complete. The random part keeps two saves of one file apart.
bool WriteThenRename(const fs::path& target, const std::function<void(std::ostream&)>& fill, std::string& why) {
    std::random_device random;
    fs::path temp = target;
    temp += fs::u8path("." + std::to_string(random()) + ".tmp");
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            why = std::strerror(errno);
            return false;
        }
        fill(out);
        out.close();
        if (!out) why = std::strerror(errno);
    }
    std::error_code ec;
    if (why.empty()) {
        fs::rename(temp, target, ec);
        if (ec) why = ec.message();
    }
    if (why.empty()) return true;
    fs::remove(temp, ec);
    return false;
}

}  // namespace

bool LoadSceneText(const std::string& json, std::string& error) {
    try {
        SceneModel model = ReadScene(json.data(), json.size());
        CheckScene(model);
        BuildScene(model);
    } catch (const SceneError& e) {
        error = e.what();
        return false;
    }
    error.clear();
    return true;
}

bool LoadScene(const std::string& utf8Path, std::string& error) {
    SceneModel model;
    try {
        // The text is gone before the scene is built.
        std::string text, why;
        if (!ReadWholeFile(fs::u8path(utf8Path), text, why)) {
            error = "cannot open \"" + utf8Path + "\": " + why;
            return false;
        }
        model = ReadScene(text.data(), text.size());
    } catch (const SceneError& e) {
        error = e.what();
        return false;
    } catch (const std::exception& e) {  // a path the file system cannot take
        error = "cannot open \"" + utf8Path + "\": " + e.what();
        return false;
    }
    try {
        CheckScene(model);
        BuildScene(model);
    } catch (const SceneError& e) {
        error = e.what();
        return false;
    }
    error.clear();
    return true;
}

std::string SaveSceneText() {
    std::string text;
    WriteScene([&](const std::string& piece) { text += piece; });
    return text;
}

bool SaveScene(const std::string& utf8Path, std::string& error) {
    return WriteFileWith(
        utf8Path, [](std::ostream& out) { WriteScene([&](const std::string& piece) { out << piece; }); }, error);
}

bool WriteFileWhole(const std::string& utf8Path, const std::string& text, std::string& error) {
    return WriteFileWith(
        utf8Path, [&](std::ostream& out) { out.write(text.data(), static_cast<std::streamsize>(text.size())); },
        error);
}

bool WriteFileWith(const std::string& utf8Path, const std::function<void(std::ostream&)>& fill, std::string& error) {
    std::string why;
    try {
        if (WriteThenRename(fs::u8path(utf8Path), fill, why)) {
            error.clear();
            return true;
        }
    } catch (const std::exception& e) {
        why = e.what();
    }
    error = "cannot write \"" + utf8Path + "\": " + why;
    return false;
}
