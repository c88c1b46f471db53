// Whether the window can reach a display, asked before the toolkit starts:
// the toolkit aborts the program when a display is named but does not answer.
#ifndef TAVR_DISPLAYCHECK_H
#define TAVR_DISPLAYCHECK_H

#include <functional>
#include <string>

namespace tavr::ui {

// Reads an environment variable (nullptr when unset).
using EnvironmentLookup = std::function<const char*(const char*)>;

struct DisplayCheck {
    bool ok = false;
    std::string problem; // what to tell the user when not ok, one line without the program's name
};

// On X11/Wayland systems: a platform named by QT_QPA_PLATFORM other than
// "xcb" and "wayland" (offscreen, minimal, ...) needs no display; otherwise
// the Wayland socket (WAYLAND_DISPLAY) or the X display (DISPLAY) must accept
// a connection. Elsewhere always ok.
DisplayCheck CheckDisplay(const EnvironmentLookup& environment);
DisplayCheck CheckDisplay(); // the process environment

} // namespace tavr::ui

#endif
