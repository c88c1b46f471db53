#include "session/TimeZone.h"

#include "base/StrProc.h"
#include "base/TimeUnits.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace tavr::timezone {

using strproc::LeadingNumber;
using strproc::MinutesAsWords;
using strproc::RoundHalfEven;

namespace {

constexpr int kHalfHours = 24; // entries on each side of "GMT"

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
    return text;
}

} // namespace

std::string ZoneText(int index) {
    if (index < 0 || index >= kZoneCount) return {};
    const int h = index - kHalfHours;
    if (h == 0) return "GMT";
    std::string text = "GMT";
    text += h > 0 ? " + " : " - ";
    const int a = h < 0 ? -h : h;
    text += TwoDigits(a / 2);
    text += (a % 2 != 0) ? ":30" : ":00";
    return text;
}

std::vector<std::string> ZoneList() {
    std::vector<std::string> list;
    list.reserve(kZoneCount);
    for (int i = 0; i < kZoneCount; ++i)
        list.push_back(ZoneText(i));
    return list;
}

int ZoneIndexOfMinutes(int minutes) {
    if (minutes % 30 != 0) return -1;
    const int index = minutes / 30 + kHalfHours;
    return (index >= 0 && index < kZoneCount) ? index : -1;
}

int16_t ZoneMinutes(std::string_view entryText) {
    if (entryText == "Greenwich") return 0;
    // Hours from the 7th character, minutes from the 10th (1-based).
    const double hours = entryText.size() > 6 ? LeadingNumber(entryText.substr(6)) : 0.0;
    const double minutes = entryText.size() > 9 ? LeadingNumber(entryText.substr(9)) : 0.0;
    double offset = 60.0 * hours + minutes;
    if (entryText.find('-') != std::string_view::npos) offset = -offset;
    // Only list texts reach here from the window; keep anything else in range.
    if (!(offset >= std::numeric_limits<int16_t>::min())) offset = std::numeric_limits<int16_t>::min();
    if (!(offset <= std::numeric_limits<int16_t>::max())) offset = std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(std::trunc(offset));
}

std::optional<int> ParseZoneArgument(std::string_view text) {
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t') compact += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (compact.empty()) return std::nullopt;
    if (compact == "GMT" || compact == "GREENWICH" || compact == "UTC") return kGmtIndex;
    if (compact.rfind("GMT", 0) == 0 || compact.rfind("UTC", 0) == 0) compact.erase(0, 3);

    // [sign] hours [":" minutes]
    size_t pos = 0;
    int sign = 1;
    if (pos < compact.size() && (compact[pos] == '+' || compact[pos] == '-')) {
        if (compact[pos] == '-') sign = -1;
        ++pos;
    }
    auto readDigits = [&](int maxDigits, int& value) {
        const size_t start = pos;
        value = 0;
        while (pos < compact.size() && std::isdigit(static_cast<unsigned char>(compact[pos])) &&
               pos - start < static_cast<size_t>(maxDigits)) {
            value = value * 10 + (compact[pos] - '0');
            ++pos;
        }
        return pos > start;
    };
    int hours = 0;
    int minutes = 0;
    if (!readDigits(2, hours)) return std::nullopt;
    if (pos < compact.size()) {
        if (compact[pos] != ':') return std::nullopt;
        ++pos;
        const size_t start = pos;
        if (!readDigits(2, minutes) || pos - start != 2) return std::nullopt;
    }
    if (pos != compact.size() || minutes >= 60) return std::nullopt;
    const int index = ZoneIndexOfMinutes(sign * (hours * 60 + minutes));
    if (index < 0) return std::nullopt;
    return index;
}

double CjdFromAjd(double ajd, int16_t zoneMinutes, View view) {
    double cjd = ajd + 0.5;
    if (view == View::Local) cjd += zoneMinutes / kMinutesPerDay;
    return cjd;
}

double AjdFromCjd(double cjd, int16_t zoneMinutes, View view) {
    double ajd = cjd;
    if (view == View::Local) ajd -= zoneMinutes / kMinutesPerDay;
    return ajd - 0.5;
}

ZoneChange ChangeZone(double ajd, int16_t currentOffset, int16_t newOffset) {
    if (newOffset == currentOffset) return {ajd, currentOffset, false};
    return {ajd + (currentOffset - newOffset) / kMinutesPerDay, newOffset, true};
}

std::string DeltaTWords(double minutes) {
    if (std::isnan(minutes)) return "0 minutes";
    if (minutes >= 1440.0) return "More than 24 hours";
    const double m = RoundHalfEven(minutes);
    if (m <= 0.0) return "0 minutes";
    return MinutesAsWords(static_cast<int64_t>(m));
}

std::string NowClockText(int hour, int minute, View view, int16_t zoneOffset, bool qlwCurrent) {
    if (view == View::Greenwich && zoneOffset != 0) {
        int total = hour * 60 + minute + 1440 - zoneOffset;
        while (total < 0)
            total += 1440; // only for offsets beyond a day, never from the list
        while (total >= 1440)
            total -= 1440;
        hour = total / 60;
        minute = total % 60;
    }
    if (qlwCurrent) {
        hour -= 6;
        if (hour < 0) hour += 24;
    }
    return TwoDigits(hour) + ":" + TwoDigits(minute);
}

std::string TimeLabelSuffix(bool qlwCurrent, View view, int16_t zoneOffset) {
    const bool greenwich = view == View::Greenwich;
    if (qlwCurrent) return greenwich ? " (Greenwich QLW)" : " (local QLW)";
    if (zoneOffset != 0) return greenwich ? " (GMT)" : " (local)";
    return greenwich ? " (GMT=local)" : " (local=GMT)";
}

} // namespace tavr::timezone
