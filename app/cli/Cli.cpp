#include "cli/Cli.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cstdio>
#include <iostream>

#include "base/LibLoader.h"
#include "calendar/Calendars.h"
#include "cli/CliLog.h"
#include "cli/CliBatch.h"
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

// Options that take a value; the value is kept next to its option.
bool TakesValue(const std::string& a) {
    return a == "--calendar" || a == "--zone" || a == "--days" || a == "--log-format";
}

// A date text such as "-3200-01-01 CE" or "-5 AJD", not an option.
bool LooksLikeDate(const std::string& a) {
    return a.size() >= 2 && a[0] == '-' && ((a[1] >= '0' && a[1] <= '9') || a[1] == '.');
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
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

QJsonObject ResultObject(const session::ActionResult& result) {
    const session::Tail& tail = *result.tail;
    QJsonObject rows;
    for (int16_t index = 0; index < session::kCalendarCount; ++index) {
        const session::Row& row = tail.display.rows[index];
        QJsonObject entry;
        entry.insert("value", Q(row.value));
        entry.insert("tooltip", Q(row.toolTip));
        rows.insert(Q(std::string(session::CalendarCode(index))), entry);
    }
    QJsonObject object;
    object.insert("ajd", result.state.dblCurrentAJDate);
    object.insert("cjd", tail.display.cjd);
    object.insert("calendar", Q(std::string(session::CalendarCode(result.state.currentCalendar))));
    object.insert("history", Q(result.historyText));
    object.insert("time", Q(tail.timeLabel));
    object.insert("rows", rows);
    object.insert("phase", Q(tail.moon.phaseLabel));
    object.insert("age", Q(tail.moon.ageLabel));
    object.insert("deltaT", Q(tail.deltaTWords));
    return object;
}

std::string JsonOutput(const session::ActionResult& result, const std::optional<int16_t>& logFormat) {
    QJsonObject object = ResultObject(result);
    if (logFormat) object.insert("log", Q(LogEntryOf(result, *logFormat)));
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
}


std::string ResultText(const session::Tail& tail) {
    return TextOutput(tail);
}

std::string ResultJson(const session::ActionResult& result) {
    std::string text = JsonOutput(result);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
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

    // Options first, then "--" and the date text, so that a text beginning
    // with "-" is never taken for an option.
    QStringList options;
    QStringList positional;
    bool endOfOptions = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (endOfOptions || LooksLikeDate(a)) {
            positional << Q(a);
        } else if (a == "--") {
            endOfOptions = true;
        } else if (TakesValue(a)) {
            if (i + 1 >= args.size()) {
                err += "tavr180: Missing value after '" + Escaped(a) + "'. (try tavr180 --help)\n";
                return kExitUsage;
            }
            options << Q(a) << Q(args[++i]);
        } else {
            options << Q(a);
        }
    }
    QStringList list{"tavr180"};
    list << options << "--" << positional;

    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption calendarOption("calendar", "current calendar", "CODE", "CE");
    const QCommandLineOption zoneOption("zone", "time zone", "ZONE", "GMT");
    const QCommandLineOption greenwichOption("greenwich", "Greenwich time");
    const QCommandLineOption daysOption("days", "day count", "N");
    const QCommandLineOption minusOption("minus", "subtract the days");
    const QCommandLineOption jsonOption("json", "JSON output");
    const QCommandLineOption nowOption("now", "the present moment");
    const QCommandLineOption batchOption("batch", "one TEXT a line from standard input");
    const QCommandLineOption helpOption(QStringList{"h", "help"}, "help");
    const QCommandLineOption logOption("log", "the log entry");
    const QCommandLineOption logFormatOption("log-format", "format of the log entry", "F", "calendar=date");
    parser.addOptions({calendarOption, zoneOption, greenwichOption, daysOption, minusOption, jsonOption,
                       nowOption, helpOption, batchOption, logOption, logFormatOption});
    parser.addPositionalArgument("text", "the date text");
    if (!parser.parse(list)) {
        err += "tavr180: " + Escaped(parser.errorText().toStdString()) + " (try tavr180 --help)\n";
        return kExitUsage;
    }
    if (parser.isSet(helpOption)) {
        out += kHelp;
        return kExitShown;
    }
    for (const QCommandLineOption* single : {&calendarOption, &zoneOption, &daysOption, &logFormatOption}) {
        if (parser.values(*single).size() > 1) {
            err += "tavr180: --" + single->names().first().toStdString() + " given more than once\n";
            return kExitUsage;
        }
    }

    std::optional<int16_t> logFormat;
    if (parser.isSet(logOption) || parser.isSet(logFormatOption)) {
        logFormat = ParseLogFormat(parser.value(logFormatOption).toStdString());
        if (!logFormat) {
            err += "tavr180: unknown log format \"" + parser.value(logFormatOption).toStdString() +
                   "\" (calendar=date or \"date calendar,\")\n";
            return kExitUsage;
        }
        if (!parser.isSet(logOption)) {
            err += "tavr180: --log-format needs --log\n";
            return kExitUsage;
        }
    }

    session::State state;
    const std::string code = parser.value(calendarOption).toUpper().toStdString();
    state.currentCalendar = session::IndexOfCode(code);
    if (state.currentCalendar < 0) {
        err += "tavr180: unknown calendar \"" + Escaped(parser.value(calendarOption).toStdString()) +
               "\" (one of CE, JC, SAR, VR, LDT, TVG, CJD, AJD, QLW)\n";
        return kExitUsage;
    }
    const std::optional<int> zone = timezone::ParseZoneArgument(parser.value(zoneOption).toStdString());
    if (!zone) {
        err += "tavr180: unknown zone \"" + Escaped(parser.value(zoneOption).toStdString()) +
               "\" (e.g. \"GMT + 05:30\" or +05:30, half hours from -12:00 to +12:00)\n";
        return kExitUsage;
    }
    state.zoneIndex = *zone;
    state.zoneOffset = session::ZoneMinutes(state);
    state.view = parser.isSet(greenwichOption) ? session::View::Greenwich : session::View::Local;
    state.dayCountText = parser.value(daysOption).toStdString();
    state.plusSelected = !parser.isSet(minusOption);
    state.entryText = parser.positionalArguments().join(' ').toStdString();

    if (parser.isSet(batchOption)) {
        if (!state.entryText.empty() || parser.isSet(nowOption)) {
            err += "tavr180: --batch reads its entries from standard input (no TEXT, no --now)\n";
            return kExitUsage;
        }
        // Every line is read against the moment the batch began.
        state.dblCurrentAJDate = MomentOfReading(ReadLocalClock());
        return RunBatch(state, parser.isSet(jsonOption), out, err);
    }

    if (parser.isSet(nowOption) && (!state.entryText.empty() || parser.isSet(daysOption))) {
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
        parser.isSet(nowOption)
            ? session::NowClick(state, now, session::ClockTime{clock.hours, clock.minutes})
            : session::Convert(state);
    SetLoadErrorReporter(nullptr);
    if (!loadErrors.empty()) {
        for (const std::string& message : loadErrors)
            err += "tavr180: " + message + "\n";
        return kExitLibrary;
    }
    if (result.message) err += result.message->title + ": " + result.message->text + "\n";
    switch (result.kind) {
    case session::ResultKind::Refused:
        return kExitRefused;
    case session::ResultKind::OutOfRange:
        return kExitOutOfRange;
    case session::ResultKind::Done:
    case session::ResultKind::Unchanged:
        break;
    }
    if (!result.tail) return kExitRefused;

    const moon::MoonReport& moon = result.tail->moon;
    if (moon.error) err += moon.errorTitle + ": " + moon.errorText + "\n";
    if (parser.isSet(jsonOption))
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
