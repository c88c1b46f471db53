#include "main/ShutdownSignals.h"

#include <QObject>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tavr::ui {

#ifdef Q_OS_UNIX

namespace {

int signalPipe[2] = {-1, -1}; // [0] read by the event loop, [1] written by the handler

void OnSignal(int) {
    // Only async-signal-safe calls: one byte into the pipe. A full pipe
    // already holds a request, so a failed write loses nothing.
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

bool MakePipe() {
    if (signalPipe[0] >= 0) return true;
    int fds[2];
    if (::pipe(fds) != 0) return false;
    for (int fd : fds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    signalPipe[0] = fds[0];
    signalPipe[1] = fds[1];
    return true;
}

} // namespace

bool InstallShutdownSignals(QObject* parent, std::function<void()> onSignal) {
    if (!MakePipe()) return false;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [notifier, onSignal = std::move(onSignal), done = false]() mutable {
                         char bytes[64];
                         while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
                         }
                         if (done) return;
                         done = true;
                         notifier->setEnabled(false);
                         onSignal();
                     });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGHUP, &action, nullptr) == 0;
}

#else

bool InstallShutdownSignals(QObject*, std::function<void()>) {
    return false;
}

#endif

} // namespace tavr::ui
