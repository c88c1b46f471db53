#include "calendar/CalendarSet.h"

namespace tavr {

namespace {

// Indices as in calendar/Calendars.h.
constexpr int16_t CE = 0, SAR = 2, VR = 3, LDT = 4, TVG = 5, QLW = 8;

constexpr std::array<CalendarInfo, kCalendarCount> kSet = {{
    {"CE", "CE (Common Era Calendar)", "Common Era date", "Common Era:", 6},
    {"JC", "JC (Julian Calendar)", "Julian date", "Julian:", 7},
    {"SAR", "SAR (Sarvenes Calendar)", "Sarvenes Calendar date", "Sarvenes Calendar:", 8},
    {"VR", "VR (Vosko-Rindal Solilunar Calendar)", "Vosko-Rindal Solilunar Calendar date",
     "Vosko-Rindal Solilunar:", 9},
    {"LDT", "LDT (Lunar Dovrenia Triday Calendar)", "Lunar Dovrenia Triday Calendar date",
     "Lunar Dovrenia Triday:", 10},
    {"TVG", "TVG (Tussary-Vosko Goddess Calendar)", "Tussary-Vosko Goddess Calendar date",
     "Tussary-Vosko Goddess", 11},
    {"CJD", "chronological Julian date", "chronological Julian date", "Chronological Julian date:", 12},
    {"AJD", "astronomical Julian date", "astronomical Julian date", "Astronomical Julian date:", 12},
    {"QLW", "QLW (Quorvane Lunar Week Calendar)", "Quorvane Lunar Week Calendar", "Quorvane Lunar Week:", 15},
}};

constexpr std::array<MoveStep, kMoveStepCount> kSteps = {{
    {"1 minute", -1, StepKind::Days, 1.0 / 1440.0, 1},
    {"1 hour", -1, StepKind::Days, 1.0 / 24.0, 1},
    {"1 day", -1, StepKind::Days, 1.0, 1},
    {"1 CE month", CE, StepKind::Month, 0.0, 1},
    {"1 CE year", CE, StepKind::Year, 0.0, 1},
    {"1 CE century", CE, StepKind::Year, 0.0, 100},
    {"1 SAR month", SAR, StepKind::Month, 0.0, 1},
    {"1 SAR year", SAR, StepKind::Year, 0.0, 1},
    {"1 VR month", VR, StepKind::Month, 0.0, 1},
    {"1 VR year", VR, StepKind::Year, 0.0, 1},
    {"1 VR cycle", VR, StepKind::Cycle, 0.0, 1},
    {"1 TVG month", TVG, StepKind::Month, 0.0, 1},
    {"1 TVG year", TVG, StepKind::Year, 0.0, 1},
    {"1 TVG cycle", TVG, StepKind::Cycle, 0.0, 1},
    {"1 LDT month", LDT, StepKind::Month, 0.0, 1},
    {"1 LDT year", LDT, StepKind::Year, 0.0, 1},
    {"1 LDT cycle", LDT, StepKind::Cycle, 0.0, 1},
    {"1 QLW week", QLW, StepKind::Week, 0.0, 1},
    {"1 QLW month", QLW, StepKind::Month, 0.0, 1},
    {"1 QLW year", QLW, StepKind::Year, 0.0, 1},
}};

} // namespace

const std::array<CalendarInfo, kCalendarCount>& CalendarSet() {
    return kSet;
}

const CalendarInfo* CalendarAt(int index) {
    return index >= 0 && index < kCalendarCount ? &kSet[static_cast<size_t>(index)] : nullptr;
}

const std::array<MoveStep, kMoveStepCount>& MoveSteps() {
    return kSteps;
}

} // namespace tavr
