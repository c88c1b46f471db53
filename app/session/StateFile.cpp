#include "session/StateFile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <system_error>

#include "base/StrProc.h"
#include "calendar/CalendarSet.h"
#include "session/Search.h"
#include "session/TimeZone.h"

namespace tavr::session {

namespace {

constexpr const char* kEol = "\r\n";
constexpr const char* kLookingForSomething = "Looking for something?";
constexpr int kMomentDigits = 15; // significant digits of the moment at least

// The moment: the shortest fixed form that reads back as the same double,
// padded with zeros to at least 15 significant digits ("2451545.12500000").
std::string Number(double value) {
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    std::string text(buf, end);
    if (!std::isfinite(value)) return text;
    int significant = 0;
    for (char c : text)
        if (c >= '0' && c <= '9' && (significant > 0 || c != '0')) ++significant;
    if (significant >= kMomentDigits) return text;
    if (text.find('.') == std::string::npos) text += '.';
    text.append(static_cast<std::size_t>(kMomentDigits - significant), '0');
    return text;
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

// A check box takes 0 (cleared), 1 (set) and 2 (greyed); only 1 is set. Its
// line is read by the numeric-value rule: the leading number of the text,
// none giving 0 ("abc" and an empty line clear the box); a value the box
// refuses ends the read.
std::optional<bool> ParseCheck(const std::string& text) {
    const double value = std::floor(strproc::LeadingNumber(text));
    if (!(value >= 0.0 && value <= 2.0)) return std::nullopt;
    return value == 1.0;
}

constexpr int kIntMin = -32768;
constexpr int kIntMax = 32767;

// ---- the 27 lines ------------------------------------------------------------

// How a line is written and read back.
enum class LineKind {
    Moment,     // the double; a finite number inside the accepted range
    Index,      // an index into a list of `count` entries
    Target,     // the search target's index; a saved saros target comes back as any eclipse
    Zone,       // the zone's index; zoneOffset follows
    Option,     // -1 / 0; any value but 0 selects
    Greenwich,  // -1 / 0; exactly -1 selects Greenwich
    Repeatedly, // 0 / 1, read and dropped: a repeated move is never restored
    Check,      // 0 / 1 (the numeric-value rule)
    Caption,    // the eclipse caption, quoted
    Fixed,      // the fixed quoted text, read and dropped
    LogFormat,  // -1 / 0 for the first log format
};

struct LineDescriptor {
    LineKind kind;
    int16_t State::*index = nullptr; // Index
    int count = 0;                   // Index: entries of its list
    bool State::*flag = nullptr;     // Option, Check
    int include = -1;                // Check of an include switch: its number
};

constexpr LineDescriptor Index(int16_t State::*index, int count) {
    return {LineKind::Index, index, count};
}
constexpr LineDescriptor OptionLine(bool State::*flag) {
    return {LineKind::Option, nullptr, 0, flag};
}
constexpr LineDescriptor CheckLine(bool State::*flag) {
    return {LineKind::Check, nullptr, 0, flag};
}
constexpr LineDescriptor IncludeLine(int include) {
    return {LineKind::Check, nullptr, 0, nullptr, include};
}

// The file, line by line: the writer and the reader both follow it.
constexpr std::array<LineDescriptor, kStateFileLines> kLines = {{
    {LineKind::Moment},                                     // 1 the moment
    Index(&State::currentCalendar, kCalendarCount),         // 2 the current calendar
    OptionLine(&State::moveForward),                        // 3 forward
    OptionLine(&State::plusSelected),                       // 4 plus
    OptionLine(&State::searchNext),                         // 5 next
    {LineKind::Greenwich},                                  // 6 Greenwich
    Index(&State::moveStepIndex, kMoveStepCount),           // 7 the move step
    {LineKind::Target},                                     // 8 the search target
    {LineKind::Zone},                                       // 9 the zone
    Index(&State::refreshPeriodIndex, kRefreshPeriodCount), // 10 the refresh period
    {LineKind::Repeatedly},                                 // 11 repeatedly
    CheckLine(&State::chkLog),                              // 12 log all results
    {LineKind::Caption},                                    // 13 the eclipse caption
    {LineKind::Fixed},                                      // 14 "Looking for something?"
    {LineKind::LogFormat},                                  // 15 the log format
    IncludeLine(kIncludeCE),                                // 16 to 26 the include switches
    IncludeLine(kIncludeJC),
    IncludeLine(kIncludeSAR),
    IncludeLine(kIncludeVR),
    IncludeLine(kIncludeLDT),
    IncludeLine(kIncludeTVG),
    IncludeLine(kIncludeCJD),
    IncludeLine(kIncludeAJD),
    IncludeLine(kIncludePhaseOfMoonAndIllumination),
    IncludeLine(kIncludeLunationAndAgeOfMoon),
    IncludeLine(kIncludeQLWC),
    Index(&State::monthCalendarIndex, kMonthCalendarCount), // 27 the month calendar
}};
static_assert(kLines[15].include == 0 && kLines[25].include == kLogIncludeCount - 1);

bool& Flag(State& s, const LineDescriptor& line) {
    return line.include >= 0 ? s.logInclude[static_cast<std::size_t>(line.include)] : s.*line.flag;
}
bool Flag(const State& s, const LineDescriptor& line) {
    return line.include >= 0 ? s.logInclude[static_cast<std::size_t>(line.include)] : s.*line.flag;
}

std::string WriteLine(const LineDescriptor& line, const State& s) {
    switch (line.kind) {
    case LineKind::Moment:
        return Number(s.dblCurrentAJDate);
    case LineKind::Index:
        return std::to_string(s.*line.index);
    case LineKind::Target:
        return std::to_string(s.targetIndex);
    case LineKind::Zone:
        return std::to_string(s.zoneIndex);
    case LineKind::Option:
        return Option(Flag(s, line));
    case LineKind::Greenwich:
        return Option(s.view == View::Greenwich);
    case LineKind::Repeatedly:
        return Check(s.repeatedly);
    case LineKind::Check:
        return Check(Flag(s, line));
    case LineKind::Caption:
        return Quoted(s.actualEclipseData);
    case LineKind::Fixed:
        return Quoted(kLookingForSomething);
    case LineKind::LogFormat:
        return Option(s.logFormat == 0);
    }
    return {};
}

// Takes one line's value into `s`; false when the value is refused.
bool ReadLine(const LineDescriptor& line, State& s, const std::string& v) {
    switch (line.kind) {
    case LineKind::Moment: {
        const std::optional<double> moment = ParseNumber(v);
        if (!moment || *moment < kEarliestMoment || *moment > kLatestMoment) return false;
        s.dblCurrentAJDate = *moment;
        return true;
    }
    case LineKind::Index:
    case LineKind::Target:
    case LineKind::Zone: {
        const int count = line.kind == LineKind::Target ? kTargetCount
                          : line.kind == LineKind::Zone ? timezone::kZoneCount
                                                        : line.count;
        const std::optional<int> index = ParseInteger(v, 0, count - 1);
        if (!index) return false;
        if (line.kind == LineKind::Index) {
            s.*line.index = static_cast<int16_t>(*index);
        } else if (line.kind == LineKind::Target) {
            s.targetIndex = static_cast<int16_t>(*index == kTargetSaros ? kTargetAnyEclipse : *index);
        } else {
            s.zoneIndex = *index;
            s.zoneOffset = ZoneMinutes(s);
        }
        return true;
    }
    case LineKind::Option:
    case LineKind::Greenwich:
    case LineKind::LogFormat: {
        const std::optional<int> value = ParseInteger(v, kIntMin, kIntMax);
        if (!value) return false;
        if (line.kind == LineKind::Option)
            Flag(s, line) = *value != 0;
        else if (line.kind == LineKind::Greenwich)
            s.view = *value == -1 ? View::Greenwich : View::Local;
        else
            s.logFormat = *value != 0 ? 0 : 1;
        return true;
    }
    case LineKind::Check: {
        const std::optional<bool> value = ParseCheck(v);
        if (!value) return false;
        Flag(s, line) = *value;
        return true;
    }
    case LineKind::Repeatedly:
        s.repeatedly = false;
        return true;
    case LineKind::Caption:
        s.actualEclipseData = v;
        return true;
    case LineKind::Fixed:
        return true;
    }
    return false;
}

} // namespace

std::string FormatStateFile(const State& s) {
    std::string out;
    for (const LineDescriptor& line : kLines) {
        out += WriteLine(line, s);
        out += kEol;
    }
    return out;
}

RestoredState ParseStateFile(std::istream& in, const State& start) {
    RestoredState r;
    r.state = start;
    ValueReader reader(in);
    // A line that is missing or refused ends the read; what came before stays.
    for (const LineDescriptor& line : kLines) {
        const std::optional<std::string> value = reader.Next();
        if (!value || !ReadLine(line, r.state, *value)) return r;
        ++r.linesRead;
    }
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

SaveTarget StateFileTarget(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    constexpr int kMaxLinks = 40; // as many as the system follows
    SaveTarget target{path, {}};
    std::error_code ec;
    for (int links = 0;; ++links) {
        const fs::file_status status = fs::symlink_status(target.file, ec);
        if (ec && status.type() != fs::file_type::not_found) {
            target.refusal = ec.message();
            return target;
        }
        if (status.type() == fs::file_type::not_found) return target; // a new file
        if (status.type() == fs::file_type::regular) return target;
        if (status.type() != fs::file_type::symlink) {
            target.refusal = target.file.string() + " is not a regular file";
            return target;
        }
        if (links == kMaxLinks) {
            target.refusal = std::make_error_code(std::errc::too_many_symbolic_link_levels).message();
            return target;
        }
        const fs::path to = fs::read_symlink(target.file, ec);
        if (ec) {
            target.refusal = ec.message();
            return target;
        }
        target.file = to.is_absolute() ? to : target.file.parent_path() / to;
    }
}

bool IsSaveLeftover(std::string_view name, std::string_view fileName) {
    constexpr std::size_t kRandom = 6;
    if (name.size() != fileName.size() + 1 + kRandom || name.substr(0, fileName.size()) != fileName ||
        name[fileName.size()] != '.')
        return false;
    for (char c : name.substr(fileName.size() + 1))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

int RemoveSaveLeftovers(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    const std::string name = file.filename().string();
    if (name.empty()) return 0;
    std::error_code ec;
    fs::directory_iterator it(file.parent_path().empty() ? fs::path(".") : file.parent_path(), ec);
    int removed = 0;
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path();
        std::error_code entryError;
        // symlink_status: a link is not a regular file, whatever it leads to.
        if (!IsSaveLeftover(entry.filename().string(), name) ||
            fs::symlink_status(entry, entryError).type() != fs::file_type::regular)
            continue;
        if (fs::remove(entry, entryError)) ++removed;
    }
    return removed;
}

ActionResult StartUpResult(const RestoredState& restored, double nowAjd, std::optional<ClockTime> clock) {
    ActionResult result;
    if (restored.complete) {
        result.state = restored.state;
        result.state.nowMode = false;
        FillTail(result);
        result.kind = ResultKind::Done;
    } else {
        result = SetToNow(restored.state, nowAjd, clock);
    }
    result.historyDue = true;
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
    s.refreshPeriodIndex = kDefaultRefreshPeriod;
    s.targetIndex = 0;
    if (logPreferences) {
        s.logFormat = 0;
        s.logInclude.fill(true);
    }
    return s;
}

} // namespace tavr::session
