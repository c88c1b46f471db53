#include "session/StateFile.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <system_error>

#include "calendar/CalendarSet.h"
#include "session/TimeZone.h"

namespace tavr::session {

namespace {

constexpr const char* kEol = "\r\n";
constexpr const char* kLookingForSomething = "Looking for something?";

std::string Number(double value) {
    // The shortest fixed form that reads back as the same double.
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    return std::string(buf, end);
}

std::string Option(bool selected) {
    return selected ? "-1" : "0";
}

std::string Check(bool set) {
    return set ? "1" : "0";
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

// Reads one value a line: an unquoted value runs to the end of its line (CR LF,
// LF or CR); a quoted one to its closing quote, across line ends, with ""
// standing for one quote, and the rest of its line is dropped.
class ValueReader {
  public:
    explicit ValueReader(std::istream& in) : in_(in) {}

    std::optional<std::string> Next() {
        int c = in_.peek();
        if (c == std::char_traits<char>::eof()) return std::nullopt;
        while (c == ' ' || c == '\t') {
            in_.get();
            c = in_.peek();
        }
        std::string value;
        if (c == '"') {
            in_.get();
            for (;;) {
                c = in_.get();
                if (c == std::char_traits<char>::eof()) return std::nullopt; // no closing quote
                if (c == '"') {
                    if (in_.peek() != '"') break;
                    in_.get();
                }
                if (value.size() >= kMaxValueBytes) return std::nullopt;
                value += static_cast<char>(c);
            }
            std::size_t rest = 0;
            while ((c = in_.get()) != std::char_traits<char>::eof() && c != '\n' && c != '\r')
                if (++rest > kMaxValueBytes) return std::nullopt;
        } else {
            while ((c = in_.get()) != std::char_traits<char>::eof() && c != '\n' && c != '\r') {
                if (value.size() >= kMaxValueBytes) return std::nullopt;
                value += static_cast<char>(c);
            }
        }
        if (c == '\r' && in_.peek() == '\n') in_.get();
        return value;
    }

  private:
    std::istream& in_;
};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The whole value as a finite number in the invariant form, or nothing.
std::optional<double> ParseNumber(const std::string& text) {
    std::string_view s = Trim(text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The integer of a number; nothing when it is not one or lies outside
// [lo, hi].
std::optional<int> ParseInteger(const std::string& text, int lo, int hi) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) return std::nullopt;
    const double whole = std::floor(*value);
    if (whole < lo || whole > hi) return std::nullopt;
    return static_cast<int>(whole);
}

// A check box takes 0 (cleared), 1 (set) and 2 (greyed); only 1 is set.
std::optional<bool> ParseCheck(const std::string& text) {
    const std::optional<int> value = ParseInteger(text, 0, 2);
    if (!value) return std::nullopt;
    return *value == 1;
}

constexpr int kIntMin = -32768;
constexpr int kIntMax = 32767;

} // namespace

std::string FormatStateFile(const State& s) {
    std::string out;
    auto line = [&out](const std::string& value) {
        out += value;
        out += kEol;
    };
    line(Number(s.dblCurrentAJDate));
    line(std::to_string(s.currentCalendar));
    line(Option(s.moveForward));
    line(Option(s.plusSelected));
    line(Option(s.searchNext));
    line(Option(s.view == View::Greenwich));
    line(std::to_string(s.moveStepIndex));
    line(std::to_string(s.targetIndex));
    line(std::to_string(s.zoneIndex));
    line(std::to_string(s.refreshPeriodIndex));
    line(Check(s.repeatedly));
    line(Check(s.chkLog));
    line(Quoted(s.actualEclipseData));
    line(Quoted(kLookingForSomething));
    line(Option(s.logFormat == 0));
    for (bool include : s.logInclude)
        line(Check(include));
    line(std::to_string(s.monthCalendarIndex));
    return out;
}

RestoredState ParseStateFile(std::istream& in, const State& start) {
    RestoredState r;
    r.state = start;
    State& s = r.state;
    ValueReader reader(in);
    std::optional<std::string> v;
    // Each step reads one line; a false return ends the read there.
    auto next = [&]() -> bool {
        v = reader.Next();
        return v.has_value();
    };
    auto accepted = [&r]() { ++r.linesRead; };

    // 1: the moment.
    if (!next()) return r;
    const std::optional<double> moment = ParseNumber(*v);
    if (!moment || *moment < kEarliestMoment || *moment > kLatestMoment) return r;
    s.dblCurrentAJDate = *moment;
    accepted();
    // 2: the current calendar.
    if (!next()) return r;
    const std::optional<int> calendar = ParseInteger(*v, 0, kCalendarCount - 1);
    if (!calendar) return r;
    s.currentCalendar = static_cast<int16_t>(*calendar);
    accepted();
    // 3 to 5: forward, plus, next (any value but 0 selects them).
    for (bool* option : {&s.moveForward, &s.plusSelected, &s.searchNext}) {
        if (!next()) return r;
        const std::optional<int> value = ParseInteger(*v, kIntMin, kIntMax);
        if (!value) return r;
        *option = *value != 0;
        accepted();
    }
    // 6: exactly -1 selects Greenwich.
    if (!next()) return r;
    const std::optional<int> greenwich = ParseInteger(*v, kIntMin, kIntMax);
    if (!greenwich) return r;
    s.view = *greenwich == -1 ? View::Greenwich : View::Local;
    accepted();
    // 7 to 10: the list indices.
    if (!next()) return r;
    const std::optional<int> step = ParseInteger(*v, 0, kMoveStepCount - 1);
    if (!step) return r;
    s.moveStepIndex = static_cast<int16_t>(*step);
    accepted();
    if (!next()) return r;
    const std::optional<int> target = ParseInteger(*v, 0, kTargetCount - 1);
    if (!target) return r;
    s.targetIndex = static_cast<int16_t>(*target == kSarosTarget ? kAnyEclipseTarget : *target);
    accepted();
    if (!next()) return r;
    const std::optional<int> zone = ParseInteger(*v, 0, timezone::kZoneCount - 1);
    if (!zone) return r;
    s.zoneIndex = *zone;
    s.zoneOffset = ZoneMinutes(s);
    accepted();
    if (!next()) return r;
    const std::optional<int> refresh = ParseInteger(*v, 0, kRefreshPeriodCount - 1);
    if (!refresh) return r;
    s.refreshPeriodIndex = static_cast<int16_t>(*refresh);
    accepted();
    // 11: "repeatedly" is never restored.
    if (!next()) return r;
    s.repeatedly = false;
    accepted();
    // 12: log all results.
    if (!next()) return r;
    const std::optional<bool> logAll = ParseCheck(*v);
    if (!logAll) return r;
    s.chkLog = *logAll;
    accepted();
    // 13: the eclipse caption; 14 is dropped.
    if (!next()) return r;
    s.actualEclipseData = *v;
    accepted();
    if (!next()) return r;
    accepted();
    // 15: the log format.
    if (!next()) return r;
    const std::optional<int> format = ParseInteger(*v, kIntMin, kIntMax);
    if (!format) return r;
    s.logFormat = *format != 0 ? 0 : 1;
    accepted();
    // 16 to 26: the include switches.
    for (bool& include : s.logInclude) {
        if (!next()) return r;
        const std::optional<bool> value = ParseCheck(*v);
        if (!value) return r;
        include = *value;
        accepted();
    }
    // 27: the month calendar of the lunation window.
    if (!next()) return r;
    const std::optional<int> month = ParseInteger(*v, 0, kMonthCalendarCount - 1);
    if (!month) return r;
    s.monthCalendarIndex = static_cast<int16_t>(*month);
    accepted();
    r.complete = true;
    return r;
}

RestoredState ReadStateFile(const std::filesystem::path& path, const State& start) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return RestoredState{start, 0, false};
    std::ifstream in(path, std::ios::binary);
    if (!in) return RestoredState{start, 0, false};
    return ParseStateFile(in, start);
}

ActionResult StartUpResult(const RestoredState& restored, double nowAjd, std::optional<ClockTime> clock) {
    ActionResult result;
    if (restored.complete) {
        result.state = restored.state;
        result.state.nowMode = false;
        result.tail = ComputeTail(result.state, std::nullopt);
        result.kind = ResultKind::Done;
    } else {
        result = SetToNow(restored.state, nowAjd, clock);
    }
    result.historyDue = true;
    result.historyText = result.tail->display.historyText;
    result.eclipseType = 0;
    result.actionText = kRestoreActionText;
    result.extraLogText.clear();
    return result;
}

State ResetSettings(const State& in, bool logPreferences) {
    State s = in;
    s.currentCalendar = kCE;
    s.view = View::Local;
    s.searchNext = true;
    s.plusSelected = true;
    s.moveForward = true;
    s.repeatedly = false;
    s.chkLog = false;
    s.moveStepIndex = kDefaultMoveStep;
    s.refreshPeriodIndex = 2;
    s.targetIndex = 0;
    if (logPreferences) {
        s.logFormat = 0;
        s.logInclude.fill(true);
    }
    return s;
}

} // namespace tavr::session
