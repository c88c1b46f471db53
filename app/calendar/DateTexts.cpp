#include "calendar/DateTexts.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/DateLib.h"
#include "base/StrProc.h"

namespace tavr::dates {

namespace {

constexpr std::array<std::string_view, 13> kMonthNames = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

// The date library writes the grouped text into a buffer of 20 characters:
// a sign, 14 digits, 4 separators and the NUL fill it.
constexpr std::size_t kLibraryGroupingLimit = 15;

std::string GroupLocally(const std::string& digits, char separator) {
    std::size_t start = digits.empty() || digits[0] != '-' ? 0 : 1;
    std::size_t end = start;
    while (end < digits.size() && digits[end] >= '0' && digits[end] <= '9')
        ++end;
    std::string out = digits.substr(0, start);
    for (std::size_t i = start; i < end; ++i) {
        out.push_back(digits[i]);
        const std::size_t left = end - i - 1;
        if (left > 0 && left % 3 == 0) out.push_back(separator);
    }
    out += digits.substr(end);
    return out;
}

std::string TwoDigits(int32_t n) {
    return ZeroPadded(n, 2);
}

// Day number of a Common Era or Julian date in 64 bits (no library), used to
// refuse dates whose day number does not fit in 32 bits.
int64_t WideDayNumber(int64_t year, int64_t month, int64_t day, bool gregorian) {
    const int64_t a = month <= 2 ? 1 : 0;
    const int64_t y = year + 4800 - a;
    const int64_t m = month + 12 * a - 3;
    int64_t jdn = day + FloorDiv(153 * m + 2, 5) + 365 * y + FloorDiv(y, 4);
    jdn += gregorian ? -FloorDiv(y, 100) + FloorDiv(y, 400) - 32045 : -32083;
    return jdn;
}

// "-?digits-digits-digits" with every number within 32 bits.
bool IsYearMonthDayForm(const std::string& s, int64_t& year, int64_t& month, int64_t& day) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && s[i] == '-') {
        negative = true;
        ++i;
    }
    int64_t fields[3] = {0, 0, 0};
    for (int f = 0; f < 3; ++f) {
        if (f > 0) {
            if (i >= s.size() || s[i] != '-') return false;
            ++i;
        }
        if (!strproc::ReadDigits(s, i, fields[f])) return false; // a field without digits
    }
    if (i != s.size()) return false;
    year = negative ? -fields[0] : fields[0];
    month = fields[1];
    day = fields[2];
    return true;
}

} // namespace

std::string_view MonthName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month)] : std::string_view{};
}

std::string GroupThousands(const std::string& digits, const std::string& separator) {
    if (separator.empty()) return digits;
    if (digits.size() <= kLibraryGroupingLimit && datelib::Available())
        return datelib::SeparateThousands(digits, separator[0]);
    return GroupLocally(digits, separator[0]);
}

std::string YearText(int32_t year, const std::string& thousandsSeparator) {
    const std::string plain = std::to_string(year);
    if (year < -9999 || year > 9999) return GroupThousands(plain, thousandsSeparator);
    return plain;
}

std::string ShortDateText(const EuroDate& date, int16_t order, const std::string& separator,
                          const std::string& thousandsSeparator, bool withCode) {
    const std::string y = YearText(date.year, thousandsSeparator);
    const std::string m = TwoDigits(date.month);
    const std::string d = TwoDigits(date.day);
    std::string text;
    switch (order) {
    case kOrderMonthDayYear:
        text = m + separator + d + separator + y;
        break;
    case kOrderDayMonthYear:
        text = d + separator + m + separator + y;
        break;
    default:
        text = y + separator + m + separator + d;
        break;
    }
    if (withCode) {
        if (date.calendar == kLetterCE)
            text += " CE";
        else if (date.calendar == kLetterJC)
            text += " JC";
    }
    return text;
}

std::string LongDateText(const EuroDate& date) {
    return "The " + strproc::Ordinal(date.day) + " day of " + std::string(MonthName(date.month)) +
           " in the year " + YearText(date.year) + " in the " +
           (date.calendar == kLetterJC ? "Julian" : "Common Era") + " Calendar";
}

bool ParseDateText(const std::string& text, EuroDate& date) {
    // Remove the spaces, then everything but digits and "-".
    const std::string s = strproc::KeepChars(strproc::RemoveSpaces(text), "-0123456789");
    int64_t year = 0, month = 0, day = 0;
    const int32_t letter = date.calendar;
    if (!IsYearMonthDayForm(s, year, month, day)) {
        date.valid = 0;
        return false;
    }
    if ((letter == kLetterCE || letter == kLetterJC) &&
        (month < 1 || month > 12 || day < 1 || day > 31 ||
         WideDayNumber(year, month, day, letter == kLetterCE) < std::numeric_limits<int32_t>::min() ||
         WideDayNumber(year, month, day, letter == kLetterCE) > std::numeric_limits<int32_t>::max())) {
        date.valid = 0;
        return false;
    }
    EuroDate work = date;
    if (datelib::StrToDate(s, kOrderYearMonthDay, work, letter) != 0) {
        date.valid = 0;
        return false;
    }
    work.calendar = letter;
    if (letter == kLetterCE || letter == kLetterJC) {
        datelib::EuroDateToJdn(work);
        if (work.valid != 1) {
            date.valid = 0;
            return false;
        }
    }
    work.valid = 1;
    date = work;
    return true;
}

std::string TimeOfDayText(double fraction, bool withSeconds) {
    if (!(fraction >= 0.0 && fraction < 1.0)) return "XX:XX:XX";
    if (!(fraction == 0.0 || fraction >= 1.0 - 1e-8)) fraction += 1e-8;
    int32_t s = static_cast<int32_t>(std::floor(86400.0 * fraction));
    if (s >= 86400) s = 86399;
    const int32_t seconds = s % 60;
    const int32_t minutes = (s / 60) % 60;
    const int32_t hours = s / 3600;
    std::string text = TwoDigits(hours) + ":" + TwoDigits(minutes);
    if (withSeconds) text += ":" + TwoDigits(seconds);
    return text;
}

std::string ZeroPadded(int64_t n, int width) {
    // As printf's "%0*lld" (the sign counts in the width), without its cost:
    // every calendar row of every conversion comes through here.
    const uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    const std::string digits = std::to_string(magnitude);
    const std::size_t body = digits.size() + (n < 0 ? 1 : 0);
    std::string text;
    if (n < 0) text += '-';
    if (width > 0 && static_cast<std::size_t>(width) > body)
        text.append(static_cast<std::size_t>(width) - body, '0');
    return text + digits;
}

std::string SpacedNumber(int64_t n) {
    return n >= 0 ? " " + std::to_string(n) : std::to_string(n);
}

bool SafeLibraryText(const std::string& text) {
    if (text.empty() || text.find('\0') != std::string::npos) return false;
    int64_t run = 0;
    bool inRun = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            run = inRun ? run * 10 + (c - '0') : (c - '0');
            inRun = true;
            if (run > std::numeric_limits<int32_t>::max()) return false;
        } else {
            inRun = false;
        }
    }
    return true;
}

} // namespace tavr::dates
