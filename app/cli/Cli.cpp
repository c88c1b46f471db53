#include "cli/Cli.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>

#include <unistd.h>

#include "astro/Lunar.h"
#include "astro/MoonData.h"
#include "base/DateLib.h"
#include "base/LibLoader.h"
#include "calendar/DayNumbers.h"
#include "calendar/Solilunar.h"
#include "calendar/Triday.h"
#include "cli/CliArgs.h"
#include "cli/CliBatch.h"
#include "cli/CliLog.h"
#include "cli/CliStreams.h"
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
    "                      [--zone ZONE] [--greenwich] [--at LAT,LON[,HEIGHT]] [--json]\n"
    "       tavr180 events --from TEXT --to TEXT [--kind phases|eclipses|all]\n"
    "                      [--at LAT,LON[,HEIGHT]] [--ics|--json]\n"
    "       tavr180 lunation [TEXT] [--calendar SAR|VR|TVG|LDT] [--zone ZONE]\n"
    "                        [--greenwich] [--step N] [--json]\n"
    "       tavr180 --help | --version\n"
    "       tavr180 [toolkit options]    (the window)\n"
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
    "--at LAT,LON[,HEIGHT] (degrees north and east, metres): search and events keep\n"
    "only the eclipses visible from the place, with their contacts there, the part of\n"
    "the Sun covered and the body's altitude.\n"
    "lunation shows the days of the lunation containing TEXT's moment (default: now)\n"
    "as the lunation window does: its title, the months it spans, and one line per day\n"
    "(number, Common Era date, date in the month calendar, picture, today, weekend).\n"
    "  --calendar CODE  month calendar: SAR (default), VR, TVG or LDT\n"
    "  --step N         the lunation N steps later (negative: earlier), as the\n"
    "                   window's previous/next buttons reach it (status 3 at the limits)\n"
    "  --zone, --greenwich, --json as above\n"
    "\n"
    "lunation --help, move --help, search --help and events --help show the usage of each.\n"
    "Without arguments, or with the toolkit's own options only (such as -platform NAME or\n"
    "-session ID), the window starts; any other first argument is a command.\n"
    "\n"
    "Exit status: 0 shown, 1 wrong use, 2 entry refused, 3 date or lunation out of range,\n"
    "4 a shared library could not be loaded (its name on standard error), 5 standard output\n"
    "could not be written (a full disk, or a pipe closed before the end: the program does\n"
    "not end silently by the signal of a closed pipe), 6 standard input could not be read.\n"
    "A failed write or read is named on standard error with the system's reason.\n";

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
    std::size_t used = 0;
    for (; used < text.size(); ++used) {
        const char c = text[used];
        const auto u = static_cast<unsigned char>(c);
        // Cut before a character that would pass the limit, never inside a
        // UTF-8 sequence (its continuation bytes stay with their lead).
        if (out.size() >= kEchoedMost && (u & 0xC0) != 0x80) break;
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
    if (used < text.size()) out += "...[cut, " + std::to_string(text.size()) + " bytes]";
    return out;
}

namespace {

// The toolkit's own options, which the window takes: those with a value
// (given as the next argument or after "="), and the switches.
constexpr std::string_view kToolkitValued[] = {
    "style",         "stylesheet", "platform",        "platformpluginpath",
    "platformtheme", "plugin",     "qwindowgeometry", "qwindowicon",
    "qwindowtitle",  "session",    "display",         "geometry",
    "qmljsdebugger", "dialogs",    "fontengine"};
constexpr std::string_view kToolkitSwitches[] = {"reverse", "widgetcount"};

template <typename List> bool Listed(const List& list, std::string_view name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

// The index of the first argument (from 1) that is not a toolkit option (with
// "-" or "--") or its value; `count` when there is none.
std::size_t FirstNotToolkit(std::size_t count, const std::function<std::string_view(std::size_t)>& arg) {
    for (std::size_t i = 1; i < count; ++i) {
        std::string_view a = arg(i);
        if (a.size() < 2 || a[0] != '-') return i;
        a.remove_prefix(a.rfind("--", 0) == 0 ? 2 : 1);
        const std::size_t equals = a.find('=');
        const std::string_view name = a.substr(0, equals);
        if (Listed(kToolkitValued, name)) {
            if (equals == std::string_view::npos && ++i >= count) return i - 1;
        } else if (!Listed(kToolkitSwitches, name) || equals != std::string_view::npos) {
            return i;
        }
    }
    return count;
}

} // namespace

bool IsCommandLineInvocation(int argc, char** argv) {
    if (argc < 2 || argv == nullptr) return false;
    const auto count = static_cast<std::size_t>(argc);
    return FirstNotToolkit(
               count, [argv](std::size_t i) { return std::string_view(argv[i] ? argv[i] : ""); }) != count;
}

bool LibrariesLoaded(std::string& err) {
    std::vector<std::string> messages;
    SetLoadErrorReporter([&messages](const std::string& message) { messages.push_back(message); });
    // Each binds every export of its library (the calendar ones of dtc).
    const bool loaded[] = {datelib::Available(), vr::Available(), ldt::Available(), lunar::Available(),
                           moon::SunLongitudeAvailable()};
    SetLoadErrorReporter(nullptr);
    for (const std::string& message : messages)
        err += "tavr180: " + message + "\n";
    const bool all = std::all_of(std::begin(loaded), std::end(loaded), [](bool b) { return b; });
    // A library reported earlier in this process is not reported again.
    if (!all && messages.empty()) err += "tavr180: a shared library could not be loaded.\n";
    return all;
}

int Run(const std::vector<std::string>& args, std::string& out, std::string& err) {
    Streams streams;
    return Run(args, streams, out, err);
}

int Run(const std::vector<std::string>& args, std::istream& in, std::string& out, std::string& err) {
    Streams streams{ReaderOf(in), nullptr, {}};
    return Run(args, streams, out, err);
}

namespace {

int RunConvert(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err);

int RunCommand(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err) {
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
    if (args[0] == "move") return RunMove(args, streams, out, err);
    if (args[0] == "search") return RunSearch(args, streams, out, err);
    if (args[0] == "events") return RunEvents(args, streams, out, err);
    if (args[0] == "lunation") return RunLunation({args.begin() + 1, args.end()}, out, err);
    if (args[0] == "convert") return RunConvert(args, streams, out, err);
    // Named: the first argument that is neither a command nor a toolkit
    // option of the window (or the option that lacks its value).
    const std::size_t count = args.size() + 1;
    std::size_t first =
        FirstNotToolkit(count, [&args](std::size_t i) { return std::string_view(args[i - 1]); });
    const std::string& unknown = args[first == count ? 0 : first - 1];
    if (unknown.size() > 1 && unknown[0] == '-')
        err += "tavr180: Unknown option '" + Escaped(unknown) + "'. (try tavr180 --help)\n";
    else
        err += "tavr180: unknown command \"" + Escaped(unknown) + "\" (try tavr180 --help)\n";
    return kExitUsage;
}

int RunConvert(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err) {
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
        if (!LibrariesLoaded(err)) return kExitLibrary;
        // Every line is read against the moment the batch began.
        state.dblCurrentAJDate = MomentOfReading(ReadLocalClock());
        return RunBatch(state, a.Has("--json"), streams, out, err);
    }

    if (a.Has("--now") && (!state.entryText.empty() || a.values.count("--days"))) {
        err += "tavr180: --now takes no date text and no --days\n";
        return kExitUsage;
    }
    // A library that cannot be loaded ends the run before anything is read:
    // the rows and the Moon would otherwise show what it leaves behind.
    if (!LibrariesLoaded(err)) return kExitLibrary;
    // The window's current moment when it starts: the present one.
    const ClockReading clock = ReadLocalClock();
    const double now = MomentOfReading(clock);
    state.dblCurrentAJDate = now;
    const session::ActionResult result =
        a.Has("--now") ? session::NowClick(state, now, session::ClockTime{clock.hours, clock.minutes})
                       : session::Convert(state);
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

} // namespace

int Run(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err) {
    const int status = RunCommand(args, streams, out, err);
    // What is left is sent now; a write that failed, now or before, is the
    // run's failure whatever the command found.
    Send(streams, out, true);
    if (streams.writeFailure.empty()) return status;
    err += "tavr180: standard output could not be written (" + streams.writeFailure + ")\n";
    return kExitWrite;
}

namespace {

std::string SystemReason(int error) {
    return std::strerror(error);
}

long ReadStandardInput(char* buffer, std::size_t size, std::string& reason) {
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, size);
        if (n >= 0) return static_cast<long>(n);
        if (errno == EINTR) continue;
        reason = SystemReason(errno);
        return -1;
    }
}

bool WriteStandardOutput(const std::string& text, std::string& reason) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
        return true;
    reason = SystemReason(errno != 0 ? errno : EIO);
    return false;
}

} // namespace

int RunCommandLine(int argc, char** argv) {
    // A closed pipe or a file over its size limit makes a write fail with its
    // reason, reported with status 5, instead of ending the program silently.
    // (Windows has neither signal: a failed write there just fails.)
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    std::string out;
    std::string err;
    int status = kExitShown;
    {
        Streams streams{ReadStandardInput, WriteStandardOutput, {}};
        status = Run(args, streams, out, err);
    }
    // Closing standard output tells of a write that failed on its way
    // (a file system that reports it late), unless one was reported already.
    // A standard output that was never open fails here too, but a write to
    // it would have failed before: nothing was lost.
    errno = 0;
    if (std::fclose(stdout) != 0 && errno != EBADF && status != kExitWrite) {
        err += "tavr180: standard output could not be written (" + SystemReason(errno != 0 ? errno : EIO) +
               ")\n";
        status = kExitWrite;
    }
    std::fwrite(err.data(), 1, err.size(), stderr);
    std::fflush(stderr);
    return status;
}

} // namespace tavr::cli
