// tavr180 lunation: the grid of the lunation window without the window.
//
//   tavr180 lunation [TEXT] [--calendar SAR|VR|TVG|LDT] [--zone ZONE]
//                    [--greenwich] [--step N] [--json]
//
// TEXT is read as the window's date box reads it (current calendar CE); the
// lunation shown is the one "Display lunation with" shows for that moment,
// then N steps later (earlier when negative) as the window's previous and
// next buttons reach it. At the first or last lunation the buttons' message
// goes to standard error and the status is 3.
#include <charconv>
#include <limits>

#include "calendar/Calendars.h"
#include "cli/Cli.h"
#include "cli/CliArgs.h"
#include "lunation/LunationGrid.h"
#include "session/Session.h"
#include "session/TimeZone.h"

namespace tavr::cli {

namespace {

namespace lun = tavr::lunation;

constexpr const char* kLunationHelp =
    "Usage: tavr180 lunation [TEXT] [--calendar SAR|VR|TVG|LDT] [--zone ZONE]\n"
    "                        [--greenwich] [--step N] [--json]\n"
    "\n"
    "Shows the days of the lunation containing TEXT's moment (default: now) as the\n"
    "lunation window does: its title, the months it spans, and one line per day\n"
    "(number, Common Era date, date in the month calendar, picture, today, weekend).\n"
    "\n"
    "Options:\n"
    "  --calendar CODE  month calendar: SAR (default), VR, TVG or LDT\n"
    "  --zone ZONE      time zone, as for convert (default GMT)\n"
    "  --greenwich      dates in Greenwich time (default: local time)\n"
    "  --step N         the lunation N steps later (negative: earlier), as the\n"
    "                   window's previous/next buttons reach it\n"
    "  --json           one JSON object instead of text lines\n"
    "\n"
    "Exit status: 0 shown, 1 wrong use, 2 entry refused, 3 date or lunation out of\n"
    "range (the buttons' message at the first or last lunation), 4 to 6 as for convert.\n";

// The codes of --calendar, in the order of the window's list.
constexpr const char* kMonthCalendarCodes[lun::kMonthCalendarCount] = {"SAR", "VR", "TVG", "LDT"};

std::optional<int> MonthCalendarOfCode(const std::string& text) {
    const std::string code = Upper(text);
    for (int i = 0; i < lun::kMonthCalendarCount; ++i)
        if (code == kMonthCalendarCodes[i]) return i;
    return std::nullopt;
}

// A whole number, optionally signed, and nothing else.
std::optional<int64_t> StepCount(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc{} || end != last) return std::nullopt;
    return value;
}

std::string JsonOutput(const lun::Grid& grid) {
    json::Value days = json::Value::Array();
    for (int i = 0; i < lun::kCellCount; ++i) {
        const lun::Cell& c = grid.cells[static_cast<std::size_t>(i)];
        if (!c.visible) continue;
        json::Value day = json::Value::Object();
        day.Insert("number", c.number);
        day.Insert("dayNumber", c.dayNumber);
        day.Insert("cell", i);
        day.Insert("ce", c.commonEraText);
        day.Insert("text", c.calendarText);
        day.Insert("picture", c.picture);
        day.Insert("today", c.today);
        day.Insert("weekend", c.weekend);
        days.Append(std::move(day));
    }
    json::Value object = json::Value::Object();
    object.Insert("lunation", grid.lunation);
    object.Insert("title", grid.title);
    object.Insert("yearAndMonth", grid.yearAndMonth);
    object.Insert("windowTitle", grid.windowTitle);
    object.Insert("firstDay", grid.firstDay);
    object.Insert("days", std::move(days));
    return object.Compact() + "\n";
}

// Fixed-width columns, left-aligned.
std::string Pad(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string TextOutput(const lun::Grid& grid) {
    std::string out = grid.title + "\n" + grid.yearAndMonth + "\n";
    for (int i = 0; i < lun::kCellCount; ++i) {
        const lun::Cell& c = grid.cells[static_cast<std::size_t>(i)];
        if (!c.visible) continue;
        std::string line = (c.number < 10 ? " " : "") + std::to_string(c.number) + "  " +
                           Pad(c.commonEraText, 12) + Pad(c.calendarText, 22) + Pad(c.picture, 10);
        if (c.today) line += " today";
        if (c.weekend) line += " weekend";
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out;
}

} // namespace

int RunLunation(const std::vector<std::string>& args, std::string& out, std::string& err) {
    Arguments a;
    if (!ReadArguments(args, 0, {"--calendar", "--zone", "--step"}, {"--greenwich", "--json", "--help"}, a,
                       err))
        return kExitUsage;
    if (a.Has("--help")) {
        out += kLunationHelp;
        return kExitShown;
    }
    auto valueOf = [&a](std::string_view option) -> std::optional<std::string> {
        const auto found = a.values.find(option);
        return found == a.values.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    const std::optional<std::string> calendarArg = valueOf("--calendar"), zoneArg = valueOf("--zone"),
                                     stepArg = valueOf("--step");
    const bool greenwich = a.Has("--greenwich");
    const bool json = a.Has("--json");
    const std::vector<std::string>& words = a.words;

    int calendar = lun::kSarvenes;
    if (calendarArg) {
        const std::optional<int> c = MonthCalendarOfCode(*calendarArg);
        if (!c) {
            err += "tavr180: unknown month calendar \"" + Escaped(*calendarArg) +
                   "\" (one of SAR, VR, TVG, LDT)\n";
            return kExitUsage;
        }
        calendar = *c;
    }
    session::State state;
    if (zoneArg) {
        const std::optional<int> zone = timezone::ParseZoneArgument(*zoneArg);
        if (!zone) {
            err += "tavr180: unknown zone \"" + Escaped(*zoneArg) +
                   "\" (e.g. \"GMT + 05:30\" or +05:30, half hours from -12:00 to +12:00)\n";
            return kExitUsage;
        }
        state.zoneIndex = *zone;
    }
    state.zoneOffset = session::ZoneMinutes(state);
    state.view = greenwich ? session::View::Greenwich : session::View::Local;
    int64_t steps = 0;
    if (stepArg) {
        const std::optional<int64_t> n = StepCount(*stepArg);
        if (!n) {
            err += "tavr180: --step takes a whole number, not \"" + Escaped(*stepArg) + "\"\n";
            return kExitUsage;
        }
        steps = *n;
    }

    if (!LibrariesLoaded(err)) return kExitLibrary;
    const double now = MomentOfReading(ReadLocalClock());
    double moment = now;
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : " ") + w;
    if (!words.empty()) {
        state.dblCurrentAJDate = now;
        const session::ParseResult parsed = session::ParseDateEntry(text, state);
        if (parsed.error != 0) {
            const session::Message m = session::ShowEntryError(parsed.error);
            err += m.title + ": " + m.text + "\n";
            return kExitRefused;
        }
        if (const std::optional<session::Message> range = session::RangeCheck(parsed.moment)) {
            err += range->title + ": " + range->text + "\n";
            return kExitOutOfRange;
        }
        moment = parsed.moment;
    }

    const lun::LunationView view{session::ZoneMinutes(state), greenwich};
    int32_t lunation = lun::ShownLunationAt(moment);
    // The buttons move one lunation at a time and stop at the first or last.
    if (steps != 0) {
        const lun::Step direction = steps < 0 ? lun::Step::Previous : lun::Step::Next;
        const int64_t limit = steps < 0 ? lun::kFirstLunation : lun::kLastLunation;
        const int64_t room = steps < 0 ? lunation - limit : limit - lunation;
        const int64_t wanted =
            steps < 0 ? (steps == std::numeric_limits<int64_t>::min() ? std::numeric_limits<int64_t>::max()
                                                                      : -steps)
                      : steps;
        if (wanted > room) {
            const lun::StepResult refused = lun::StepLunation(static_cast<int32_t>(limit), direction);
            err += refused.messageTitle + ": " + refused.messageText + "\n";
            return kExitOutOfRange;
        }
        lunation = static_cast<int32_t>(lunation + steps);
    }

    const lun::Grid grid = lun::BuildLunationGrid(lunation, view, calendar, lun::TodayIn(view, now));
    out += json ? JsonOutput(grid) : TextOutput(grid);
    return kExitShown;
}

} // namespace tavr::cli
