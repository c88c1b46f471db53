#include "session/Search.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "astro/Lunar.h"
#include "base/StrProc.h"
#include "calendar/DateTexts.h"
#include "calendar/SarCal.h"
#include "calendar/Solilunar.h"
#include "calendar/TVGCal.h"
#include "calendar/Triday.h"

namespace tavr::session {

namespace {

using lunar::EclipseType;

// The set of eclipse kinds an eclipse target accepts, one bit per EclipseType.
constexpr uint16_t Kinds(std::initializer_list<EclipseType> kinds) {
    uint16_t set = 0;
    for (const EclipseType kind : kinds)
        set = static_cast<uint16_t>(set | (1u << lunar::Code(kind)));
    return set;
}
constexpr uint16_t kSolar =
    Kinds({EclipseType::PartialSolar, EclipseType::CentralAnnularSolar, EclipseType::CentralTotalSolar,
           EclipseType::NonCentralTotalSolar, EclipseType::NonCentralAnnularSolar,
           EclipseType::CentralAnnularTotalSolar, EclipseType::NonCentralAnnularTotalSolar});
constexpr uint16_t kLunar =
    Kinds({EclipseType::PenumbralLunar, EclipseType::PartialLunar, EclipseType::TotalLunar});
constexpr uint16_t kHybrid =
    Kinds({EclipseType::CentralAnnularTotalSolar, EclipseType::NonCentralAnnularTotalSolar});

struct TargetRow {
    std::string_view text;
    std::string_view shortName; // command line
    int16_t phase;              // PhaseIndex of the phase targets, else -1
    uint16_t eclipses = 0;      // the eclipse kinds an eclipse target accepts
};

constexpr std::array<TargetRow, kTargetCount> kTargets{{
    {"Full moon", "full-moon", lunar::kFullMoon},
    {"Dark moon", "dark-moon", lunar::kNewMoon},
    {"Half moon (1st quarter)", "first-quarter", lunar::kFirstQuarter},
    {"Half moon (last quarter)", "last-quarter", lunar::kLastQuarter},
    {"Quarter", "quarter", -1},
    {"", "", -1},
    {"Lunar or solar eclipse", "eclipse", -1, kSolar | kLunar},
    {"Lunar eclipse", "lunar", -1, kLunar},
    {"Total lunar eclipse", "total-lunar", -1, Kinds({EclipseType::TotalLunar})},
    {"Total or partial lunar eclipse", "umbral-lunar", -1,
     Kinds({EclipseType::PartialLunar, EclipseType::TotalLunar})},
    {"Solar eclipse", "solar", -1, kSolar},
    {"Total solar eclipse", "total-solar", -1,
     kHybrid | Kinds({EclipseType::CentralTotalSolar, EclipseType::NonCentralTotalSolar})},
    {"Annular solar eclipse", "annular-solar", -1,
     kHybrid | Kinds({EclipseType::CentralAnnularSolar, EclipseType::NonCentralAnnularSolar})},
    {"Eclipse in same saros series", "saros", -1},
    {"", "", -1},
    {"Coincidence of 1sts of month", "coincidence", -1},
}};

// More candidates than there are phases in the accepted range: a loop that
// reaches this many has left the range (or the astronomy library is missing).
constexpr int32_t kMaxCandidates = 2 * 120000;
constexpr int32_t kMaxMonths = 120000;

bool Beyond(double moment, bool next) {
    if (std::isnan(moment)) return true;
    return next ? moment > kLatestMoment : moment < kEarliestMoment;
}

// The outcome of the search proper: a moment, or a range refusal.
struct Hit {
    bool found = false;
    bool later = true; // the range end that was passed when not found
    double moment = 0.0;
};

Hit OutOf(bool next) {
    return {false, next, 0.0};
}

// An eclipse search from the lunation and phase of the moment searched from;
// a hit leaves the eclipse's lunation and record in it.
struct EclipseQuery {
    int16_t item = 0;     // the eclipse target
    int32_t lunation = 0; // in: of the moment searched from; out: of the eclipse found
    int16_t phase = 0;    // the phase of the moment searched from
    bool next = true;
    PhaseEventRecord record{}; // out: the eclipse's record
};

Hit EclipseSearch(EclipseQuery& query, const State& state) {
    const int16_t item = query.item;
    const int16_t q = query.phase;
    const bool next = query.next;
    int32_t& k = query.lunation;
    PhaseEventRecord& record = query.record;
    int16_t kind = 0;
    const bool late = q == lunar::kFullMoon || q == lunar::kLastQuarter;
    if (item == kTargetAnyEclipse) {
        if (next) {
            kind = late ? lunar::kNewMoon : lunar::kFullMoon;
            if (late) ++k;
        } else {
            kind = late ? lunar::kFullMoon : lunar::kNewMoon;
        }
    } else if (item < kTargetSolarEclipse) {
        kind = lunar::kFullMoon;
        if (next && late) ++k;
        if (!next && !late) --k;
    } else {
        kind = lunar::kNewMoon;
        if (next) ++k;
    }
    const int16_t memoryKind = state.displayedEclipseLunar ? lunar::kFullMoon : lunar::kNewMoon;
    for (int32_t n = 0; n < kMaxCandidates; ++n) {
        record = PhaseEventRecord{};
        const double m = lunar::PhaseMomentUT(k, kind, &record);
        if (Beyond(m, next)) return OutOf(next);
        if (record.eclipseType > 0 && TargetMatches(item, record.eclipseType) &&
            !(k == state.displayedEclipseLunation && kind == memoryKind))
            return {true, next, lunar::TtToUt(record.greatest)};
        if (item != kTargetAnyEclipse) {
            k += next ? 1 : -1;
        } else if (next) {
            if (kind == lunar::kFullMoon) {
                kind = lunar::kNewMoon;
                ++k;
            } else {
                kind = lunar::kFullMoon;
            }
        } else {
            if (kind == lunar::kFullMoon) {
                kind = lunar::kNewMoon;
            } else {
                kind = lunar::kFullMoon;
                --k;
            }
        }
    }
    return OutOf(next);
}

Hit PhaseSearch(int16_t item, int32_t k, int16_t q, bool exact, bool next, PhaseEventRecord& record) {
    int16_t p = 0;
    if (item == kTargetQuarter) {
        if (next) {
            p = static_cast<int16_t>(q + 1);
            if (p > 3) {
                p = 0;
                ++k;
            }
        } else if (exact) {
            p = static_cast<int16_t>(q - 1);
            if (p < 0) {
                p = 3;
                --k;
            }
        } else {
            p = q;
        }
    } else {
        p = TargetPhase(item);
        if (next) {
            if (q >= p) ++k;
        } else if (p > q || (p == q && exact)) {
            --k;
        }
    }
    record = PhaseEventRecord{};
    const double m = lunar::PhaseMomentUT(k, p, &record);
    if (Beyond(m, true)) return OutOf(true);
    if (Beyond(m, false)) return OutOf(false);
    return {true, next, m};
}

Hit CoincidenceSearch(const State& state, bool next) {
    const int32_t start = static_cast<int32_t>(std::floor(CjdFromAjd(state, state.dblCurrentAJDate)));
    VrslcDate date = vr::FromDayNumber(start);
    if (next) {
        date.day = 1;
        vr::MonthStep(date, true);
    } else if (date.day == 1) {
        vr::MonthStep(date, false);
    } else {
        date.day = 1;
    }
    for (int32_t n = 0; n < kMaxMonths; ++n) {
        if (!vr::ToDayNumber(date)) break;
        const int32_t d = date.dayNumber;
        const double moment = AjdFromCjd(state, d + 0.5);
        if (Beyond(moment, next)) return OutOf(next);
        if (sar::FromDayNumber(d).day == 1 && ldt::FromDayNumber(d).day == 1 &&
            tvg::FromDayNumber(d).day == 1)
            return {true, next, moment};
        vr::MonthStep(date, next);
    }
    return OutOf(next);
}

ActionResult Refuse(ActionResult result, ResultKind kind, Message message, bool focus = true) {
    result.kind = kind;
    result.message = std::move(message);
    result.focusEntry = focus;
    return result;
}

} // namespace

// ---- the target list -----------------------------------------------------------

std::string_view TargetText(int index) {
    if (index < 0 || index >= kTargetCount) return {};
    return kTargets[static_cast<size_t>(index)].text;
}

int16_t TargetPhase(int index) {
    if (index < 0 || index >= kTargetCount) return -1;
    return kTargets[static_cast<size_t>(index)].phase;
}

bool TargetMatches(int index, int t) {
    if (index < 0 || index >= kTargetCount || t < 0 || t >= 16) return false;
    return ((kTargets[static_cast<size_t>(index)].eclipses >> t) & 1u) != 0;
}

int16_t TargetOfName(std::string_view name) {
    const std::string wanted = strproc::LowerLatin1(strproc::Trim(name));
    if (wanted.empty()) return -1;
    for (int16_t i = 0; i < kTargetCount; ++i) {
        const TargetRow& row = kTargets[static_cast<size_t>(i)];
        if (row.text.empty()) continue;
        if (wanted == row.shortName || wanted == strproc::LowerLatin1(row.text)) return i;
    }
    return -1;
}

std::string SearchActionText(bool next, int index) {
    return std::string("Search for") + (next ? " next" : " previous") + " " +
           strproc::LowerLatin1(TargetText(index)) + ".";
}

// ---- the eclipse data text -------------------------------------------------------

std::string DurationText(int64_t minutes) {
    int64_t n = std::max<int64_t>(minutes, 0);
    std::string text;
    if (n >= 1440) {
        text = std::to_string(n / 1440) + "d ";
        n %= 1440;
    }
    return text + std::to_string(n / 60) + "h " + std::to_string(n % 60) + "m";
}

EclipseData EclipseDataText(const PhaseEventRecord& record, double cjd) {
    EclipseData data;
    const int type = record.eclipseType;
    data.lines[0] = lunar::EclipseKindText(static_cast<int16_t>(type));
    data.lines[1] = "Lunation number = " + std::to_string(record.lunation);
    data.lines[2] = "Saros number = " + std::to_string(record.saros);
    auto phaseLine = [cjd](const char* name, double halfMinutes) {
        const double start = cjd - halfMinutes / 60.0 / 24.0;
        const double duration = strproc::RoundHalfEven(2.0 * halfMinutes);
        const int64_t minutes = std::isfinite(duration) ? static_cast<int64_t>(duration) : 0;
        return std::string(name) + " phase starts " + dates::TimeOfDayText(start - std::floor(start), false) +
               " and lasts " + DurationText(minutes);
    };
    if (lunar::IsLunarEclipse(type)) data.lines[3] = phaseLine("Penumbral", record.semiPenumbral);
    if (type >= lunar::Code(EclipseType::PartialLunar))
        data.lines[4] = phaseLine("Umbral", record.semiPartial);
    if (type == lunar::Code(EclipseType::TotalLunar)) data.lines[5] = phaseLine("Total", record.semiTotal);
    for (size_t i = 0; i <= 5; ++i) {
        if (data.lines[i].empty()) continue;
        data.label += data.lines[i];
        if (i >= 3) data.label += ".";
        data.label += "\r\n";
    }
    data.log = data.lines[0];
    for (size_t i = 1; i <= 5; ++i)
        if (!data.lines[i].empty()) data.log += ", " + strproc::LowerLatin1(data.lines[i]);
    data.log += ".";
    return data;
}

Message GetPhaseError(int16_t code) {
    return {"Error", "Error" + std::to_string(code) + " when calling GetPhase() in cmdSearch_Click().",
            Icon::Warning, Buttons::Ok};
}

// ---- the search ------------------------------------------------------------------

ActionResult Search(const State& in, SearchDetails* details) {
    ActionResult result;
    result.state = in;
    State& state = result.state;
    if (details) *details = SearchDetails{};

    // The entry: a moment typed there is searched from.
    state.entryText = strproc::Trim(state.entryText);
    double current = in.dblCurrentAJDate;
    if (!state.entryText.empty()) {
        const ParseResult parsed = ParseDateEntry(state.entryText, state);
        state.entryText = parsed.entryText;
        if (parsed.error != EntryError::None) return RefuseEntry(result, parsed.error);
        if (auto message = RangeCheck(parsed.moment)) return Refuse(result, ResultKind::OutOfRange, *message);
        // The calendar typed becomes current, as after every parse.
        state.currentCalendar = parsed.calendar;
        current = MomentAfterEntry(current, parsed.moment);
    }
    // The separator lines of the target list are no target.
    const int16_t item = in.targetIndex;
    if (TargetText(item).empty())
        return Refuse(result, ResultKind::Refused,
                      {"Search", "Please specify target for search.", Icon::Warning});

    const bool eclipseShown = !in.actualEclipseData.empty();
    const bool next = in.searchNext;
    const std::string action = SearchActionText(next, item);

    // The lunation and phase of the moment searched from.
    State from = in;
    from.dblCurrentAJDate = current;
    int32_t k = lunar::LunationOf(current);
    bool exact = false;
    const int16_t q = lunar::GetPhase(k, current, exact);
    if (q < 0) return Refuse(result, ResultKind::Refused, GetPhaseError(q));

    // The same saros series: about one saros on, an eclipse of the same family.
    int16_t searched = item;
    if (item == kTargetSaros) {
        // The entry has been taken (and the caption is empty): both stay empty.
        if (!eclipseShown) {
            state.entryText.clear();
            return Refuse(
                result, ResultKind::Refused,
                {"No eclipse displayed",
                 "Eclipse date must be displayed in order to search for the next or previous eclipse in the "
                 "same saros series.",
                 Icon::None});
        }
        const double shifted = current + (next ? kSarosShiftDays : -kSarosShiftDays);
        k = lunar::LunationOf(shifted);
        searched = in.displayedEclipseLunar ? kTargetLunarEclipse : kTargetSolarEclipse;
        if (next) --k;
    }

    EclipseQuery query{searched, k, q, next};
    PhaseEventRecord& record = query.record;
    Hit hit;
    const bool eclipseSearch = searched >= kTargetAnyEclipse && searched <= kTargetAnnularSolarEclipse;
    if (searched == kTargetCoincidence)
        hit = CoincidenceSearch(from, next);
    else if (eclipseSearch)
        hit = EclipseSearch(query, in);
    else
        hit = PhaseSearch(searched, k, q, exact, next, record);
    if (!hit.found || Beyond(hit.moment, true) || Beyond(hit.moment, false))
        return Refuse(result, ResultKind::OutOfRange,
                      RangeStopMessage(hit.found ? hit.moment > kLatestMoment : hit.later));

    // The hit becomes the current moment.
    state.nowMode = false;
    state.dblCurrentAJDate = hit.moment;
    state.actualEclipseData.clear();
    if (eclipseSearch) {
        state.displayedEclipseLunation = query.lunation;
        state.displayedEclipseLunar = lunar::IsLunarEclipse(record.eclipseType);
        const EclipseData data = EclipseDataText(record, CjdFromAjd(state, hit.moment));
        state.actualEclipseData = data.label;
        result.extraLogText = data.log;
        if (details) {
            details->eclipseFound = true;
            details->record = record;
            details->data = data;
            details->greatestTD = record.greatest;
        }
    }
    FillTailAndEntry(result);
    result.kind = ResultKind::Done;
    result.historyDue = true;
    result.eclipseType = searched == kTargetCoincidence ? 0 : record.eclipseType;
    result.actionText = action;
    return result;
}

// ---- the events of a span ------------------------------------------------------

std::string ShortEclipseKind(int eclipseType) {
    std::string text = lunar::EclipseKindText(static_cast<int16_t>(eclipseType));
    for (std::string_view prefix : {"Central ", "Non-central "}) {
        if (text.rfind(prefix, 0) == 0) {
            text.erase(0, prefix.size());
            if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
                text[0] = static_cast<char>(text[0] - 'a' + 'A');
            break;
        }
    }
    return text;
}

std::vector<LunarEvent> EventsBetween(double from, double to, bool phases, bool eclipses) {
    std::vector<LunarEvent> events;
    if (!(from < to) || from < kEarliestMoment || to > kLatestMoment) return events;
    const int32_t first = lunar::LunationOf(from) - 1;
    const int32_t last = lunar::LunationOf(to) + 1;
    for (int32_t k = first; k <= last; ++k) {
        for (int16_t p = 0; p < 4; ++p) {
            LunarEvent event;
            event.lunation = k;
            event.phase = p;
            event.moment = lunar::PhaseMomentUT(k, p, &event.record);
            if (phases && event.moment >= from && event.moment < to) {
                event.summary = std::string(TargetText(p == 0 ? 1 : p == 1 ? 2 : p == 2 ? 0 : 3));
                events.push_back(event);
            }
            if (eclipses && event.record.eclipseType > 0) {
                LunarEvent eclipse = event;
                eclipse.eclipse = true;
                eclipse.moment = lunar::TtToUt(event.record.greatest);
                eclipse.summary = ShortEclipseKind(event.record.eclipseType) + " (saros " +
                                  std::to_string(event.record.saros) + ")";
                if (eclipse.moment >= from && eclipse.moment < to) events.push_back(eclipse);
            }
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const LunarEvent& a, const LunarEvent& b) {
        return a.moment < b.moment || (a.moment == b.moment && !a.eclipse && b.eclipse);
    });
    return events;
}

} // namespace tavr::session
