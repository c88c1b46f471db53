#include "cli/Cli.h"

#include <cstdio>
#include <iostream>

#include "base/LibLoader.h"
#include "calendar/DayNumbers.h"
#include "cli/CliArgs.h"
#include "cli/CliBatch.h"
#include "cli/CliLog.h"
#include "session/Session.h"
#include "session/TimeZone.h"

namespace tavr::cli {

namespace {

constexpr const char* kVersion = "tavr180 18.0\n";

constexpr const char* kHelp =
    "Usage: tavr180 convert [options] TEXT\n"
    "       tavr180 convert --batch [options] < FILE\n"
    "       tavr180 move STEP forward|back [--times N] [--from TEXT] [--calendar CODE]\n"
    "                    [--zone ZONE] [--greenwich] [--json]\n"
    "       tavr180 search next|previous TARGET [--from TEXT] [--count N] [--calendar CODE]\n"
    "                      [--zone ZONE] [--greenwich] [--json]\n"
    "       tavr180 events --from TEXT --to TEXT [--kind phases|eclipses|all] [--ics|--json]\n"
    "       tavr180 lunation [TEXT] [--calendar SAR|VR|TVG|LDT] [--zone ZONE]\n"
    "                        [--greenwich] [--step N] [--json]\n"
    "       tavr180 --help | --version\n"
    "\n"
    "Converts TEXT, typed as in the date box of the window (a date in any calendar,\n"
    "its code and an optional time, e.g. \"2000-01-01 CE 12:00\", \"102-25-10-26 VR\",\n"
    "\"2,451,545 AJD\"), to all nine calendars, and shows the time, the Moon and delta T.\n"
    "A TEXT beginning with \"-\" and a digit is read as the date; \"--\" ends the options.\n"
    "\n"
    "Options:\n"
    "  --calendar CODE  current calendar, assumed when TEXT has no code\n"
    "                   (CE, JC, SAR, VR, LDT, TVG, CJD, AJD, QLW; default CE)\n"
    "  --zone ZONE      time zone: a list entry such as \"GMT + 05:30\" or an offset\n"
    "                   such as +05:30 (half hours from -12:00 to +12:00; default GMT)\n"
    "  --greenwich      dates and times in Greenwich time (default: local time)\n"
    "  --days N         add N days to the entered moment\n"
    "  --minus          subtract the days instead\n"
    "  --json           one JSON object instead of text lines\n"
    "  --now            convert the present moment (no TEXT)\n"
    "  --log            print the log entry of the result instead (CR LF line ends)\n"
    "  --log-format F   calendar line of the entry: calendar=date (default) or\n"
    "                   \"date calendar,\"\n"
    "  --batch          convert each line of standard input as a TEXT, with the\n"
    "                   options above and the moment the batch began; one result\n"
    "                   a line, and a refused line does not stop the batch.\n"
    "                   Text: fields separated by tabs, either 0, the history text,\n"
    "                   the nine dates in the order above, time, phase, age and\n"
    "                   delta T; or the exit status (2 or 3), the entry error code\n"
    "                   (0 for none) and the message. With --json: the object of\n"
    "                   a single TEXT, or {\"code\":N,\"message\":\"...\",\"status\":2}.\n"
    "                   Exits with 0, or the status of the first line not shown.\n"
    "  -h, --help       this text\n"
    "  -v, --version    the program's version\n"
    "\n"
    "move makes N steps of STEP (a text of the window's move list such as \"1 SAR month\",\n"
    "or its number 0..19) from the moment of --from TEXT (default: now) and shows the\n"
    "moment after each (--json: an array of convert's objects); tavr180 move --help.\n"
    "search: moves from the moment of --from (default: now) to the next or previous\n"
    "TARGET, N times in a row as repeated clicks would; TARGET is a text of the\n"
    "search list (\"Total solar eclipse\") or one of full-moon, dark-moon,\n"
    "first-quarter, last-quarter, quarter, eclipse, lunar, total-lunar, umbral-lunar,\n"
    "solar, total-solar, annular-solar, saros, coincidence.\n"
    "events: every lunar phase and eclipse from --from up to --to (times in UT);\n"
    "--ics writes an iCalendar file (RFC 5545) for calendar programs.\n"
    "lunation shows the days of the lunation containing TEXT's moment (default: now)\n"
    "as the lunation window does: its title, the months it spans, and one line per day\n"
    "(number, Common Era date, date in the month calendar, picture, today, weekend).\n"
    "  --calendar CODE  month calendar: SAR (default), VR, TVG or LDT\n"
    "  --step N         the lunation N steps later (negative: earlier), as the\n"
    "                   window's previous/next buttons reach it (status 3 at the limits)\n"
    "  --zone, --greenwich, --json as above\n"
    "\n"
    "Exit status: 0 shown, 1 wrong use, 2 entry refused, 3 date or lunation out of range,\n"
    "4 a shared library could not be loaded (its name on standard error).\n";

bool IsHelp(const std::string& a) {
    return a == "--help" || a == "-h" || a == "help" || a == "-?";
}
bool IsVersion(const std::string& a) {
    return a == "--version" || a == "-v" || a == "version";
}

} // namespace

std::string TextOutput(const session::Tail& tail) {
    std::string out;
    for (int16_t index : session::kWindowOrder) {
        const session::Row& row = tail.display.rows[index];
        out += row.caption + " " + row.value + "\n";
    }
    out += "Time: " + tail.timeLabel + "\n";
    out += "Phase of Moon, illumination: " + tail.moon.phaseLabel + "\n";
    out += "[Lunation] Age of Moon: " + tail.moon.ageLabel + "\n";
    out += "Delta T: " + tail.deltaTWords + "\n";
    return out;
}

json::Value ResultObject(const session::ActionResult& result) {
    const session::Tail& tail = *result.tail;
    json::Value rows = json::Value::Object();
    for (int16_t index = 0; index < session::kCalendarCount; ++index) {
        const session::Row& row = tail.display.rows[index];
        json::Value entry = json::Value::Object();
        entry.Insert("value", row.value);
        entry.Insert("tooltip", row.toolTip);
        rows.Insert(session::CalendarCode(index), std::move(entry));
    }
    json::Value object = json::Value::Object();
    object.Insert("ajd", result.state.dblCurrentAJDate);
    object.Insert("cjd", tail.display.cjd);
    object.Insert("calendar", std::string(session::CalendarCode(result.state.currentCalendar)));
    object.Insert("history", result.historyText);
    object.Insert("time", tail.timeLabel);
    object.Insert("rows", std::move(rows));
    object.Insert("phase", tail.moon.phaseLabel);
    object.Insert("age", tail.moon.ageLabel);
    object.Insert("deltaT", tail.deltaTWords);
    return object;
}

std::string JsonOutput(const session::ActionResult& result, const std::optional<int16_t>& logFormat) {
    json::Value object = ResultObject(result);
    if (logFormat) object.Insert("log", LogEntryOf(result, *logFormat));
    return object.Compact() + "\n";
}

std::string ResultText(const session::Tail& tail) {
    return TextOutput(tail);
}

std::string ResultJson(const session::ActionResult& result) {
    std::string text = JsonOutput(result);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

int ExitStatusOf(session::ResultKind kind) {
    switch (kind) {
    case session::ResultKind::Refused:
        return kExitRefused;
    case session::ResultKind::OutOfRange:
        return kExitOutOfRange;
    case session::ResultKind::Done:
    case session::ResultKind::Unchanged:
        break;
    }
    return kExitShown;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (u < 0x20 || u == 0x7f) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0xf];
        } else {
            out += c;
        }
    }
    return out;
}

bool IsCommandLineInvocation(int argc, char** argv) {
    if (argc < 2 || argv == nullptr || argv[1] == nullptr) return false;
    const std::string first = argv[1];
    if (first == "search" || first == "events") return true;
    return first == "convert" || first == "move" || first == "lunation" || IsHelp(first) || IsVersion(first);
}

int Run(const std::vector<std::string>& args, std::istream& in, std::string& out, std::string& err) {
    const BatchStreamsScope streams({&in, nullptr});
    return Run(args, out, err);
}

int Run(const std::vector<std::string>& args, std::string& out, std::string& err) {
    if (args.empty()) {
        err += kHelp;
        return kExitUsage;
    }
    if (IsHelp(args[0])) {
        out += kHelp;
        return kExitShown;
    }
    if (IsVersion(args[0])) {
        out += kVersion;
        return kExitShown;
    }
    if (args[0] == "move") return RunMove(args, out, err);
    if (args[0] == "search") return RunSearch(args, out, err);
    if (args[0] == "events") return RunEvents(args, out, err);
    if (args[0] == "lunation") return RunLunation({args.begin() + 1, args.end()}, out, err);
    if (args[0] != "convert") {
        err += "tavr180: unknown command \"" + Escaped(args[0]) + "\" (try tavr180 --help)\n";
        return kExitUsage;
    }

    Arguments a;
    if (!ReadArguments(args, 1, {"--calendar", "--zone", "--days", "--log-format"},
                       {"--greenwich", "--minus", "--json", "--now", "--batch", "--help", "--log"}, a, err))
        return kExitUsage;
    if (a.Has("--help")) {
        out += kHelp;
        return kExitShown;
    }

    std::optional<int16_t> logFormat;
    if (a.Has("--log") || a.values.count("--log-format")) {
        const std::string format = a.ValueOr("--log-format", "calendar=date");
        logFormat = ParseLogFormat(format);
        if (!logFormat) {
            err += "tavr180: unknown log format \"" + Escaped(format) +
                   "\" (calendar=date or \"date calendar,\")\n";
            return kExitUsage;
        }
        if (!a.Has("--log")) {
            err += "tavr180: --log-format needs --log\n";
            return kExitUsage;
        }
    }

    session::State state;
    if (!StateOfOptions(a, state, err)) return kExitUsage;
    state.dayCountText = a.ValueOr("--days", "");
    state.plusSelected = !a.Has("--minus");
    for (std::size_t i = 0; i < a.words.size(); ++i)
        state.entryText += (i ? " " : "") + a.words[i];

    if (a.Has("--batch")) {
        if (!state.entryText.empty() || a.Has("--now")) {
            err += "tavr180: --batch reads its entries from standard input (no TEXT, no --now)\n";
            return kExitUsage;
        }
        // Every line is read against the moment the batch began.
        state.dblCurrentAJDate = MomentOfReading(ReadLocalClock());
        return RunBatch(state, a.Has("--json"), out, err);
    }

    if (a.Has("--now") && (!state.entryText.empty() || a.values.count("--days"))) {
        err += "tavr180: --now takes no date text and no --days\n";
        return kExitUsage;
    }
    // A library that cannot be loaded (from reading the clock on) is named and
    // ends the run: the rows and the Moon would otherwise show what a missing
    // library leaves behind.
    std::vector<std::string> loadErrors;
    SetLoadErrorReporter([&loadErrors](const std::string& message) { loadErrors.push_back(message); });
    // The window's current moment when it starts: the present one.
    const ClockReading clock = ReadLocalClock();
    const double now = MomentOfReading(clock);
    state.dblCurrentAJDate = now;
    const session::ActionResult result =
        a.Has("--now") ? session::NowClick(state, now, session::ClockTime{clock.hours, clock.minutes})
                       : session::Convert(state);
    SetLoadErrorReporter(nullptr);
    if (!loadErrors.empty()) {
        for (const std::string& message : loadErrors)
            err += "tavr180: " + message + "\n";
        return kExitLibrary;
    }
    if (result.message) err += result.message->title + ": " + result.message->text + "\n";
    if (const int status = ExitStatusOf(result.kind); status != kExitShown) return status;
    if (!result.tail) return kExitRefused;

    const moon::MoonReport& moon = result.tail->moon;
    if (moon.error) err += moon.errorTitle + ": " + moon.errorText + "\n";
    if (a.Has("--json"))
        out += JsonOutput(result, logFormat);
    else
        out += logFormat ? LogEntryOf(result, *logFormat) : TextOutput(*result.tail);
    return kExitShown;
}

int RunCommandLine(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    std::string out;
    std::string err;
    // A batch sends its results as it goes.
    const BatchStreamsScope streams({&std::cin, [](std::string& text) {
                                         std::fwrite(text.data(), 1, text.size(), stdout);
                                         text.clear();
                                     }});
    const int status = Run(args, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    std::fflush(stderr);
    return status;
}

} // namespace tavr::cli
