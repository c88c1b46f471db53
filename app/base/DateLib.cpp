#include "base/DateLib.h"

#include "base/LibLoader.h"

namespace tavr::datelib {
namespace {

constexpr const char* kLibrary = "kelmar";
constexpr int kGroupingBuffer = 20; // characters the library may write, NUL included

// The exports, bound once at the first call. Argument sizes are those of the
// 32-bit Windows names (_name@N).
struct Exports {
    decltype(&euro_date_to_jdn) toJdn =
        BindFunction<decltype(&euro_date_to_jdn)>(kLibrary, "euro_date_to_jdn", 4);
    decltype(&jdn_to_euro_date) fromJdn =
        BindFunction<decltype(&jdn_to_euro_date)>(kLibrary, "jdn_to_euro_date", 4);
    decltype(&euro_day_of_week) dayOfWeek =
        BindFunction<decltype(&euro_day_of_week)>(kLibrary, "euro_day_of_week", 4);
    decltype(&str_to_date) parse = BindFunction<decltype(&str_to_date)>(kLibrary, "str_to_date", 16);
    decltype(&separate_thousands) group =
        BindFunction<decltype(&separate_thousands)>(kLibrary, "separate_thousands", 12);
    decltype(&get_timezone) timezone = BindFunction<decltype(&get_timezone)>(kLibrary, "get_timezone", 0);
};

const Exports& Lib() {
    static const Exports exports;
    return exports;
}

} // namespace

bool Available() {
    const Exports& e = Lib();
    return e.toJdn && e.fromJdn && e.dayOfWeek && e.parse && e.group && e.timezone;
}

int32_t EuroDateToJdn(EuroDate& date) {
    if (auto f = Lib().toJdn) return f(&date);
    date.dayNumber = 0;
    date.valid = 0;
    return 0;
}

void JdnToEuroDate(EuroDate& date) {
    if (auto f = Lib().fromJdn) return f(&date);
    date.year = date.month = date.day = 0;
    date.valid = 0;
}

int16_t DayOfWeek(int32_t dayNumber) {
    if (auto f = Lib().dayOfWeek) return static_cast<int16_t>(f(dayNumber));
    return 0;
}

int32_t StrToDate(const std::string& text, int16_t order, EuroDate& date, int32_t letter) {
    if (auto f = Lib().parse) return f(text.c_str(), order, &date, letter);
    return -1;
}

std::string SeparateThousands(const std::string& digits, char separator) {
    auto f = Lib().group;
    if (!f) return digits;
    // The caller's buffer of 20 spaces; the text is kept up to the first NUL.
    char buffer[kGroupingBuffer + 1];
    for (char& c : buffer)
        c = ' ';
    buffer[kGroupingBuffer] = '\0';
    f(digits.c_str(), static_cast<unsigned char>(separator), buffer);
    return std::string(buffer);
}

int32_t GetTimezone() {
    if (auto f = Lib().timezone) return f();
    return 0;
}

} // namespace tavr::datelib
