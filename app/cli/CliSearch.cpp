// tavr180 search and tavr180 events: the search button and the event finder
// of the command line, through the session's search operations.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>

#include "astro/Lunar.h"
#include "base/Platform.h"
#include "calendar/DayNumbers.h"
#include "cli/Cli.h"
#include "cli/CliArgs.h"
#include "cli/CliLocal.h"
#include "cli/CliStreams.h"
#include "session/Search.h"
#include "session/TimeZone.h"

namespace tavr::cli {

namespace {

constexpr int kMaxCount = 10000;

// How near --from the greatest moment of an eclipse lies for the eclipse to
// count as the one on display, which the saros search starts from. Six
// hours take in every moment of the eclipse itself (even a long lunar
// eclipse's penumbral phase lasts about six hours in all) and a time typed
// to the hour or so, yet stay far below the two weeks at least between two
// eclipses, so that they never name two.
constexpr double kDisplayedEclipseDays = 6.0 / 24.0;

// The span of events asked for at a time: the output is written span by
// span, so that memory stays flat however long the range (about 30 years,
// 1,500 events).
constexpr double kEventSpanDays = 10000.0;

// The moment of an entered text under the state: an exit status on failure.
std::optional<int> MomentOf(const std::string& text, session::State& state, double& moment,
                            std::string& err) {
    const session::ParseResult parsed = session::ParseDateEntry(text, state);
    if (parsed.error != session::EntryError::None) {
        const session::Message m = session::ShowEntryError(parsed.error);
        err += m.title + ": " + m.text + "\n";
        return kExitRefused;
    }
    if (auto message = session::RangeCheck(parsed.moment)) {
        err += message->title + ": " + message->text + "\n";
        return kExitOutOfRange;
    }
    moment = parsed.moment;
    state.currentCalendar = parsed.calendar;
    return std::nullopt;
}

std::string WithoutCarriageReturns(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

json::Value EclipseJson(const session::SearchDetails& details) {
    json::Value eclipse = json::Value::Object();
    eclipse.Insert("type", details.record.eclipseType);
    eclipse.Insert("kind", details.data.lines[0]);
    eclipse.Insert("lunation", details.record.lunation);
    eclipse.Insert("saros", details.record.saros);
    eclipse.Insert("greatestTD", details.greatestTD);
    eclipse.Insert("label", details.data.label);
    eclipse.Insert("log", details.data.log);
    return eclipse;
}

// ---- the moments of the events ---------------------------------------------------

struct UtcTime {
    EuroDate date{};
    int hour = 0, minute = 0, second = 0;
};

// The CE date and the time of day (to the nearest second) of a UT moment.
UtcTime UtcOf(double ajd) {
    const double jd = ajd + 0.5;
    int64_t day = static_cast<int64_t>(std::floor(jd));
    int64_t seconds = std::llround((jd - std::floor(jd)) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    UtcTime t;
    t.date = DayNumberToEuroDate(static_cast<DayNumber>(day), kLetterCE);
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

std::string Format(const char* format, int a, int b, int c, int d, int e, int f) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d, e, f);
    return buffer;
}

std::string IsoText(double ajd) {
    const UtcTime t = UtcOf(ajd);
    return Format("%04d-%02d-%02d %02d:%02d:%02d UT", t.date.year, t.date.month, t.date.day, t.hour, t.minute,
                  t.second);
}

std::string IcsTime(double ajd) {
    const UtcTime t = UtcOf(ajd);
    return Format("%04d%02d%02dT%02d%02d%02dZ", t.date.year, t.date.month, t.date.day, t.hour, t.minute,
                  t.second);
}

// ---- iCalendar -------------------------------------------------------------------

// TEXT value: backslash, semicolon, comma and line ends escaped.
std::string IcsEscape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

// One content line, folded after 75 octets (continuations begin with a blank)
// without splitting a UTF-8 sequence, ended by CR LF.
std::string IcsLine(const std::string& line) {
    std::string out;
    size_t start = 0;
    size_t limit = 75;
    while (line.size() - start > limit) {
        size_t end = start + limit;
        while (end > start && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
            --end;
        out += line.substr(start, end - start) + "\r\n ";
        start = end;
        limit = 74;
    }
    return out + line.substr(start) + "\r\n";
}

std::string IcsStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    platform::UtcTime(now, &utc);
    return Format("%04d%02d%02dT%02d%02d%02dZ", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                  utc.tm_min, utc.tm_sec);
}

void AppendIcsHeader(std::string& out) {
    out += IcsLine("BEGIN:VCALENDAR");
    out += IcsLine("VERSION:2.0");
    out += IcsLine("PRODID:-//Quorvane Systems//tavr180 18.0//EN");
    out += IcsLine("CALSCALE:GREGORIAN");
    out += IcsLine("METHOD:PUBLISH");
}

// With the circumstances of a place, an eclipse runs from its first to its
// last contact there.
void AppendIcsEvent(std::string& out, const session::LunarEvent& e, const std::string& stamp,
                    const local::Place* place = nullptr, const local::Circumstances* seen = nullptr) {
    const std::string uid = std::string("tavr180-") + (e.eclipse ? "eclipse-" : "phase-") +
                            std::to_string(e.lunation) + "-" + std::to_string(e.phase) + "@quorvane-systems";
    std::string description;
    if (e.eclipse) {
        description = session::EclipseDataText(e.record, e.moment + 0.5).label;
        description += "Greatest eclipse " + IsoText(e.moment);
        if (seen) description += "\n" + LocalText(*place, *seen, IsoText);
    } else {
        description = "Lunation number = " + std::to_string(e.record.lunation);
    }
    out += IcsLine("BEGIN:VEVENT");
    out += IcsLine("UID:" + uid);
    out += IcsLine("DTSTAMP:" + stamp);
    out += IcsLine("DTSTART:" + IcsTime(seen ? FirstContact(*seen) : e.moment));
    if (seen) {
        out += IcsLine("DTEND:" + IcsTime(LastContact(*seen)));
        out += IcsLine(IcsGeo(*place));
    }
    out += IcsLine("SUMMARY:" + IcsEscape(e.summary));
    out += IcsLine("DESCRIPTION:" + IcsEscape(description));
    out += IcsLine("TRANSP:TRANSPARENT");
    out += IcsLine("END:VEVENT");
}

json::Value EventJson(const session::LunarEvent& e, json::Value local = {}) {
    json::Value object = json::Value::Object();
    object.Insert("ajd", e.moment);
    object.Insert("utc", IsoText(e.moment));
    object.Insert("summary", e.summary);
    object.Insert("lunation", e.lunation);
    object.Insert("phase", e.phase);
    if (e.eclipse) {
        session::SearchDetails details;
        details.record = e.record;
        details.data = session::EclipseDataText(e.record, e.moment + 0.5);
        details.greatestTD = e.record.greatest;
        json::Value eclipse = EclipseJson(details);
        if (!local.IsNull()) eclipse.Insert("local", std::move(local));
        object.Insert("eclipse", std::move(eclipse));
    } else {
        object.Insert("eclipse", json::Value());
    }
    return object;
}

// The events of [from, to) handed to `use` in time order, a span at a time:
// the spans' lists joined are the list of the whole, since each holds the
// events of its own moments, sorted. False when `use` asked to stop.
template <typename Use> bool ForEachEvent(double from, double to, bool phases, bool eclipses, Use use) {
    for (double start = from; start < to;) {
        const double end = std::min(to, start + kEventSpanDays);
        for (const session::LunarEvent& e : session::EventsBetween(start, end, phases, eclipses))
            if (!use(e)) return false;
        start = end;
    }
    return true;
}

// The state of the window after the eclipse on display at `moment` was
// found: the eclipse whose greatest moment lies within
// kDisplayedEclipseDays of it, searched for as the window's search finds it.
// The state as it was when there is none (the saros search then says so).
session::State WithEclipseOnDisplay(const session::State& state) {
    session::State from = state;
    from.dblCurrentAJDate = state.dblCurrentAJDate - 1.0;
    from.entryText.clear();
    from.searchNext = true;
    from.targetIndex = session::kTargetAnyEclipse;
    const session::ActionResult found = session::Search(from);
    if (found.kind != session::ResultKind::Done ||
        std::fabs(found.state.dblCurrentAJDate - state.dblCurrentAJDate) > kDisplayedEclipseDays)
        return state;
    session::State shown = found.state;
    shown.searchNext = state.searchNext;
    shown.targetIndex = state.targetIndex;
    shown.entryText.clear();
    return shown;
}

// --at: searches on past the eclipses not visible from the place, so that
// `result` is the first that is (or the search's end); its circumstances go to
// `seen`. A target other than an eclipse is a usage error.
std::optional<int> SeenFrom(const local::Place& place, session::ActionResult& result,
                            session::SearchDetails& details, std::optional<local::Circumstances>& seen,
                            std::string& err) {
    while (result.kind == session::ResultKind::Done && result.tail) {
        if (!details.eclipseFound) {
            err += "tavr180: --at needs an eclipse target (eclipse, lunar, solar, ..., saros)\n";
            return kExitUsage;
        }
        seen = local::VisibleFrom(details.record, place);
        if (seen) break;
        session::State next = result.state;
        next.entryText.clear();
        details = {};
        result = session::Search(next, &details);
    }
    return std::nullopt;
}

} // namespace

// ---- search ----------------------------------------------------------------------

int RunSearch(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err) {
    Arguments a;
    if (!ReadArguments(args, 1, {"--from", "--count", "--calendar", "--zone", "--at"},
                       {"--greenwich", "--json", "--help"}, a, err))
        return kExitUsage;
    if (a.Has("--help")) {
        out += "Usage: tavr180 search next|previous TARGET [--from TEXT] [--count N] [--calendar CODE]\n"
               "                      [--zone ZONE] [--greenwich] [--at LAT,LON[,HEIGHT]] [--json]\n"
               "\n"
               "TARGET saros: the next or previous eclipse of the saros series of the eclipse on\n"
               "display, which is the eclipse whose greatest moment lies within 6 hours of --from\n"
               "(default: now), and with --count the one found before.\n"
               "--at: only eclipses visible from the place (degrees north and east, metres),\n"
               "with their contacts, magnitude and the body's altitude there.\n";
        return kExitShown;
    }
    if (a.words.size() < 2 || (a.words[0] != "next" && a.words[0] != "previous")) {
        err += "tavr180: search needs next or previous and a target (try tavr180 --help)\n";
        return kExitUsage;
    }
    std::string targetText = a.words[1];
    for (size_t i = 2; i < a.words.size(); ++i)
        targetText += " " + a.words[i];
    const int16_t target = session::TargetOfName(targetText);
    if (target < 0) {
        err += "tavr180: unknown target \"" + Escaped(targetText) + "\" (try tavr180 --help)\n";
        return kExitUsage;
    }
    int count = 1;
    if (auto c = a.values.find("--count"); c != a.values.end()) {
        const std::string& n = c->second;
        const bool digits =
            !n.empty() && n.size() <= 6 && n.find_first_not_of("0123456789") == std::string::npos;
        count = digits ? std::stoi(n) : 0;
        if (count < 1 || count > kMaxCount) {
            err += "tavr180: --count takes a number from 1 to " + std::to_string(kMaxCount) + "\n";
            return kExitUsage;
        }
    }

    std::optional<local::Place> place;
    if (!PlaceOfOptions(a, place, err)) return kExitUsage;
    session::State state;
    if (!StateOfOptions(a, state, err)) return kExitUsage;
    if (!LibrariesLoaded(err)) return kExitLibrary;
    const ClockReading clock = ReadLocalClock();
    state.dblCurrentAJDate = MomentOfReading(clock);
    if (auto from = a.values.find("--from"); from != a.values.end()) {
        double moment = 0.0;
        if (auto status = MomentOf(from->second, state, moment, err)) return *status;
        state.dblCurrentAJDate = moment;
    }
    state.searchNext = a.words[0] == "next";
    state.targetIndex = target;
    if (target == session::kTargetSaros) state = WithEclipseOnDisplay(state);

    // Each hit is written as it is found.
    std::optional<json::ArrayWriter> array;
    if (a.Has("--json")) array.emplace(out);
    int status = kExitShown;
    for (int i = 0; i < count; ++i) {
        session::SearchDetails details;
        session::ActionResult result = session::Search(state, &details);
        std::optional<local::Circumstances> seen;
        if (place) {
            if (auto status = SeenFrom(*place, result, details, seen, err)) return *status;
        }
        if (result.kind != session::ResultKind::Done || !result.tail) {
            if (result.message) err += result.message->title + ": " + result.message->text + "\n";
            status = result.kind == session::ResultKind::Done ? kExitRefused : ExitStatusOf(result.kind);
            break;
        }
        if (array) {
            json::Value object = ResultObject(result);
            json::Value eclipse = details.eclipseFound ? EclipseJson(details) : json::Value();
            if (seen) eclipse.Insert("local", LocalJson(*place, *seen, IsoText));
            object.Insert("eclipse", std::move(eclipse));
            array->Add(object);
        } else {
            if (i > 0) out += "\n";
            out += result.actionText + "\n";
            out += TextOutput(*result.tail);
            if (details.eclipseFound) out += "Eclipse:\n" + WithoutCarriageReturns(details.data.label);
            if (seen) out += LocalText(*place, *seen, IsoText);
        }
        state = result.state;
        state.entryText.clear();
        if (!Send(streams, out)) break;
    }
    if (array) {
        array->End();
        out += '\n';
    }
    return status;
}

// ---- events ----------------------------------------------------------------------

int RunEvents(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err) {
    Arguments a;
    if (!ReadArguments(args, 1, {"--from", "--to", "--kind", "--at"}, {"--ics", "--json", "--help"}, a, err))
        return kExitUsage;
    if (a.Has("--help")) {
        out += "Usage: tavr180 events --from TEXT --to TEXT [--kind phases|eclipses|all]\n"
               "                      [--at LAT,LON[,HEIGHT]] [--ics|--json]\n"
               "--at: only the eclipses visible from the place (degrees north and east, metres),\n"
               "with their contacts, magnitude and the body's altitude there; in --ics each\n"
               "eclipse runs from its first to its last contact there.\n";
        return kExitShown;
    }
    if (!LibrariesLoaded(err)) return kExitLibrary;
    if (!a.words.empty()) {
        err += "tavr180: events takes no text outside --from and --to (try tavr180 --help)\n";
        return kExitUsage;
    }
    if (a.values.count("--from") == 0 || a.values.count("--to") == 0) {
        err += "tavr180: events needs --from TEXT and --to TEXT\n";
        return kExitUsage;
    }
    if (a.Has("--ics") && a.Has("--json")) {
        err += "tavr180: --ics and --json exclude each other\n";
        return kExitUsage;
    }
    const std::string kind = a.values.count("--kind") ? a.values.at("--kind") : "all";
    if (kind != "phases" && kind != "eclipses" && kind != "all") {
        err += "tavr180: --kind takes phases, eclipses or all\n";
        return kExitUsage;
    }
    std::optional<local::Place> place;
    if (!PlaceOfOptions(a, place, err)) return kExitUsage;
    session::State state;
    double from = 0.0;
    double to = 0.0;
    if (auto status = MomentOf(a.values.at("--from"), state, from, err)) return *status;
    if (auto status = MomentOf(a.values.at("--to"), state, to, err)) return *status;
    if (!(from < to)) {
        err += "tavr180: --to must lie after --from\n";
        return kExitUsage;
    }
    const bool ics = a.Has("--ics");
    if (ics && (UtcOf(from).date.year < 1 || UtcOf(to).date.year > 9999)) {
        err += "tavr180: iCalendar dates run from the year 1 to 9999 CE\n";
        return kExitUsage;
    }
    // Each event is written as it is made.
    const bool phases = kind != "eclipses";
    const bool eclipses = kind != "phases";
    // --at: the eclipses not visible from the place are left out.
    std::optional<local::Circumstances> seen;
    const auto hidden = [&](const session::LunarEvent& e) {
        seen.reset();
        if (!place || !e.eclipse) return false;
        seen = local::VisibleFrom(e.record, *place);
        return !seen;
    };
    const local::Place* at = place ? &*place : nullptr;
    if (ics) {
        const std::string stamp = IcsStamp();
        AppendIcsHeader(out);
        if (ForEachEvent(from, to, phases, eclipses, [&](const session::LunarEvent& e) {
                if (hidden(e)) return true;
                AppendIcsEvent(out, e, stamp, at, seen ? &*seen : nullptr);
                return Send(streams, out);
            }))
            out += IcsLine("END:VCALENDAR");
    } else if (a.Has("--json")) {
        json::ArrayWriter array(out);
        if (ForEachEvent(from, to, phases, eclipses, [&](const session::LunarEvent& e) {
                if (hidden(e)) return true;
                array.Add(EventJson(e, seen ? LocalJson(*place, *seen, IsoText) : json::Value()));
                return Send(streams, out);
            })) {
            array.End();
            out += '\n';
        }
    } else {
        ForEachEvent(from, to, phases, eclipses, [&](const session::LunarEvent& e) {
            if (hidden(e)) return true;
            out += IsoText(e.moment) + "  " + e.summary + "\n";
            if (seen) out += LocalText(*place, *seen, IsoText);
            return Send(streams, out);
        });
    }
    return kExitShown;
}

} // namespace tavr::cli
