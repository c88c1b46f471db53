#include "astro/Lunar.h"

#include <cmath>
#include <cstdint>

#include "base/DateLib.h"
#include "base/LibLoader.h"
#include "base/StrProc.h"
#include "base/TimeUnits.h"

namespace tavr::lunar {
namespace {

constexpr const char* kLibrary = "halvor";
constexpr int32_t kDeltaTModel = 1915;         // the library's delta T model argument
constexpr double kNominalEpoch = 2451550.2597; // 2000-01-06 18:14 UT, used only without the library
constexpr double kJ2000 = 2451545.0;
constexpr double kFirstMoonDay = 2305448.0; // 1600-01-01 CE
constexpr double kLastMoonDay = 2488069.0;  // 2099-12-31 CE
constexpr int kMaxSearchSteps = 64;         // LunationOf needs one or two steps in the range

struct Exports {
    decltype(&halvor) phase = BindFunction<decltype(&halvor)>(kLibrary, "halvor", 12);
    decltype(&deltat) deltaT = BindFunction<decltype(&deltat)>(kLibrary, "deltat", 12);
    decltype(&moonpos) moon = BindFunction<decltype(&moonpos)>(kLibrary, "moonpos", 16);
};

const Exports& Lib() {
    static const Exports exports;
    return exports;
}

struct Constants {
    bool initialized = false;
    double meanSynodicMonth = kMeanSynodicMonth;
    double lunationEpoch = kNominalEpoch;
};

Constants& State() {
    static Constants constants;
    return constants;
}

const Constants& Ready() {
    if (!State().initialized) InitLunarConstants();
    return State();
}

// Latest phase of lunation k whose moment (by `moment`) is not after t.
template <typename MomentFn> int16_t LatestPhase(int32_t k, double t, bool& isPhase, MomentFn moment) {
    isPhase = false;
    if (k < INT32_MAX && moment(k + 1, kNewMoon) <= t) return kLaterLunation;
    for (int16_t p = kLastQuarter; p >= kNewMoon; --p) {
        const double m = moment(k, p);
        if (m <= t) {
            isPhase = std::fabs(m - t) < kPhaseTolerance;
            return p;
        }
    }
    return kBeforeLunation;
}

// The one cache of phase moments: the phases asked for last, by lunation and
// phase, with the record the library filled and the moment in UT once asked
// for. The library's answer depends on the lunation and the phase alone, and a
// conversion asks for the same few phases several times (the lunation search,
// the Moon data, the lunar week calendar). A repeated question gives the same
// moments and leaves the same record in SharedRecord.
struct PhaseSlot {
    int32_t lunation = 0;
    int16_t phase = -1; // -1: empty
    bool hasUt = false;
    double tt = 0.0;
    double ut = 0.0;
    PhaseEventRecord record{};
};
constexpr size_t kPhaseSlots = 1024;

// The slot of a phase, filled through the library when it held another one;
// its record goes to SharedRecord.
PhaseSlot& CachedPhase(int32_t k, int16_t phase, decltype(&halvor) f) {
    static PhaseSlot slots[kPhaseSlots];
    PhaseSlot& slot = slots[(static_cast<uint32_t>(k) * 4u + static_cast<uint16_t>(phase)) % kPhaseSlots];
    if (slot.phase == phase && slot.lunation == k) {
        SharedRecord() = slot.record;
        return slot;
    }
    const double t = f(k, phase, &SharedRecord());
    slot = {k, phase, false, t, 0.0, SharedRecord()};
    return slot;
}

} // namespace

bool Available() {
    const Exports& e = Lib();
    return e.phase && e.deltaT && e.moon;
}

void InitLunarConstants() {
    Constants& c = State();
    c.initialized = true;
    c.meanSynodicMonth = kMeanSynodicMonth;
    const double epoch = Lib().phase ? PhaseMomentUT(0, kNewMoon, &SharedRecord()) : kNominalEpoch;
    c.lunationEpoch = std::isfinite(epoch) ? epoch : kNominalEpoch;
}

double MeanSynodicMonth() {
    return Ready().meanSynodicMonth;
}

double LunationEpoch() {
    return Ready().lunationEpoch;
}

PhaseEventRecord& SharedRecord() {
    static PhaseEventRecord record{};
    return record;
}

double DeltaTForYear(int32_t year) {
    if (auto f = Lib().deltaT) return f(static_cast<double>(year), kDeltaTModel);
    return 0.0;
}

double DeltaTAt(double moment) {
    if (!std::isfinite(moment)) return 0.0;
    // The UT day of the moment; beyond 32-bit day numbers the end day stands in.
    double day = strproc::RoundHalfEven(moment);
    if (day < INT32_MIN) day = INT32_MIN;
    if (day > INT32_MAX) day = INT32_MAX;
    EuroDate date{0, 0, 0, datelib::kLetterGregorian, static_cast<int32_t>(day), 0};
    datelib::JdnToEuroDate(date);
    return DeltaTForYear(date.year);
}

double TtToUt(double tt) {
    return tt - DeltaTAt(tt) / kMinutesPerDay;
}

double PhaseMomentTT(int32_t k, int16_t phase, PhaseEventRecord* record) {
    if (auto f = Lib().phase) return record ? f(k, phase, record) : CachedPhase(k, phase, f).tt;
    return 0.0;
}

double PhaseMomentUT(int32_t k, int16_t phase, PhaseEventRecord* record) {
    auto f = Lib().phase;
    if (!f || record) return TtToUt(PhaseMomentTT(k, phase, record));
    PhaseSlot& slot = CachedPhase(k, phase, f);
    if (!slot.hasUt) {
        slot.ut = TtToUt(slot.tt);
        slot.hasUt = true;
    }
    return slot.ut;
}

int32_t LunationOf(double moment) {
    if (std::isnan(moment)) return 0;
    const Constants& c = Ready();
    // Start from the mean lunation, kept inside the searched window.
    const double estimate = std::floor((moment - c.lunationEpoch) / c.meanSynodicMonth);
    int32_t k = estimate < kFirstSearchedLunation  ? kFirstSearchedLunation
                : estimate > kLastSearchedLunation ? kLastSearchedLunation
                                                   : static_cast<int32_t>(estimate);
    const int32_t start = k;
    double a = PhaseMomentUT(k, kNewMoon);
    double b = PhaseMomentUT(k + 1, kNewMoon);
    for (int step = 0; step < kMaxSearchSteps; ++step) {
        if (a <= moment && moment < b) return k;
        if (a > moment) {
            if (k == kFirstSearchedLunation) return k;
            --k;
            b = a;
            a = PhaseMomentUT(k, kNewMoon);
        } else if (moment >= b) {
            if (k == kLastSearchedLunation) return k;
            ++k;
            a = b;
            b = PhaseMomentUT(k + 1, kNewMoon);
        } else {
            break; // moments that do not compare (no library)
        }
    }
    return start;
}

int16_t GetPhase(int32_t k, double momentUT, bool& isPhase) {
    // Compared with the phases' UT moments, the moments LunationOf uses: every
    // moment of lunation k gets a phase of k.
    return LatestPhase(k, momentUT, isPhase,
                       [](int32_t lunation, int16_t p) { return PhaseMomentUT(lunation, p); });
}

std::string EclipseKindText(int16_t eclipseType) {
    static const char* const kTexts[] = {
        "",
        "Partial solar eclipse",
        "Central annular solar eclipse",
        "Central total solar eclipse",
        "Non-central total solar eclipse",
        "Non-central annular solar eclipse",
        "Central annular-total solar eclipse",
        "Non-central annular-total solar eclipse",
        "Penumbral lunar eclipse",
        "Partial lunar eclipse",
        "Total lunar eclipse",
    };
    if (eclipseType < 1 || eclipseType > 10) return {};
    return kTexts[eclipseType];
}

double MoonLongitudeAt(double moment, double* out) {
    if (std::isnan(moment)) return kMoonLongitudeTooEarly;
    const double day = std::floor(moment + 0.5); // day number of the UT date
    if (day < kFirstMoonDay) return kMoonLongitudeTooEarly;
    if (day > kLastMoonDay) return kMoonLongitudeTooLate;
    auto f = Lib().moon;
    if (!f) return kMoonLongitudeTooEarly; // no library: the caller's fallback display
    double scratch = 0.0;
    double second = 0.0;
    return f(moment - kJ2000, out ? out : &scratch, &second);
}

} // namespace tavr::lunar
