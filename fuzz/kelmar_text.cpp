// The date library's texts: the date parse under any order and calendar
// letter, and the digit grouping with any text and separator. A refused text
// leaves the record alone; an accepted one is an existing date whose day
// number gives it back and whose text reads the same; the grouping stays in
// its 20 bytes and only inserts separators.
#include <cstring>
#include <memory>

#include "FuzzCheck.h"
#include "kelmar.h"

namespace {

bool SameDate(const EuroDate& a, const EuroDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

void Parse(const char* text, int32_t order, int32_t letter) {
    EuroDate d;
    std::memset(&d, 0x5a, sizeof d);
    const EuroDate before = d;
    const int32_t result = str_to_date(text, order, &d, letter);
    FUZZ_CHECK(result >= 0 && result <= 4, "result %d", result);
    if (result != 0) {
        FUZZ_CHECK(std::memcmp(&d, &before, sizeof d) == 0, "refused text (%d) changed the record", result);
        return;
    }
    FUZZ_CHECK(order == 2 && (letter == 'G' || letter == 'J' || letter == 'R'), "order %d letter %d accepted",
               order, letter);
    FUZZ_CHECK(d.calendar == letter && d.month >= 0 && d.day >= 0, "accepted %d-%d-%d", d.year, d.month,
               d.day);

    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "%d-%d-%d", d.year, d.month, d.day);
    EuroDate again{};
    FUZZ_CHECK(str_to_date(formatted, order, &again, letter) == 0 && SameDate(again, d),
               "\"%s\" reads differently", formatted);
    if (letter == 'R') return; // that calendar checks its dates itself

    FUZZ_CHECK(d.valid == 1 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31,
               "accepted \"%s\" valid %d", formatted, d.valid);
    EuroDate converted = d;
    converted.valid = 0;
    FUZZ_CHECK(euro_date_to_jdn(&converted) == d.dayNumber && converted.valid == 1,
               "\"%s\": parse day %d, conversion day %d", formatted, d.dayNumber, converted.dayNumber);
    EuroDate back{};
    back.calendar = letter;
    back.dayNumber = d.dayNumber;
    jdn_to_euro_date(&back);
    FUZZ_CHECK(SameDate(back, d) && back.valid == 1, "\"%s\" -> day %d -> %d-%d-%d", formatted, d.dayNumber,
               back.year, back.month, back.day);
}

// The number with the separator between groups of three digits, counted from
// the right; empty when the text is no [-]digits number.
std::string Grouped(const std::string& text, char separator) {
    const size_t sign = (!text.empty() && text[0] == '-') ? 1 : 0;
    const std::string digits = text.substr(sign);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return {};
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return text.substr(0, sign) + out;
}

void Group(const char* digits, int32_t separator) {
    constexpr size_t kOut = 20;
    // Exactly the promised 20 bytes, so that a write beyond them is caught.
    std::unique_ptr<char[]> out(new char[kOut]);
    std::memset(out.get(), 0x5a, kOut);
    separate_thousands(digits, separator, out.get());
    const char* end = static_cast<const char*>(std::memchr(out.get(), '\0', kOut));
    FUZZ_CHECK(end != nullptr, "no NUL in the 20 bytes");
    const std::string written(out.get(), static_cast<size_t>(end - out.get()));
    const std::string text(digits);
    const std::string grouped =
        (separator > 0 && separator <= 255) ? Grouped(text, static_cast<char>(separator)) : std::string();
    if (!grouped.empty() && grouped.size() < kOut) {
        FUZZ_CHECK(written == grouped, "\"%s\" with %d: \"%s\", expected \"%s\"", digits, separator,
                   written.c_str(), grouped.c_str());
    } else if (text.size() < kOut) {
        FUZZ_CHECK(written == text, "\"%s\" with %d: \"%s\"", digits, separator, written.c_str());
    } else {
        FUZZ_CHECK(written.empty(), "\"%s\" with %d: \"%s\"", digits, separator, written.c_str());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // First byte: order and calendar letter; second: the separator; the rest: the text.
    static constexpr int32_t kLetters[8] = {'G', 'J', 'R', 'G', 'J', 'R', 'g', 0};
    const int32_t order = (data[0] & 0x80) ? (data[0] >> 4) - 9 : 2;
    const int32_t letter = kLetters[data[0] & 7];
    const int32_t separator = static_cast<int8_t>(data[1]) == -1 ? 256 : data[1];
    const std::string text = fuzz::Text(data + 2, size - 2);
    Parse(text.c_str(), order, letter);
    Group(text.c_str(), separator);
    return 0;
}
