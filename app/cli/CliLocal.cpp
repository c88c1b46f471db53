#include "cli/CliLocal.h"

#include <cmath>
#include <cstdio>

#include "cli/Cli.h"

namespace tavr::cli {

namespace {

std::string Fixed(double value, int decimals) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// Degrees as typed: the shortest text that reads back (at most 6 decimals).
std::string Degrees(double value) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

} // namespace

bool PlaceOfOptions(const Arguments& a, std::optional<local::Place>& place, std::string& err) {
    const auto at = a.values.find("--at");
    if (at == a.values.end()) return true;
    place = local::ParsePlace(at->second);
    if (!place) {
        err += "tavr180: --at takes LAT,LON or LAT,LON,HEIGHT (degrees north and east, metres; latitude "
               "-90..90, longitude -180..180, height -1000..10000), not \"" +
               Escaped(at->second) + "\"\n";
        return false;
    }
    return true;
}

json::Value LocalJson(const local::Place& place, const local::Circumstances& c, MomentText utc) {
    json::Value contacts = json::Value::Object();
    for (int i = 0; i < c.count; ++i) {
        json::Value contact = json::Value::Object();
        contact.Insert("jd_ut", c.contacts[i].jdUt);
        contact.Insert("utc", utc(c.contacts[i].jdUt));
        contact.Insert("altitude", c.contacts[i].altitude);
        contacts.Insert(c.contacts[i].name, std::move(contact));
    }
    json::Value object = json::Value::Object();
    object.Insert("latitude", place.latitude);
    object.Insert("longitude", place.longitude);
    object.Insert("height", place.height);
    object.Insert("visible", c.visible);
    object.Insert("kind", c.kind);
    object.Insert("magnitude", c.magnitude);
    object.Insert("obscuration", std::isnan(c.obscuration) ? json::Value() : json::Value(c.obscuration));
    object.Insert("delta_t_s", c.deltaTSeconds);
    object.Insert("contacts", std::move(contacts));
    return object;
}

std::string LocalText(const local::Place& place, const local::Circumstances& c, MomentText utc) {
    std::string out = "Seen from " + Degrees(place.latitude) + ", " + Degrees(place.longitude) + ", " +
                      Degrees(place.height) + " m: " + c.kind + ", magnitude " + Fixed(c.magnitude, 4);
    if (!std::isnan(c.obscuration)) out += ", obscuration " + Fixed(c.obscuration, 4);
    out += " (delta T " + Fixed(c.deltaTSeconds, 1) + " s)\n";
    for (int i = 0; i < c.count; ++i) {
        std::string name = c.contacts[i].name;
        name.resize(4, ' ');
        out +=
            "  " + name + utc(c.contacts[i].jdUt) + "  altitude " + Fixed(c.contacts[i].altitude, 2) + "\n";
    }
    return out;
}

double FirstContact(const local::Circumstances& c) {
    return c.count > 0 ? c.contacts[0].jdUt : 0.0;
}

double LastContact(const local::Circumstances& c) {
    return c.count > 0 ? c.contacts[c.count - 1].jdUt : 0.0;
}

std::string IcsGeo(const local::Place& place) {
    return "GEO:" + Fixed(place.latitude, 6) + ";" + Fixed(place.longitude, 6);
}

} // namespace tavr::cli
