#include "base/StrProc.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tavr::strproc {

namespace {

bool InSet(char c, std::string_view set) {
    return set.find(c) != std::string_view::npos;
}

unsigned char LowerChar(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    if (c == 0x8A) return 0x9A; // S-caron
    if (c == 0x9F) return 0xFF; // Y-diaeresis
    return c;
}

std::string Plural(int64_t count, const char* word) {
    std::string text = std::to_string(count) + " " + word;
    if (count != 1) text += "s";
    return text;
}

} // namespace

std::string RemoveChars(std::string_view text, std::string_view set) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!InSet(c, set)) out.push_back(c);
    return out;
}

std::string KeepChars(std::string_view text, std::string_view set) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (InSet(c, set)) out.push_back(c);
    return out;
}

std::string RemoveSpaces(std::string_view text) {
    return RemoveChars(text, " ");
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string LowerLatin1(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(LowerChar(static_cast<unsigned char>(c)));
    return out;
}

int32_t CountOccurrences(std::string_view text, std::string_view sub, bool caseSensitive) {
    if (text.empty() || sub.empty()) return 0;
    std::string lowText, lowSub;
    if (!caseSensitive) {
        lowText = LowerLatin1(text);
        lowSub = LowerLatin1(sub);
        text = lowText;
        sub = lowSub;
    }
    int32_t count = 0;
    std::size_t pos = 0;
    while ((pos = text.find(sub, pos)) != std::string_view::npos) {
        ++count;
        pos += sub.size();
    }
    return count;
}

bool ValidateDayCount(std::string& text, bool removeCommas) {
    std::string t = Trim(text);
    if (t.empty()) return false;
    int digits = 0, dots = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++dots;
        } else if (c == '-' || c == '+') {
            if (i != 0) return false; // a sign only as the first character
        } else if (c != ',') {
            return false;
        }
    }
    if (digits == 0 || dots > 1) return false;
    text = removeCommas ? RemoveChars(t, ",") : t;
    return true;
}

std::string_view OrdinalSuffix(int64_t n) {
    if (n < 0) return "";
    const int64_t lastTwo = n % 100;
    if (lastTwo >= 11 && lastTwo <= 13) return "th";
    switch (n % 10) {
    case 1:
        return "st";
    case 2:
        return "nd";
    case 3:
        return "rd";
    default:
        return "th";
    }
}

std::string Ordinal(int64_t n) {
    return std::to_string(n) + std::string(OrdinalSuffix(n));
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest < 0.5) return down;
    if (rest > 0.5) return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

std::string MinutesAsWords(int64_t minutes) {
    if (minutes <= 0) return "0 minutes";
    const int64_t days = minutes / 1440;
    const int64_t hours = (minutes % 1440) / 60;
    const int64_t rest = minutes % 60;
    std::string text;
    if (days > 0) text = Plural(days, "day");
    if (hours > 0) {
        if (!text.empty()) text += " and ";
        text += Plural(hours, "hour");
    }
    if (rest > 0) {
        if (!text.empty()) text += " and ";
        text += Plural(rest, "minute");
    }
    const size_t first = text.find(" and");
    if (first != std::string::npos && text.find(" and", first + 1) != std::string::npos)
        text.replace(first, 4, ",");
    return text;
}

double LeadingNumber(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const size_t start = pos;
    bool point = false;
    bool digits = false;
    size_t integerDigits = 0; // significant digits before the point
    while (pos < text.size()) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            digits = true;
            if (!point && (integerDigits > 0 || c != '0')) ++integerDigits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++pos;
    }
    if (!digits) return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + start, text.data() + pos, value);
    if (result.ec == std::errc::result_out_of_range)
        value = integerDigits > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (result.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

bool ReadDigits(std::string_view text, std::size_t& pos, int64_t& value) {
    const std::size_t start = pos;
    int64_t v = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        v = v * 10 + (text[pos] - '0');
        if (v > std::numeric_limits<int32_t>::max()) return false;
        ++pos;
    }
    if (pos == start) return false;
    value = v;
    return true;
}

} // namespace tavr::strproc
