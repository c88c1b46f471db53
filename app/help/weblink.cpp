#include "help/weblink.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace tavr::web {

QStringList BrowserCommand(const QString& address, const QString& searchPath,
                           const QString& browserVariable) {
    const QStringList folders = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (folders.isEmpty()) return {};
    if (const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"), folders);
        !xdgOpen.isEmpty())
        return {xdgOpen, address};
    for (const QString& command : browserVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        QStringList words = QProcess::splitCommand(command);
        if (words.isEmpty()) continue;
        const QString program = words.takeFirst();
        const QString found = program.contains(QLatin1Char('/'))
                                  ? (QFileInfo(program).isExecutable() ? program : QString())
                                  : QStandardPaths::findExecutable(program, folders);
        if (found.isEmpty()) continue;
        bool placed = false;
        for (QString& word : words) {
            if (!word.contains(QStringLiteral("%s"))) continue;
            word.replace(QStringLiteral("%s"), address);
            placed = true;
        }
        if (!placed) words << address;
        return QStringList{found} + words;
    }
    return {};
}

int DesktopOpener(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) return kBadFormat;
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return kFileNotFound;
    QStringList command = BrowserCommand(url.toString(QUrl::FullyEncoded), qEnvironmentVariable("PATH"),
                                         qEnvironmentVariable("BROWSER"));
    if (command.isEmpty()) return QDesktopServices::openUrl(url) ? kLaunched : kNoAssociation;
    const QString program = command.takeFirst();
    return QProcess::startDetached(program, command) ? kLaunched : kNoAssociation;
}

QString SecureAddress(const QString& address) {
    QString out = address;
    static const QRegularExpression http(QStringLiteral("http:"), QRegularExpression::CaseInsensitiveOption);
    out.replace(http, QStringLiteral("https:"));
    return out;
}

QString AddressExtension(const QString& address) {
    const qsizetype slash =
        std::max(address.lastIndexOf(QLatin1Char('\\')), address.lastIndexOf(QLatin1Char('/')));
    const QString last = slash < 0 ? address : address.mid(slash + 1);
    const qsizetype dot = last.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : last.mid(dot + 1).toLower();
}

QString LaunchFailureText(int result, const QString& address) {
    QString text = QStringLiteral("Error launching web browser, error code = %1.").arg(result);
    if (result == kNoAssociation)
        text += QStringLiteral("\n\nFile extension '") + AddressExtension(address) +
                QStringLiteral("' is not associated with any application program.");
    else if (result == kOutOfMemory)
        text += QStringLiteral("\n\nOut of memory.");
    else if (result == kFileNotFound)
        text += QStringLiteral("\n\nPlease try once more.");
    return text;
}

std::optional<session::Message> OpenWebPage(const QString& address, const Opener& opener) {
    const QString secure = SecureAddress(address);
    const int result = opener ? opener(secure) : DesktopOpener(secure);
    if (result > 32) return std::nullopt;
    return session::Message{kLaunchFailureTitle, LaunchFailureText(result, secure).toStdString(),
                            session::Icon::Warning, session::Buttons::Ok};
}

} // namespace tavr::web
