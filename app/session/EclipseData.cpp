#include "session/EclipseData.h"

#include <array>
#include <cmath>

#include "astro/Lunar.h"
#include "base/StrProc.h"
#include "calendar/DateTexts.h"

namespace tavr::session {

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// "<name> phase starts hh:mm and lasts <duration>" for a half-duration in minutes.
std::string PhaseLine(const char* name, double cjd, double halfMinutes) {
    const double start = cjd - halfMinutes / 60.0 / 24.0;
    const double whole = strproc::RoundHalfEven(2.0 * halfMinutes);
    return std::string(name) + " phase starts " + dates::TimeOfDayText(start - std::floor(start), false) +
           " and lasts " + EclipseDurationText(static_cast<int64_t>(whole));
}

} // namespace

std::string EclipseDurationText(int64_t minutes) {
    if (minutes < 0) minutes = 0;
    std::string text;
    if (minutes >= 1440) {
        text = std::to_string(minutes / 1440) + "d ";
        minutes %= 1440;
    }
    return text + std::to_string(minutes / 60) + "h " + std::to_string(minutes % 60) + "m";
}

EclipseTexts EclipseDataText(const PhaseEventRecord& record, const State& state) {
    EclipseTexts texts;
    const int32_t type = record.eclipseType;
    if (type <= 0) return texts;
    std::array<std::string, 6> lines;
    lines[0] = lunar::EclipseKindText(static_cast<int16_t>(type));
    lines[1] = "Lunation number = " + std::to_string(record.lunation);
    lines[2] = "Saros number = " + std::to_string(record.saros);
    const double m = CjdFromAjd(state, state.dblCurrentAJDate);
    if (type >= 8) lines[3] = PhaseLine("Penumbral", m, record.semiPenumbral);
    if (type >= 9) lines[4] = PhaseLine("Umbral", m, record.semiPartial);
    if (type >= 10) lines[5] = PhaseLine("Total", m, record.semiTotal);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        texts.label += lines[i];
        if (i >= 3) texts.label += ".";
        texts.label += "\r\n";
        if (i == 0) {
            texts.log = lines[i];
        } else {
            texts.log += ", " + LowerAscii(lines[i]);
        }
    }
    texts.log += ".";
    return texts;
}

} // namespace tavr::session
