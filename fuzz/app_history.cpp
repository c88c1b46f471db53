// The choice of a history line (SelectFromHistory) under any current
// calendar, zone, view and moment. Either any bytes stand in a line of the
// list: the choice is ignored (the line on display, an index outside the
// list), refused with its entry error and nothing changed, or done with a
// moment inside the range; or a line is made by AddHistoryEntry from a moment
// of the range and chosen later: it brings back that moment to the minute,
// its calendar, view and zone.
#include <cmath>
#include <string>

#include "FuzzCheck.h"
#include "base/LibLoader.h"
#include "session/History.h"
#include "session/Session.h"
#include "session/TimeZone.h"

using namespace tavr;
using namespace tavr::session;

namespace {

bool SameState(const State& a, const State& b) {
    return a.dblCurrentAJDate == b.dblCurrentAJDate && a.currentCalendar == b.currentCalendar &&
           a.zoneIndex == b.zoneIndex && a.zoneOffset == b.zoneOffset && a.view == b.view &&
           a.nowMode == b.nowMode && a.fromHistory == b.fromHistory && a.entryText == b.entryText &&
           a.dayCountText == b.dayCountText && a.actualEclipseData == b.actualEclipseData &&
           a.history == b.history && a.historySelected == b.historySelected;
}

State RandomState(FuzzedDataProvider& in) {
    State state;
    state.currentCalendar = in.ConsumeIntegralInRange<int16_t>(0, kCalendarCount - 1);
    state.zoneIndex = in.ConsumeIntegralInRange<int>(0, timezone::kZoneCount - 1);
    state.zoneOffset = ZoneMinutes(state);
    state.view = in.ConsumeBool() ? View::Greenwich : View::Local;
    state.nowMode = in.ConsumeBool();
    state.dblCurrentAJDate = in.ConsumeFloatingPointInRange<double>(kEarliestMoment, kLatestMoment);
    state.entryText = "typed";
    state.dayCountText = "3";
    state.actualEclipseData = "shown";
    return state;
}

// A line of the list made from any bytes.
void AnyLine(FuzzedDataProvider& in) {
    const State state0 = RandomState(in);
    State state = state0;
    const int count = in.ConsumeIntegralInRange<int>(1, kHistoryMax);
    const int index = in.ConsumeIntegralInRange<int>(-2, count + 1);
    state.historySelected = in.ConsumeIntegralInRange<int16_t>(-1, static_cast<int16_t>(count - 1));
    const int32_t eclipseType = in.ConsumeIntegralInRange<int32_t>(-1, 16);
    const std::string line = in.ConsumeRemainingBytesAsString();
    for (int i = 0; i < count; ++i)
        state.history.push_back({line + (i ? std::to_string(i) : std::string()), eclipseType});

    const ActionResult result = SelectFromHistory(state, index);
    switch (result.kind) {
    case ResultKind::Unchanged:
        FUZZ_CHECK(index < 0 || index >= count || index == state.historySelected, "line %d ignored", index);
        FUZZ_CHECK(SameState(result.state, state) && !result.tail && !result.message,
                   "an ignored choice changed");
        break;
    case ResultKind::Refused:
        FUZZ_CHECK(result.errorCode >= 1 && result.errorCode <= 18, "error %d", result.errorCode);
        FUZZ_CHECK(result.message && result.message->text == "Error " + std::to_string(result.errorCode) +
                                                                 " when selecting from History.",
                   "refusal message");
        FUZZ_CHECK(SameState(result.state, state) && !result.tail && result.logHeading.empty(),
                   "a refused line changed the state");
        break;
    case ResultKind::Done: {
        const double m = result.state.dblCurrentAJDate;
        FUZZ_CHECK(m >= kEarliestMoment && m <= kLatestMoment, "line \"%s\" gives %.6f outside the range",
                   state.history[static_cast<size_t>(index)].text.c_str(), m);
        FUZZ_CHECK(result.state.currentCalendar >= 0 && result.state.currentCalendar < kCalendarCount,
                   "calendar %d", result.state.currentCalendar);
        FUZZ_CHECK(result.state.zoneIndex >= 0 && result.state.zoneIndex < timezone::kZoneCount, "zone %d",
                   result.state.zoneIndex);
        FUZZ_CHECK(result.tail.has_value(), "a choice without its tail");
        FUZZ_CHECK(result.state.history == state.history, "the list changed");
        if (!result.message) {
            FUZZ_CHECK(result.state.historySelected == index, "selected %d, not %d",
                       result.state.historySelected, index);
            FUZZ_CHECK(result.logHeading == state.history[static_cast<size_t>(index)].text, "log heading");
        }
        break;
    }
    case ResultKind::OutOfRange:
        FUZZ_CHECK(result.message.has_value(), "a range refusal without its message");
        FUZZ_CHECK(SameState(result.state, state) && !result.tail, "a range refusal changed the state");
        break;
    }
}

// A line recorded from a moment of the range, chosen after the window moved on.
void RecordedLine(FuzzedDataProvider& in) {
    State shown = RandomState(in);
    shown.nowMode = false;
    const int32_t eclipseType = in.ConsumeBool() ? 0 : in.ConsumeIntegralInRange<int32_t>(1, 15);
    const Tail tail = ComputeTail(shown);
    State state = shown;
    const std::string line = AddHistoryEntry(state, tail.display.historyText, tail.timeLabel, eclipseType);
    FUZZ_CHECK(!line.empty() && state.history.size() == 1 && state.historySelected == 0, "line not added");

    // Elsewhere since.
    const State later = RandomState(in);
    state.dblCurrentAJDate = later.dblCurrentAJDate;
    state.currentCalendar = later.currentCalendar;
    state.zoneIndex = later.zoneIndex;
    state.zoneOffset = later.zoneOffset;
    state.view = later.view;
    state.nowMode = later.nowMode;
    state.historySelected = -1;

    const ActionResult back = SelectFromHistory(state, 0);
    FUZZ_CHECK(back.kind == ResultKind::Done, "\"%s\" (%.6f) refused: %s", line.c_str(),
               shown.dblCurrentAJDate, back.message ? back.message->text.c_str() : "");
    FUZZ_CHECK(std::fabs(back.state.dblCurrentAJDate - shown.dblCurrentAJDate) <= 1.0 / 1440.0 + 1e-9,
               "\"%s\" gives %.8f, not %.8f", line.c_str(), back.state.dblCurrentAJDate,
               shown.dblCurrentAJDate);
    FUZZ_CHECK(back.state.currentCalendar == shown.currentCalendar, "\"%s\" gives calendar %d, not %d",
               line.c_str(), back.state.currentCalendar, shown.currentCalendar);
    FUZZ_CHECK(back.state.view == shown.view, "\"%s\": view", line.c_str());
    FUZZ_CHECK(back.state.zoneIndex == shown.zoneIndex && back.state.zoneOffset == shown.zoneOffset,
               "\"%s\" gives zone %d (%d), not %d (%d)", line.c_str(), back.state.zoneIndex,
               back.state.zoneOffset, shown.zoneIndex, shown.zoneOffset);
    FUZZ_CHECK(back.logHeading == line, "log heading");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetLibraryDirectory(TAVR_FUZZ_LIBDIR);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeIntegralInRange<int>(0, 3) == 0)
        RecordedLine(in);
    else
        AnyLine(in);
    return 0;
}
