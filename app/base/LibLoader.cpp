#include "base/LibLoader.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <utility>

#include "base/Platform.h"

namespace tavr {
namespace {

struct LoaderState {
    std::mutex mutex;
    std::string directory;
    bool directorySet = false;
    LoadErrorReporter reporter;
    std::map<std::string, void*> handles; // nullptr when the library could not be opened
    std::set<std::string> reported;
};

LoaderState& State() {
    static LoaderState state;
    return state;
}

std::string DefaultDirectory() {
    if (const char* env = std::getenv("TAVR_LIBDIR"); env && *env) return env;
    return platform::ProgramFolder();
}

// A report waiting to be delivered once the loader's lock is released, so
// that a reporter may itself bind exports or open a dialog.
struct PendingReport {
    std::string message;
    LoadErrorReporter reporter;
};

void Report(LoaderState& s, const std::string& key, const std::string& message,
            std::optional<PendingReport>& pending) {
    if (!s.reported.insert(key).second) return;
    pending = PendingReport{message, s.reporter};
}

void Deliver(const std::optional<PendingReport>& pending) {
    if (!pending) return;
    if (pending->reporter)
        pending->reporter(pending->message);
    else
        std::cerr << pending->message << std::endl;
}

} // namespace

std::string LibraryFileName(const std::string& name) {
#if defined(_WIN32)
    return name + ".dll";
#elif defined(__APPLE__)
    return "lib" + name + ".dylib";
#else
    return "lib" + name + ".so";
#endif
}

std::string ExportSymbolName(const std::string& name, int argBytes) {
#if defined(_WIN32) && !defined(_WIN64)
    return "_" + name + "@" + std::to_string(argBytes);
#else
    (void)argBytes;
    return name;
#endif
}

void SetLibraryDirectory(const std::string& dir) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.directory = dir;
    s.directorySet = true;
}

std::string LibraryDirectory() {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    return s.directorySet ? s.directory : DefaultDirectory();
}

void SetLoadErrorReporter(LoadErrorReporter reporter) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.reporter = std::move(reporter);
}

void ResetLoadReports() {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.reported.clear();
}

void* BindExport(const std::string& library, const std::string& name, int argBytes) {
    std::optional<PendingReport> pending;
    void* address = nullptr;
    {
        auto& s = State();
        std::lock_guard lock(s.mutex);
        auto it = s.handles.find(library);
        if (it == s.handles.end()) {
            const std::string file = LibraryFileName(library);
            const std::string dir = s.directorySet ? s.directory : DefaultDirectory();
            std::string error;
            void* handle = nullptr;
            const std::string inDir = dir.empty() ? std::string() : dir + "/" + file;
            if (!inDir.empty()) handle = platform::OpenLibraryFile(inDir, error);
#if defined(_WIN32)
            // Windows would search the current folder and PATH for a bare
            // name, where a planted DLL could wait: the folder only.
            if (inDir.empty()) error = "the program's folder is unknown";
#else
            if (!handle) {
                // A file of that name in the folder that does not load (not
                // a library, a wrong architecture) is what the message names,
                // not the search elsewhere that follows.
                std::string elsewhere;
                handle = platform::OpenLibraryFile(file, elsewhere);
                std::error_code ignored;
                if (inDir.empty() || !std::filesystem::exists(inDir, ignored)) error = elsewhere;
            }
#endif
            it = s.handles.emplace(library, handle).first;
            if (!handle)
                Report(s, library, "The library " + file + " could not be loaded (" + error + ").", pending);
        }
        if (it->second) {
            const std::string symbol = ExportSymbolName(name, argBytes);
            address = platform::LibrarySymbol(it->second, symbol);
            if (!address)
                Report(s, library + ":" + symbol,
                       "The function " + symbol + " was not found in the library " +
                           LibraryFileName(library) + ".",
                       pending);
        }
    }
    Deliver(pending);
    return address;
}

} // namespace tavr
