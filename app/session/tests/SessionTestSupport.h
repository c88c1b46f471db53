// Helpers shared by the session's tests.
#ifndef TAVR_SESSION_TEST_SUPPORT_H
#define TAVR_SESSION_TEST_SUPPORT_H

#include <string>

#include "session/Session.h"

namespace tavr::session::testing {

inline constexpr int32_t kDay2000_01_01 = 2451545; // Saturday
inline constexpr int32_t kDay2001_12_31 = 2452275; // Monday

// Time of day in days.
inline double Clock(int hours, int minutes) {
    return (hours * 60 + minutes) / 1440.0;
}

// A window state with the moment `ajd`, zone list entry of `zoneMinutes`
// (offset already applied), view and current calendar.
inline State MakeState(double ajd = 2451545.0, int zoneMinutes = 0, View view = View::Local,
                       int16_t calendar = kCE) {
    State state;
    state.dblCurrentAJDate = ajd;
    state.zoneIndex = timezone::ZoneIndexOfMinutes(zoneMinutes);
    state.zoneOffset = static_cast<int16_t>(zoneMinutes);
    state.view = view;
    state.currentCalendar = calendar;
    return state;
}

} // namespace tavr::session::testing

#endif
