// The end of a session: a logout or the system's shutdown ends the window with
// SIGTERM or SIGHUP. They are turned into a call on the event loop, so that
// the window can end as Quit does (saving its state) instead of vanishing.
#ifndef TAVR_SHUTDOWNSIGNALS_H
#define TAVR_SHUTDOWNSIGNALS_H

#include <functional>

class QObject;

namespace tavr::ui {

// From now on SIGTERM and SIGHUP call `onSignal` once, on the event loop of
// `parent`'s thread; later signals of the same kind are taken as the same
// request. The signal handler itself only writes a byte into a pipe (no Qt
// call is safe there). False when the pipe or the handlers cannot be set up;
// the signals then keep their default action. Does nothing off Unix.
bool InstallShutdownSignals(QObject* parent, std::function<void()> onSignal);

} // namespace tavr::ui

#endif
