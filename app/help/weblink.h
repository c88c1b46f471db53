// Opening a web address in the user's default browser. A failure comes back
// as the message to show, which the caller shows through its message boxes.
#ifndef TAVR_WEBLINK_H
#define TAVR_WEBLINK_H

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "session/Session.h"

namespace tavr::web {

// Launch result codes in the shell's manner: above 32 is success.
inline constexpr int kLaunched = 33;
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kOutOfMemory = 8;
inline constexpr int kBadFormat = 11;
inline constexpr int kNoAssociation = 31;

// Opens an address and gives the launch result code.
using Opener = std::function<int(const QString& address)>;

// The program and its arguments that open `address` in a browser: xdg-open
// where it is on `searchPath` (the PATH's form, folders separated by ':'),
// else the first command of `browserVariable` (the form of $BROWSER:
// commands separated by ':', "%s" standing for the address, which is added
// as the last argument when there is none) whose program is there. Empty when
// neither is.
QStringList BrowserCommand(const QString& address, const QString& searchPath, const QString& browserVariable);

// The default opener: the command of BrowserCommand with the environment's
// PATH and BROWSER, started on its own (QDesktopServices where there is no
// such command). kLaunched when it started; kBadFormat for an address that
// is no valid URL; kFileNotFound for a file address whose file does not
// exist; kNoAssociation when no program takes the address.
int DesktopOpener(const QString& address);

inline constexpr const char* kLaunchFailureTitle = "Cannot launch web browser";

// Every "http:" (any letter case) made "https:".
QString SecureAddress(const QString& address);
// The extension named in the failure message: the part after the last "\"
// or "/" (the whole address without one), then the part after its last "."
// in lower case ("" without a ".").
QString AddressExtension(const QString& address);
// "Error launching web browser, error code = N." with, for 31, 8 and 2, the
// explanation after an empty line.
QString LaunchFailureText(int result, const QString& address);

// Opens the address (made secure) in the default browser. A result of 32 or
// less gives the failure message (title "Cannot launch web browser", warning
// icon, OK); success gives none.
std::optional<session::Message> OpenWebPage(const QString& address, const Opener& opener = DesktopOpener);

} // namespace tavr::web

#endif
