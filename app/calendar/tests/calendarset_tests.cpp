#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "calendar/CalendarSet.h"
#include "calendar/DayNumbers.h"

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
    }
    EXPECT_EQ(CalendarAt(-1), nullptr);
    EXPECT_EQ(CalendarAt(kCalendarCount), nullptr);
    EXPECT_EQ(CalendarAt(kTVG)->rowCaption, "Tussary-Vosko Goddess"); // no colon
}

// Each calendar reads back the date of its own row: the short text without its
// code parses to the day the row was made for.
TEST(CalendarSet, EachParseReadsBackItsRowText) {
    const int32_t days[] = {kFirstRangeDay, 1721426, 2299161, 2451545, 2460000, 3000000, kLastRangeDay - 1};
    for (int32_t d : days) {
        for (int16_t i = 0; i < kCalendarCount; ++i) {
            const CalendarInfo& info = *CalendarAt(i);
            const double cjd = d + 0.5;
            const RowTexts texts = info.rowTexts(d, cjd, cjd - 0.5);
            ASSERT_FALSE(texts.shortText.empty()) << info.code << " " << d;
            const std::string suffix = " " + std::string(info.code);
            ASSERT_EQ(texts.shortText.substr(texts.shortText.size() - suffix.size()), suffix);
            const std::string date = texts.shortText.substr(0, texts.shortText.size() - suffix.size());
            // Separators are removed before the parse sees the text.
            std::string bare;
            for (char c : date)
                if (c != ',' && c != ' ') bare += c;
            const DateParse parsed = info.parse(bare);
            ASSERT_EQ(parsed.error, EntryError::None) << info.code << " " << date;
            switch (info.kind) {
            case EntryKind::Day:
                EXPECT_EQ(parsed.dayNumber, d) << info.code << " " << date;
                EXPECT_EQ(texts.value.rfind(texts.shortText + " (", 0), 0u) << texts.value;
                EXPECT_FALSE(texts.toolTip.empty()) << info.code;
                break;
            case EntryKind::ChronologicalJulianDate:
                EXPECT_EQ(parsed.number, cjd);
                EXPECT_TRUE(texts.toolTip.empty());
                break;
            case EntryKind::AstronomicalJulianDate:
                EXPECT_EQ(parsed.number, cjd - 0.5);
                EXPECT_TRUE(texts.toolTip.empty());
                break;
            }
        }
    }
}

// Every QLW row the display can show, for every day of the range and the days
// just outside it (the QLW day of a moment is a day before its civil day from
// 00:00 to 06:00), reads back to its day.
TEST(CalendarSet, EveryQlwRowOfTheRangeReadsBack) {
    const CalendarInfo& qlw = *CalendarAt(kQLW);
    const int32_t stride = TAVR_FULL_SWEEPS ? 1 : 101;
    int32_t checked = 0;
    for (int32_t d = kFirstRangeDay - 1; d <= kLastRangeDay + 1; d += stride) {
        const std::string text = qlw.rowTexts(d, d + 0.5, d).shortText;
        ASSERT_GT(text.size(), 4u) << d;
        const DateParse parsed = qlw.parse(text.substr(0, text.size() - 4)); // " QLW"
        ASSERT_EQ(parsed.error, EntryError::None) << text;
        ASSERT_EQ(parsed.beyond, 0) << text;
        ASSERT_EQ(parsed.dayNumber, d) << text;
        ++checked;
    }
    std::printf("QLW rows read back: %d\n", checked);
}

TEST(CalendarSet, RefusalsCarryTheCalendarsEntryError) {
    struct Row {
        int16_t calendar;
        const char* text;
        int16_t error;
    };
    const Row rows[] = {
        {kCE, "2001-02-29", 6},   {kJC, "2001-13-01", 7},
        {kSAR, "4696-14-01", 8},  {kVR, "x", 9},
        {kLDT, "x", 10},          {kTVG, "1-1-14-1", 11},
        {kQLW, "x", 15},          {kQLW, "5000-14-1-1", 16},
        {kQLW, "5000-1-5-1", 17}, {kQLW, "5000-1-1-10", 18},
        {kQLW, "", 15},           {kQLW, "99999999999-1-1-1", 15},
    };
    for (const Row& r : rows) {
        const CalendarInfo& info = *CalendarAt(r.calendar);
        EXPECT_EQ(Code(info.parse(r.text).error), r.error) << info.code << " " << r.text;
    }
    // A well-formed QLW date far outside the range is no refusal of its form.
    EXPECT_EQ(CalendarAt(kQLW)->parse("99999-1-1-1").error, EntryError::None);
    EXPECT_EQ(CalendarAt(kQLW)->parse("99999-1-1-1").beyond, 1);
    EXPECT_EQ(CalendarAt(kQLW)->parse("-99999-1-1-1").beyond, -1);
    EXPECT_EQ(CalendarAt(kQLW)->parse("9000-1-1-1").beyond, 0); // converted exactly
    // Only the lunar week calendar's day begins after midnight (at 06:00).
    for (int16_t i = 0; i < kCalendarCount; ++i)
        EXPECT_EQ(CalendarAt(i)->dayStart, i == kQLW ? 0.25 : 0.0) << CalendarCode(i);
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
