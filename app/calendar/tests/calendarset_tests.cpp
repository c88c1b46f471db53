#include <gtest/gtest.h>

#include <set>
#include <string>

#include "calendar/CalendarSet.h"
#include "calendar/Calendars.h"

using namespace tavr;

namespace {

TEST(CalendarSet, EveryRowIsFoundByItsCodeAndCarriesItsTexts) {
    std::set<std::string_view> codes;
    for (int16_t i = 0; i < kCalendarCount; ++i) {
        const CalendarInfo* info = CalendarAt(i);
        ASSERT_NE(info, nullptr);
        EXPECT_TRUE(codes.insert(info->code).second) << info->code;
        EXPECT_EQ(CalendarIndexOf(info->code), i);
        EXPECT_EQ(CalendarCode(i), info->code);
        EXPECT_FALSE(info->rowCaption.empty());
        EXPECT_FALSE(info->name.empty());
    }
    EXPECT_EQ(CalendarAt(-1), nullptr);
    EXPECT_EQ(CalendarAt(kCalendarCount), nullptr);
    EXPECT_EQ(CalendarAt(kCalendarQLW)->entryError, 15);
    EXPECT_EQ(CalendarAt(kCalendarTVG)->rowCaption, "Tussary-Vosko Goddess"); // no colon
}

TEST(CalendarSet, MoveStepsNameTheirCalendarAndUnit) {
    const auto& steps = MoveSteps();
    EXPECT_EQ(steps[kDefaultMoveStep].text, "1 day");
    EXPECT_EQ(steps[kDefaultMoveStep].days, 1.0);
    EXPECT_EQ(steps[5].text, "1 CE century");
    EXPECT_EQ(steps[5].count, 100);
    for (const MoveStep& step : steps) {
        const std::string text(step.text);
        if (step.calendar < 0) {
            EXPECT_EQ(step.kind, StepKind::Days) << text;
            EXPECT_GT(step.days, 0.0) << text;
            continue;
        }
        // "1 <code> <unit>"
        EXPECT_EQ(text.substr(2, CalendarCode(step.calendar).size()), CalendarCode(step.calendar)) << text;
        const char* unit = step.kind == StepKind::Week    ? "week"
                           : step.kind == StepKind::Month ? "month"
                           : step.kind == StepKind::Cycle ? "cycle"
                           : step.count == 100            ? "century"
                                                          : "year";
        EXPECT_EQ(text.substr(text.rfind(' ') + 1), unit) << text;
    }
}

} // namespace
