// The log entry (AddLogEntry, ComposeEntry) with any row, phase and age
// texts, any switches, format and current calendar, any heading, action,
// extra text, header, log length and capacity: what it appends never takes
// the log past its capacity, every line end it writes is CR LF, a complete
// entry ends with an empty line, and texts without their markers stop the
// entry with the error, never a crash.
#include <string>

#include "FuzzCheck.h"
#include "log/LogEntry.h"

using namespace tavr;
using namespace tavr::log;

namespace {

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// Every CR is followed by LF and every LF follows a CR.
bool OnlyCrLf(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The text without anything a marker is made of: "(", ",", and the capital
// letters of every calendar code.
std::string WithoutMarkers(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '(' && c != ',' && !(c >= 'A' && c <= 'Z')) out += c;
    return out;
}

void CheckOutcome(const LogOutcome& out, size_t logLength, size_t capacity, bool plainInputs) {
    if (logLength <= capacity)
        FUZZ_CHECK(logLength + out.appended.size() <= capacity, "%zu + %zu past the capacity %zu", logLength,
                   out.appended.size(), capacity);
    else
        FUZZ_CHECK(out.appended.empty(), "%zu appended to a log already past its capacity",
                   out.appended.size());
    if (out.failure == LogFailure::Error)
        FUZZ_CHECK(out.errorText.rfind("The ", 0) == 0 && out.errorText.find("holds no") != std::string::npos,
                   "error text \"%s\"", out.errorText.c_str());
    else
        FUZZ_CHECK(out.errorText.empty(), "an error text without the error");
    if (plainInputs) {
        FUZZ_CHECK(OnlyCrLf(out.appended), "a line end other than CR LF");
        if (out.written && out.failure == LogFailure::None)
            FUZZ_CHECK(EndsWith(out.appended, "\r\n\r\n"), "an entry without its empty line");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    LogSettings settings;
    settings.format =
        in.ConsumeBool() ? in.ConsumeIntegral<int16_t>() : in.ConsumeIntegralInRange<int16_t>(0, 1);
    for (bool& include : settings.include)
        include = in.ConsumeBool();
    settings.currentCalendar = in.ConsumeIntegralInRange<int16_t>(-1, session::kCalendarCount);
    const bool logAll = in.ConsumeBool();
    const bool stripMarkers = in.ConsumeIntegralInRange<int>(0, 7) == 0;
    size_t capacity = in.ConsumeBool() ? kLogCapacity : in.ConsumeIntegralInRange<size_t>(0, 600);
    size_t logLength = in.ConsumeBool() ? 0 : in.ConsumeIntegralInRange<size_t>(0, 700);
    if (stripMarkers) {
        capacity = kLogCapacity;
        logLength = 0;
    }

    LogSource source;
    for (std::string& value : source.values)
        value = in.ConsumeRandomLengthString(40);
    source.phaseText = in.ConsumeRandomLengthString(40);
    source.ageText = in.ConsumeRandomLengthString(40);
    const std::string heading = in.ConsumeRandomLengthString(40);
    const std::string action = in.ConsumeRandomLengthString(30);
    const std::string header = in.ConsumeRandomLengthString(40);
    const std::string extra = in.ConsumeRemainingBytesAsString();
    if (stripMarkers) {
        for (std::string& value : source.values)
            value = WithoutMarkers(value);
        source.phaseText = WithoutMarkers(source.phaseText);
    }

    bool plain = !HasLineBreak(heading) && !HasLineBreak(action) && !HasLineBreak(extra) &&
                 !HasLineBreak(source.phaseText) && !HasLineBreak(source.ageText);
    for (const std::string& value : source.values)
        plain = plain && !HasLineBreak(value);

    const LogOutcome entry = ComposeEntry(heading, action, extra, settings, source, logLength, capacity);
    FUZZ_CHECK(entry.written && !entry.stored, "ComposeEntry always writes");
    CheckOutcome(entry, logLength, capacity, plain);
    if (entry.failure == LogFailure::None)
        FUZZ_CHECK(entry.appended.rfind(action + "\r\n" + heading + "\r\n", 0) == 0,
                   "the entry's first lines");

    if (stripMarkers) {
        // A value without its marker stops the entry with the error: the
        // phase text of an included phase, or the row of an included calendar
        // other than the current one (in "date calendar," the CJD and AJD rows
        // need none).
        bool needsMarker = settings.include[session::kIncludePhaseOfMoonAndIllumination];
        const int16_t calendars[] = {session::kCE,  session::kJC,  session::kSAR, session::kVR, session::kLDT,
                                     session::kTVG, session::kQLW, session::kCJD, session::kAJD};
        const int includes[] = {session::kIncludeCE,   session::kIncludeJC,  session::kIncludeSAR,
                                session::kIncludeVR,   session::kIncludeLDT, session::kIncludeTVG,
                                session::kIncludeQLWC, session::kIncludeCJD, session::kIncludeAJD};
        for (size_t i = 0; i < 9; ++i) {
            if (!settings.include[static_cast<size_t>(includes[i])] ||
                calendars[i] == settings.currentCalendar)
                continue;
            if (settings.format == kFormatDateCalendar &&
                (calendars[i] == session::kCJD || calendars[i] == session::kAJD))
                continue;
            needsMarker = true;
        }
        FUZZ_CHECK((entry.failure == LogFailure::Error) == needsMarker, "markers needed %d, failure %d",
                   needsMarker, static_cast<int>(entry.failure));
    }

    PendingLogEntry pending{"old heading", "old action", "old extra"};
    const LogOutcome added =
        AddLogEntry(pending, logAll, heading, action, extra, settings, source, logLength, header, capacity);
    if (!logAll) {
        FUZZ_CHECK(added.stored && !added.written && added.appended.empty(), "a stored entry wrote");
        FUZZ_CHECK((pending == PendingLogEntry{heading, action, extra}), "the pending entry");
        return 0;
    }
    FUZZ_CHECK(!added.stored, "a written entry stored");
    if (heading.empty()) {
        FUZZ_CHECK(!added.written && added.appended.empty(), "an empty heading wrote");
        FUZZ_CHECK((pending == PendingLogEntry{"old heading", "old action", "old extra"}),
                   "an empty heading emptied the pending entry");
        return 0;
    }
    FUZZ_CHECK(pending == PendingLogEntry{}, "the pending entry kept");
    CheckOutcome(added, logLength, capacity, plain && !HasLineBreak(header));
    if (logLength == 0 && added.failure == LogFailure::None)
        FUZZ_CHECK(added.appended == header + entry.appended, "the header before the first entry");
    if (logLength > 0) FUZZ_CHECK(added.appended == entry.appended, "an entry not as composed");
    return 0;
}
