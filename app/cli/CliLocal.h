// The place of observation of search and events (--at LAT,LON[,HEIGHT]): the
// option, and the local circumstances of an eclipse as JSON, text lines and
// iCalendar properties.
#ifndef TAVR_CLILOCAL_H
#define TAVR_CLILOCAL_H

#include <optional>
#include <string>

#include "astro/LocalEclipse.h"
#include "cli/CliArgs.h"
#include "cli/Json.h"

namespace tavr::cli {

// A UT moment as the command line writes it ("2024-04-08 18:17:20 UT").
using MomentText = std::string (*)(double ajd);

// The place of --at into `place` (left empty without the option); false with
// a message on `err` when the text is not a place.
bool PlaceOfOptions(const Arguments& a, std::optional<local::Place>& place, std::string& err);

// The "local" object of an eclipse seen from the place.
json::Value LocalJson(const local::Place& place, const local::Circumstances& c, MomentText utc);
// The same in a few text lines.
std::string LocalText(const local::Place& place, const local::Circumstances& c, MomentText utc);
// The first and last contact (the span of the eclipse there).
double FirstContact(const local::Circumstances& c);
double LastContact(const local::Circumstances& c);
// "GEO:lat;lon" of the place.
std::string IcsGeo(const local::Place& place);

} // namespace tavr::cli

#endif
