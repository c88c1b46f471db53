// The window's texts and the session's: the session keeps 8-bit Latin-1
// strings, the controls QString.
#ifndef TAVR_LATIN1_H
#define TAVR_LATIN1_H

#include <QString>
#include <string>
#include <string_view>

namespace tavr::ui {

inline QString Q(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string S(const QString& s) {
    return s.toLatin1().toStdString();
}

} // namespace tavr::ui

#endif
