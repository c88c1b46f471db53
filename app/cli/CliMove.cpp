// tavr180 move STEP forward|back [--times N] [--from TEXT] [--calendar CODE]
//               [--zone ZONE] [--greenwich] [--json]
//
// The window's move through the same session operations: the start (with the
// entry of --from), N steps as a repeated move makes them, each shown, and
// the range stop after a step that left the accepted range.

#include <charconv>
#include <optional>

#include "calendar/DayNumbers.h"
#include "cli/Cli.h"
#include "cli/CliArgs.h"
#include "cli/CliStreams.h"
#include "session/Move.h"
#include "session/Session.h"
#include "session/TimeZone.h"

namespace tavr::cli {

namespace {

// The most steps one call makes (the range stops every move long before:
// the smallest step, a minute, crosses it in about 4.8e9 steps).
constexpr long kMostSteps = 1000000;

constexpr const char* kMoveHelp =
    "Usage: tavr180 move STEP forward|back [options]\n"
    "\n"
    "Moves the moment by STEP, a text of the window's move list (\"1 SAR month\") or\n"
    "its number 0..19, as the window's Move does, and shows the moment after each step.\n"
    "\n"
    "Options:\n"
    "  --times N        make N steps, as a repeated move makes them (default 1)\n"
    "  --from TEXT      start from the moment of TEXT, typed as in the date box\n"
    "                   (default: the present moment)\n"
    "  --calendar CODE  current calendar, assumed when TEXT has no code (default CE)\n"
    "  --zone ZONE      time zone, as for convert (default GMT)\n"
    "  --greenwich      dates and times in Greenwich time (default: local time)\n"
    "  --json           a JSON array with the convert --json object after each step\n"
    "\n"
    "Exit status: 0 shown, 1 wrong use, 2 entry refused, 3 a step left the range\n"
    "(the steps up to and including it are shown), 4 to 6 as for convert.\n";

// A usage error; the values in `text` are escaped by the caller.
int Usage(std::string& err, const std::string& text) {
    err += "tavr180 move: " + text + " (try tavr180 move --help)\n";
    return kExitUsage;
}

} // namespace

int RunMove(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err) {
    Arguments a;
    if (!ReadArguments(args, 1, {"--times", "--from", "--calendar", "--zone"},
                       {"--greenwich", "--json", "--help"}, a, err))
        return kExitUsage;
    if (a.Has("--help")) {
        out += kMoveHelp;
        return kExitShown;
    }
    const std::vector<std::string>& words = a.words;
    const bool json = a.Has("--json");
    // STEP (one argument or several words) and then the direction.
    if (words.size() < 2) return Usage(err, "STEP and forward|back are needed");
    const std::string direction = words.back();
    if (direction != "forward" && direction != "back")
        return Usage(err, "the direction is forward or back, not \"" + Escaped(direction) + "\"");
    std::string stepText;
    for (size_t i = 0; i + 1 < words.size(); ++i)
        stepText += (i ? " " : "") + words[i];
    const int16_t step = session::MoveStepIndexOf(stepText);
    if (step < 0)
        return Usage(err, "unknown step \"" + Escaped(stepText) + "\" (a text of the move list or 0..19)");

    long times = 1;
    if (a.values.count("--times")) {
        const std::string timesText = a.values.find("--times")->second;
        const char* end = timesText.data() + timesText.size();
        const auto parsed = std::from_chars(timesText.data(), end, times);
        if (parsed.ec != std::errc() || parsed.ptr != end || times < 1 || times > kMostSteps)
            return Usage(err, "--times takes a whole number from 1 to " + std::to_string(kMostSteps));
    }

    session::State state;
    if (!StateOfOptions(a, state, err)) return kExitUsage;
    if (!LibrariesLoaded(err)) return kExitLibrary;
    state.dblCurrentAJDate = NowAjd();
    state.entryText = a.ValueOr("--from", "");
    state.moveStepIndex = step;
    state.moveForward = direction == "forward";
    state.repeatedly = times > 1;

    const session::ActionResult begun = session::BeginMove(state);
    if (begun.kind != session::ResultKind::Done) {
        if (begun.message) err += begun.message->title + ": " + begun.message->text + "\n";
        return kExitRefused;
    }
    state = begun.state;

    // Each step is written as it is made (the JSON array element by element).
    int status = kExitShown;
    std::optional<json::ArrayWriter> array;
    if (json) array.emplace(out);
    for (long n = 0; n < times; ++n) {
        const session::ActionResult result = session::MoveStep(state);
        if (result.tail) {
            if (array) {
                array->Add(ResultObject(result));
            } else {
                out += (n ? "\n" : "") + TextOutput(*result.tail);
            }
            state = result.state;
        }
        if (!Send(streams, out)) break;
        if (result.kind == session::ResultKind::OutOfRange) {
            if (result.message) err += result.message->title + ": " + result.message->text + "\n";
            status = kExitOutOfRange;
            break;
        }
    }
    if (array) {
        array->End();
        out += '\n';
    }
    return status;
}

} // namespace tavr::cli
