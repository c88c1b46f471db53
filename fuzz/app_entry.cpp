// The entry grammar (ParseDateEntry) under any current calendar, zone, view,
// day count and history flag, and Convert on top of it: an error code of the
// grammar's table or a moment of the recognised calendar; an accepted moment
// inside the range, written back as the window writes it (copy-to-entry),
// reads back to the same minute.
#include <cmath>
#include <string>

#include "FuzzCheck.h"
#include "base/LibLoader.h"
#include "session/Session.h"
#include "session/TimeZone.h"

using namespace tavr;
using namespace tavr::session;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetLibraryDirectory(TAVR_FUZZ_LIBDIR);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    State state;
    state.currentCalendar = in.ConsumeIntegralInRange<int16_t>(-1, kCalendarCount);
    state.zoneIndex = in.ConsumeIntegralInRange<int>(0, timezone::kZoneCount - 1);
    state.zoneOffset = ZoneMinutes(state);
    state.view = in.ConsumeBool() ? View::Greenwich : View::Local;
    state.fromHistory = in.ConsumeBool();
    state.plusSelected = in.ConsumeBool();
    state.dblCurrentAJDate = in.ConsumeFloatingPointInRange<double>(kEarliestMoment, kLatestMoment);
    state.dayCountText = in.ConsumeRandomLengthString(12);
    const bool convert = in.ConsumeBool();
    const std::string entry = in.ConsumeRemainingBytesAsString();
    state.entryText = entry;

    const ParseResult parsed = ParseDateEntry(entry, state);
    const int code = Code(parsed.error);
    FUZZ_CHECK(code >= 0 && code <= 18, "error %d", code);
    if (code != 0) {
        FUZZ_CHECK(parsed.moment == 0.0 && parsed.calendar == -1, "a refusal with a moment or calendar");
    } else {
        FUZZ_CHECK(parsed.calendar >= 0 && parsed.calendar < kCalendarCount, "calendar %d", parsed.calendar);
        FUZZ_CHECK(!std::isnan(parsed.moment), "accepted with a NaN moment");
        if (parsed.moment >= kEarliestMoment && parsed.moment <= kLatestMoment) {
            // format(parse(text)) then parse again: the same minute (the entry holds minutes).
            State shown = state;
            shown.fromHistory = false;
            shown.dblCurrentAJDate = parsed.moment;
            shown.currentCalendar = parsed.calendar;
            const std::string written = CopyCurrentDateToEntry(shown);
            const ParseResult again = ParseDateEntry(written, shown);
            FUZZ_CHECK(again.error == tavr::EntryError::None && again.calendar == parsed.calendar,
                       "\"%s\" written back gives error %d", written.c_str(), Code(again.error));
            FUZZ_CHECK(std::fabs(again.moment - parsed.moment) <= 1.0 / 1440.0 + 1e-9,
                       "\"%s\" reads back %.6f, not %.6f", written.c_str(), again.moment, parsed.moment);
        }
    }

    if (convert) {
        const ActionResult result = Convert(state);
        switch (result.kind) {
        case ResultKind::Done:
            FUZZ_CHECK(result.state.dblCurrentAJDate >= kEarliestMoment &&
                           result.state.dblCurrentAJDate <= kLatestMoment,
                       "a conversion outside the range: %.6f", result.state.dblCurrentAJDate);
            FUZZ_CHECK(result.tail.has_value() && !result.message, "a conversion without its tail");
            break;
        case ResultKind::Refused:
        case ResultKind::OutOfRange:
            FUZZ_CHECK(result.message.has_value() && !result.tail, "a refusal without its message");
            FUZZ_CHECK(result.state.dblCurrentAJDate == state.dblCurrentAJDate, "a refusal moved the moment");
            break;
        case ResultKind::Unchanged:
            break;
        }
    }
    return 0;
}
