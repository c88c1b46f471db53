// The saved state's reader (ParseStateFile) with any bytes: whatever it
// reads, every list index stays inside its list and the moment inside the
// range; a complete read, written again (FormatStateFile), reads back to the
// same state.
#include <cmath>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "calendar/CalendarSet.h"
#include "session/StateFile.h"
#include "session/TimeZone.h"

using namespace tavr;
using namespace tavr::session;

namespace {

void CheckValues(const State& s) {
    FUZZ_CHECK(std::isfinite(s.dblCurrentAJDate) && s.dblCurrentAJDate >= kEarliestMoment &&
                   s.dblCurrentAJDate <= kLatestMoment,
               "moment %.17g", s.dblCurrentAJDate);
    FUZZ_CHECK(s.currentCalendar >= 0 && s.currentCalendar < kCalendarCount, "calendar %d",
               s.currentCalendar);
    FUZZ_CHECK(s.moveStepIndex >= 0 && s.moveStepIndex < kMoveStepCount, "move step %d", s.moveStepIndex);
    FUZZ_CHECK(s.targetIndex >= 0 && s.targetIndex < kTargetCount && s.targetIndex != kSarosTarget,
               "target %d", s.targetIndex);
    FUZZ_CHECK(s.zoneIndex >= 0 && s.zoneIndex < timezone::kZoneCount, "zone %d", s.zoneIndex);
    FUZZ_CHECK(s.zoneOffset == ZoneMinutes(s), "zone offset %d for zone %d", s.zoneOffset, s.zoneIndex);
    FUZZ_CHECK(s.refreshPeriodIndex >= 0 && s.refreshPeriodIndex < kRefreshPeriodCount, "refresh %d",
               s.refreshPeriodIndex);
    FUZZ_CHECK(s.monthCalendarIndex >= 0 && s.monthCalendarIndex < kMonthCalendarCount, "month calendar %d",
               s.monthCalendarIndex);
    FUZZ_CHECK(s.logFormat == 0 || s.logFormat == 1, "log format %d", s.logFormat);
    FUZZ_CHECK(!s.repeatedly, "repeatedly restored");
}

bool SameSaved(const State& a, const State& b) {
    return a.dblCurrentAJDate == b.dblCurrentAJDate && a.currentCalendar == b.currentCalendar &&
           a.moveForward == b.moveForward && a.plusSelected == b.plusSelected &&
           a.searchNext == b.searchNext && a.view == b.view && a.moveStepIndex == b.moveStepIndex &&
           a.targetIndex == b.targetIndex && a.zoneIndex == b.zoneIndex && a.zoneOffset == b.zoneOffset &&
           a.refreshPeriodIndex == b.refreshPeriodIndex && a.repeatedly == b.repeatedly &&
           a.chkLog == b.chkLog && a.actualEclipseData == b.actualEclipseData && a.logFormat == b.logFormat &&
           a.logInclude == b.logInclude && a.monthCalendarIndex == b.monthCalendarIndex;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    State start;
    start.dblCurrentAJDate = 2451545.0;
    start.repeatedly = false;
    std::istringstream in(fuzz::Text(data, size));
    const RestoredState r = ParseStateFile(in, start);
    FUZZ_CHECK(r.linesRead >= 0 && r.linesRead <= kStateFileLines, "%d lines read", r.linesRead);
    FUZZ_CHECK(r.complete == (r.linesRead == kStateFileLines), "complete %d with %d lines", r.complete,
               r.linesRead);
    CheckValues(r.state);
    if (r.linesRead == 0) FUZZ_CHECK(SameSaved(r.state, start), "nothing read, yet the state changed");
    if (!r.complete) return 0;

    // Written and read again into another start: the same state.
    State other;
    other.dblCurrentAJDate = 1000000.0;
    other.currentCalendar = kAJD;
    other.zoneIndex = 0;
    other.zoneOffset = ZoneMinutes(other);
    other.actualEclipseData = "elsewhere";
    other.logFormat = 1;
    const std::string written = FormatStateFile(r.state);
    std::istringstream again(written);
    const RestoredState back = ParseStateFile(again, other);
    FUZZ_CHECK(back.complete, "the written state stops after %d lines:\n%s", back.linesRead, written.c_str());
    FUZZ_CHECK(SameSaved(back.state, r.state), "the written state reads back otherwise:\n%s",
               written.c_str());
    FUZZ_CHECK(FormatStateFile(back.state) == written, "written twice, two texts");
    return 0;
}
