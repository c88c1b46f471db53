#include "base/StrProc.h"

#include <cmath>

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

} // namespace

std::size_t FindFirstInSet(std::string_view text, std::string_view set, std::size_t start) {
    if (start < 1) start = 1;
    for (std::size_t i = start - 1; i < text.size(); ++i)
        if (InSet(text[i], set)) return i + 1;
    return 0;
}

std::size_t FindFirstNotInSet(std::string_view text, std::string_view set, std::size_t start) {
    if (start < 1) start = 1;
    for (std::size_t i = start - 1; i < text.size(); ++i)
        if (!InSet(text[i], set)) return i + 1;
    return 0;
}

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

std::string StripLeadingPrefix(std::string_view text, std::string_view prefix) {
    if (prefix.empty()) return std::string(text);
    while (text.substr(0, prefix.size()) == prefix)
        text.remove_prefix(prefix.size());
    return std::string(text);
}

std::string ReplaceAllNoCase(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty()) return std::string(text);
    const std::string lowText = LowerLatin1(text);
    const std::string lowFind = LowerLatin1(find);
    std::string out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = lowText.find(lowFind, pos);
        if (hit == std::string::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(replacement);
        pos = hit + find.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string MinutesText(int64_t minutes) {
    if (minutes <= 0) return "0 minutes";
    const int64_t days = minutes / 1440;
    const int64_t hours = (minutes % 1440) / 60;
    const int64_t mins = minutes % 60;
    std::string parts[3];
    int count = 0;
    auto add = [&](int64_t n, const char* unit) {
        if (n <= 0) return;
        parts[count++] = std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
    };
    add(days, "day");
    add(hours, "hour");
    add(mins, "minute");
    if (count == 1) return parts[0];
    if (count == 2) return parts[0] + " and " + parts[1];
    return parts[0] + ", " + parts[1] + " and " + parts[2];
}

std::string RoundedMinutesText(double minutes) {
    if (std::isnan(minutes) || minutes <= 0.0) return "0 minutes";
    if (minutes >= 9.0e18) return MinutesText(INT64_MAX);
    return MinutesText(static_cast<int64_t>(std::llround(minutes)));
}

} // namespace tavr::strproc
