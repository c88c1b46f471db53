#include "main/DisplayCheck.h"

#include <cstdlib>
#include <string_view>

#if defined(__unix__) && !defined(__APPLE__)
#define TAVR_CHECK_DISPLAY 1
#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace tavr::ui {

namespace {

bool Set(const char* value) {
    return value != nullptr && *value != '\0';
}

#ifdef TAVR_CHECK_DISPLAY

// A connection to a local socket at `path`.
bool SocketAnswers(const std::string& path) {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

bool WaylandAnswers(const char* display, const char* runtimeDir) {
    const std::string name = display;
    if (name.front() == '/') return SocketAnswers(name);
    if (!Set(runtimeDir)) return false;
    return SocketAnswers(std::string(runtimeDir) + "/" + name);
}

// The X server through libxcb, which the toolkit's X platform uses itself, so
// that every form of DISPLAY and its authorisation are honoured. Without
// libxcb only the local form ":N" is tried; other forms are left to the toolkit.
bool XAnswers(const char* display) {
    if (void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL)) {
        using Connect = void* (*)(const char*, int*);
        using HasError = int (*)(void*);
        using Disconnect = void (*)(void*);
        const auto connectTo = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
        const auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
        const auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
        bool ok = true;
        if (connectTo && hasError && disconnect) {
            void* connection = connectTo(display, nullptr);
            ok = connection != nullptr && hasError(connection) == 0;
            if (connection) disconnect(connection);
        }
        dlclose(xcb);
        return ok;
    }
    const std::string_view name = display;
    if (name.empty() || name.front() != ':') return true;
    const std::string_view number = name.substr(
        1, name.find('.') == std::string_view::npos ? std::string_view::npos : name.find('.') - 1);
    return SocketAnswers("/tmp/.X11-unix/X" + std::string(number));
}

#endif

} // namespace

DisplayCheck CheckDisplay(const EnvironmentLookup& environment) {
#ifdef TAVR_CHECK_DISPLAY
    const char* platform = environment("QT_QPA_PLATFORM");
    const char* wayland = environment("WAYLAND_DISPLAY");
    const char* x = environment("DISPLAY");
    bool tryWayland = Set(wayland);
    bool tryX = Set(x);
    if (Set(platform)) {
        // "xcb", "wayland;xcb", "offscreen:size=..." : the first platform named decides.
        const std::string_view list = platform;
        const std::string_view first = list.substr(0, list.find_first_of(";:"));
        const bool isWayland = first.substr(0, 7) == "wayland";
        if (first != "xcb" && !isWayland) return {true, {}};
        tryWayland = isWayland && Set(wayland);
        tryX = Set(x) && (first == "xcb" || list.find("xcb") != std::string_view::npos);
        if (!tryWayland && !tryX) {
            return {false, "the platform \"" + std::string(first) +
                               "\" has no display to open the window on (" +
                               (isWayland ? "WAYLAND_DISPLAY" : "DISPLAY") + " is not set)."};
        }
    } else if (!tryWayland && !tryX) {
        return {false, "there is no display to open the window on (DISPLAY is not set)."};
    }
    if (tryWayland && WaylandAnswers(wayland, environment("XDG_RUNTIME_DIR"))) return {true, {}};
    if (tryX && XAnswers(x)) return {true, {}};
    const std::string named = tryX ? std::string("\"") + x + "\"" : std::string("\"") + wayland + "\"";
    return {false, "the display " + named + " does not answer; the window cannot be opened."};
#else
    (void)environment;
    return {true, {}};
#endif
}

DisplayCheck CheckDisplay() {
    return CheckDisplay([](const char* name) -> const char* { return std::getenv(name); });
}

} // namespace tavr::ui
