#include "base/LibLoader.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>
#endif

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

std::string ProgramDirectory() {
#if defined(_WIN32)
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n);
#else
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    std::string p(path, static_cast<size_t>(n));
#endif
    auto slash = p.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : p.substr(0, slash);
}

std::string DefaultDirectory() {
    if (const char* env = std::getenv("TAVR_LIBDIR"); env && *env) return env;
    return ProgramDirectory();
}

void* OpenLibrary(const std::string& file, std::string& error) {
#if defined(_WIN32)
    HMODULE h = LoadLibraryA(file.c_str());
    if (!h) error = "error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(h);
#else
    void* h = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char* e = dlerror();
        error = e ? e : "unknown error";
    }
    return h;
#endif
}

void* FindSymbol(void* handle, const std::string& symbol) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), symbol.c_str()));
#else
    return dlsym(handle, symbol.c_str());
#endif
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
            if (!inDir.empty()) handle = OpenLibrary(inDir, error);
            if (!handle) {
                // A file of that name in the folder that does not load (not
                // a library, a wrong architecture) is what the message names,
                // not the search elsewhere that follows.
                std::string elsewhere;
                handle = OpenLibrary(file, elsewhere);
                std::error_code ignored;
                if (inDir.empty() || !std::filesystem::exists(inDir, ignored)) error = elsewhere;
            }
            it = s.handles.emplace(library, handle).first;
            if (!handle)
                Report(s, library, "The library " + file + " could not be loaded (" + error + ").", pending);
        }
        if (it->second) {
            const std::string symbol = ExportSymbolName(name, argBytes);
            address = FindSymbol(it->second, symbol);
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
