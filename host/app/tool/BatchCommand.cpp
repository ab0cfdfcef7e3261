#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <thread>

#include "ConvertCommand.h"
#include "SceneFile.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;

namespace {

using Json = nlohmann::ordered_json;

// What became of one scene of a batch.
struct FileResult {
    std::string scene;
    std::string output;
    int code = 0;
    std::string error;   // what the scene's conversion wrote to the error stream
    std::string report;  // its JSON report, when it succeeded
};

// The scene files of the inputs, in order: a folder's .json files sorted by name.
bool ExpandInputs(const std::vector<std::string>& inputs, std::vector<std::string>& files,
                  std::string& error) {
    for (const std::string& input : inputs) {
        std::error_code ec;
        const fs::path path = fs::u8path(input);
        if (!fs::is_directory(path, ec)) {
            files.push_back(input);
            continue;
        }
        std::vector<std::string> found;
        for (const fs::directory_entry& e : fs::directory_iterator(path, ec))
            if (e.path().extension() == ".json" && !fs::is_directory(e.path(), ec))
                found.push_back(e.path().u8string());
        if (ec) {
            error = input + ": " + ec.message();
            return false;
        }
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return true;
}

std::string OutputIn(const std::string& dir, const std::string& scene) {
    return (fs::u8path(dir) / fs::u8path(scene).filename()).u8string();
}

// The options of a request as arguments, for a worker process.
std::vector<std::string> OptionArgs(const ConvertRequest& req) {
    std::vector<std::string> args;
    for (const MtlOptionBit& o : MtlOptionBits) args.push_back((req.options & o.bit) ? o.onFlag : o.offFlag);
    if (!req.referenceName.empty()) args.insert(args.end(), {"--reference", req.referenceName});
    if (!req.lines) args.push_back("--no-lines");
    if (req.keepLineSources) args.push_back("--keep-line-sources");
    if (!req.lineSuffix.empty()) args.insert(args.end(), {"--line-suffix", req.lineSuffix});
    if (req.dryRun) args.push_back("--dry-run");
    if (req.undoAfter) args.push_back("--undo");
    return args;
}

// One argument as the command interpreter reads it back unchanged.
std::string Quote(const std::string& arg) {
#ifdef _WIN32
    return "\"" + arg + "\"";
#else
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
#endif
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Converts one scene in a process of its own: its report goes to a temporary file, its errors to another.
FileResult RunWorker(const ConvertRequest& req, const std::string& tool, const std::string& scene,
                     const fs::path& temp) {
    FileResult r;
    r.scene = scene;
    const fs::path report = temp.string() + ".report.json", errors = temp.string() + ".err";
    std::vector<std::string> args = {"convert", scene, "-q", "--report-json", report.u8string()};
    if (!req.dryRun) {
        if (req.inPlace)
            args.push_back("--in-place");
        else
            args.insert(args.end(), {"-o", OutputIn(req.outDir, scene)});
    }
    for (const std::string& a : OptionArgs(req)) args.push_back(a);
    std::string command = Quote(tool);
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + Quote(temp.u8string() + ".out") + " 2>" + Quote(errors.u8string());
#ifdef _WIN32
    command = "\"" + command + "\"";  // cmd /c takes the whole line in quotes
#endif
    int status = std::system(command.c_str());
#ifdef _WIN32
    r.code = status;
#else
    r.code = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : 1;
#endif
    r.error = ReadText(errors);
    if (r.code == 0) r.report = ReadText(report);
    std::error_code ec;
    for (const char* suffix : {".report.json", ".err", ".out"}) fs::remove(temp.string() + suffix, ec);
    return r;
}

// Converts one scene in this process.
FileResult RunHere(ConvertRequest req, const std::string& scene) {
    FileResult r;
    r.scene = scene;
    req.scenePath = scene;
    req.reportJsonPath.clear();
    req.quiet = true;
    std::ostringstream out, err;
    r.code = RunConvertCommand(req, out, err, nullptr, &r.report);
    r.error = err.str();
    return r;
}

// "N converted of M listed, E of F line effects -> OUT".
std::string Summary(const FileResult& r) {
    if (r.code != 0) {
        std::string why = r.error;
        while (!why.empty() && why.back() == '\n') why.pop_back();
        const std::string prefix = "tvl3host: ";
        if (why.rfind(prefix, 0) == 0) why.erase(0, prefix.size());
        return "FAILED: " + (why.empty() ? "exit code " + std::to_string(r.code) : why);
    }
    Json report = Json::parse(r.report, nullptr, false);
    if (report.is_discarded()) return "converted (no report)";
    std::ostringstream s;
    s << report["totals"]["converted"].get<int>() << " of " << report["totals"]["listed"].get<int>()
      << " materials converted";
    if (report.contains("lineTotals"))
        s << ", " << report["lineTotals"]["converted"].get<int>() << " of "
          << report["lineTotals"]["effects"].get<int>() << " line effects";
    if (report["output"].is_string()) s << " -> " << report["output"].get<std::string>();
    return s.str();
}

}  // namespace

int RunConvertBatch(const ConvertRequest& req, const std::string& tool, std::ostream& out,
                    std::ostream& err) {
    std::vector<std::string> files;
    std::string error;
    if (!ExpandInputs(req.inputs, files, error)) {
        err << "tvl3host: " << error << "\n";
        return 1;
    }
    const bool batch =
        files.size() != 1 || req.inputs.size() != 1 || files[0] != req.inputs[0] || !req.outDir.empty();
    if (!batch) return RunConvertCommand(req, out, err);
    if (!req.outputPath.empty()) {
        err << "tvl3host: -o names the output of one scene: with a folder use --out-dir DIR\n";
        return 2;
    }
    if (!req.outDir.empty()) {
        for (size_t k = 0; k < files.size(); ++k)
            for (size_t before = 0; before < k; ++before)
                if (fs::u8path(files[k]).filename() == fs::u8path(files[before]).filename()) {
                    err << "tvl3host: " << files[before] << " and " << files[k]
                        << " would both be written to " << OutputIn(req.outDir, files[k]) << "\n";
                    return 2;
                }
        std::error_code ec;
        fs::create_directories(fs::u8path(req.outDir), ec);
        if (!fs::is_directory(fs::u8path(req.outDir), ec)) {
            err << "tvl3host: cannot make the folder \"" << req.outDir << "\"\n";
            return 1;
        }
    }

    // Workers take the next scene until none is left; results keep the scenes' order.
    std::vector<FileResult> results(files.size());
    std::atomic<size_t> next{0};
    std::mutex print;
    const fs::path temp = fs::temp_directory_path() / ("tvl3host-" + std::to_string(std::random_device()()));
    auto work = [&](int worker) {
        for (size_t k; (k = next++) < files.size();) {
            results[k] = req.jobs > 1
                             ? RunWorker(req, tool, files[k], temp.string() + "-" + std::to_string(worker))
                             : RunHere(req, files[k]);
            std::lock_guard<std::mutex> lock(print);
            out << files[k] << ": " << Summary(results[k]) << "\n" << std::flush;
            if (results[k].code == 0) err << results[k].error << std::flush;  // the scene's warnings
        }
    };
    if (req.jobs > 1) {
        std::vector<std::thread> workers;
        for (int w = 0; w < std::min<int>(req.jobs, static_cast<int>(files.size())); ++w)
            workers.emplace_back(work, w);
        for (std::thread& t : workers) t.join();
    } else {
        work(0);
    }

    size_t failed = 0;
    Json all = Json::object();
    all["files"] = Json::array();
    for (const FileResult& r : results) {
        Json entry = Json::object();
        entry["scene"] = r.scene;
        entry["ok"] = r.code == 0;
        if (r.code == 0) {
            entry["report"] = Json::parse(r.report, nullptr, false);
        } else {
            ++failed;
            std::string why = r.error;
            while (!why.empty() && why.back() == '\n') why.pop_back();
            entry["error"] = why;
        }
        all["files"].push_back(entry);
    }
    all["totals"] = {{"files", results.size()}, {"failed", failed}};
    out << "Scenes: " << results.size() << ", " << results.size() - failed << " converted, " << failed
        << " failed\n";
    if (!req.reportJsonPath.empty() && !WriteFileWhole(req.reportJsonPath, all.dump(2) + "\n", error)) {
        err << "tvl3host: " << error << "\n";
        return 1;
    }
    return failed ? 1 : 0;
}
