#include "base/Platform.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#if defined(_WIN32)
// windows.h first: shlobj.h needs its definitions.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <shlobj.h>
#else
#include <climits>
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace tavr::platform {

std::string QuoteWindowsArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
    // Backslashes are literal unless a quote follows them: then each one
    // (and the quote) is escaped, as before the closing quote.
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(2 * backslashes + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');
    return out + "\"";
}

std::string ProgramFileName(const std::string& name) {
#if defined(_WIN32)
    return name + ".exe";
#else
    return name;
#endif
}

#if defined(_WIN32)

namespace {

// Paths are held in UTF-8; the arguments of main() are in the ANSI code page.
std::wstring Wide(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                            nullptr);
    return out;
}

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n > 0 && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
                                message.back() == '.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code)
                           : message + " (error " + std::to_string(code) + ")";
}

} // namespace

std::string ProgramFolder(const char* argv0) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            path.clear();
            break;
        }
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2); // a long path: try again with room for it
    }
    std::string p = path.empty() && argv0 ? std::string(argv0) : Utf8(path);
    const std::size_t slash = p.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : p.substr(0, slash);
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

int RunInstead(const std::string& path, const std::vector<std::string>& args, std::string& error) {
    // _wspawnv joins the arguments with spaces as they are: each is quoted,
    // so that one with a space stays one argument.
    std::vector<std::wstring> quoted;
    quoted.reserve(args.size());
    for (const std::string& a : args)
        quoted.push_back(Wide(QuoteWindowsArgument(a), CP_ACP));
    std::vector<const wchar_t*> argv;
    for (const std::wstring& q : quoted)
        argv.push_back(q.c_str());
    argv.push_back(nullptr);
    const std::wstring program = Wide(path, CP_UTF8);
    const intptr_t status = _wspawnv(_P_WAIT, program.c_str(), argv.data());
    if (status == -1) {
        error = std::strerror(errno);
        return -1;
    }
    return static_cast<int>(status);
}

bool UtcTime(std::time_t t, std::tm* out) {
    return gmtime_s(out, &t) == 0;
}

void SetEnvironment(const std::string& name, const std::string& value) {
    _putenv_s(name.c_str(), value.c_str());
}

void UnsetEnvironment(const std::string& name) {
    _putenv_s(name.c_str(), ""); // an empty value removes the variable
}

void* OpenLibraryFile(const std::string& file, std::string& error) {
    // A relative folder (TAVR_LIBDIR) is taken against the current folder
    // here, once, rather than by the system's search order.
    const std::wstring given = Wide(file, CP_UTF8);
    std::wstring full(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.resize(n);
        n = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (n == 0 || n >= full.size()) {
        error = SystemMessage(GetLastError());
        return nullptr;
    }
    full.resize(n);
    // The DLL's own imports are looked for beside it first.
    HMODULE h = LoadLibraryExW(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!h) error = file + ": " + SystemMessage(GetLastError()); // named as dlerror() names it
    return reinterpret_cast<void*>(h);
}

void* LibrarySymbol(void* handle, const std::string& symbol) {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), symbol.c_str()));
}

std::string ApplicationDataFolder() {
    wchar_t path[MAX_PATH];
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)) && path[0])
        return Utf8(path);
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        if (GetDriveTypeW(root) == DRIVE_FIXED) return Utf8(root);
    }
    return {};
}

#else

std::string ProgramFolder(const char* argv0) {
    std::string path;
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) {
        path.assign(buffer, static_cast<std::size_t>(n));
    } else if (argv0 && std::strchr(argv0, '/')) {
        char resolved[PATH_MAX];
        path = realpath(argv0, resolved) ? resolved : argv0;
    }
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void UseBinaryStandardStreams() {}

int RunInstead(const std::string& path, const std::vector<std::string>& args, std::string& error) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    error = std::strerror(errno);
    return -1;
}

bool UtcTime(std::time_t t, std::tm* out) {
    return gmtime_r(&t, out) != nullptr;
}

void SetEnvironment(const std::string& name, const std::string& value) {
    setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnvironment(const std::string& name) {
    unsetenv(name.c_str());
}

void* OpenLibraryFile(const std::string& file, std::string& error) {
    void* h = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char* e = dlerror();
        error = e ? e : "unknown error";
    }
    return h;
}

void* LibrarySymbol(void* handle, const std::string& symbol) {
    return dlsym(handle, symbol.c_str());
}

std::string ApplicationDataFolder() {
    return {};
}

#endif

} // namespace tavr::platform
