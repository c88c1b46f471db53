// The calendar parses of the program through its calendar table (CE/JC texts,
// SAR, VR/LDT glue, TVG, CJD/AJD numbers, QLW), and each calendar's own parse:
// an accepted text gives a date that validates and converts to the same day,
// whose row text reads back to that day; any day of the range (and a little
// beyond) formats to a row text that reads back to it.
#include <cmath>
#include <string>

#include "FuzzCheck.h"
#include "base/LibLoader.h"
#include "calendar/CalendarSet.h"
#include "calendar/DayNumbers.h"
#include "calendar/DateTexts.h"
#include "calendar/QLWC.h"
#include "calendar/SarCal.h"
#include "calendar/TVGCal.h"
#include "calendar/Solilunar.h"
#include "calendar/Triday.h"

using namespace tavr;

namespace {

// The row text of day d without its code, as the entry grammar hands it on.
std::string DateTextOfRow(const CalendarInfo& info, int32_t d) {
    std::string text = info.rowTexts(d, d + 0.5, d).shortText;
    const size_t code = text.size() - info.code.size() - 1;
    FUZZ_CHECK(text.size() > info.code.size() &&
                   text.compare(code, std::string::npos, " " + std::string(info.code)) == 0,
               "row text \"%s\" of %s ends in its code", text.c_str(), std::string(info.code).c_str());
    text.resize(code);
    std::string bare;
    for (char c : text)
        if (c != ',' && c != ' ') bare += c;
    return bare;
}

void CheckReadsBack(const CalendarInfo& info, int32_t d) {
    if (info.kind != EntryKind::Day) return;
    const std::string text = DateTextOfRow(info, d);
    if (text.empty()) return; // a library gave no date (beyond its cycles)
    const DateParse back = info.parse(text);
    FUZZ_CHECK(back.error == EntryError::None && back.beyond == 0 && back.dayNumber == d,
               "%s row \"%s\" of day %d reads back as %d (error %d)", std::string(info.code).c_str(),
               text.c_str(), d, back.dayNumber, Code(back.error));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetLibraryDirectory(TAVR_FUZZ_LIBDIR);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int index = in.ConsumeIntegralInRange<int>(0, kCalendarCount - 1);
    const int32_t day = in.ConsumeIntegralInRange<int32_t>(kFirstRangeDay - 40000, kLastRangeDay + 40000);
    const std::string text = in.ConsumeRemainingBytesAsString();
    const CalendarInfo& info = *CalendarAt(index);

    // format, then parse: every day of the range reads back in every calendar.
    if (day >= kFirstRangeDay - 1 && day <= kLastRangeDay + 1) CheckReadsBack(info, day);

    // parse: a refusal carries an entry error of the calendar; an acceptance a day that reads back.
    const DateParse parsed = info.parse(text);
    const int code = Code(parsed.error);
    FUZZ_CHECK(code == 0 || (code >= 6 && code <= 18), "error %d", code);
    FUZZ_CHECK(parsed.beyond >= -1 && parsed.beyond <= 1, "beyond %d", parsed.beyond);
    if (code == 0 && parsed.beyond == 0 && info.kind == EntryKind::Day)
        CheckReadsBack(info, parsed.dayNumber);

    // Each calendar's own parse: the record validates and converts to the same day.
    switch (index) {
    case kCalendarCE:
    case kCalendarJC: {
        EuroDate date{};
        date.calendar = index == kCalendarCE ? kLetterCE : kLetterJC;
        if (dates::ParseDateText(text, date) && date.valid == 1) {
            EuroDate again = DayNumberToEuroDate(date.dayNumber, date.calendar);
            FUZZ_CHECK(again.year == date.year && again.month == date.month && again.day == date.day,
                       "%d-%d-%d does not come back from its day number", date.year, date.month, date.day);
        }
        break;
    }
    case kCalendarSAR: {
        EuroDate date{};
        date.calendar = kLetterSAR;
        if (sar::Parse(text, date)) {
            FUZZ_CHECK(sar::IsValidDate(date.year, date.month, date.day), "SAR %d-%d-%d accepted", date.year,
                       date.month, date.day);
            const EuroDate again = sar::FromDayNumber(date.dayNumber);
            FUZZ_CHECK(again.year == date.year && again.month == date.month && again.day == date.day,
                       "SAR %d-%d-%d does not come back", date.year, date.month, date.day);
        }
        break;
    }
    case kCalendarVR: {
        VrslcDate date{};
        if (vr::Parse(text, date)) {
            FUZZ_CHECK(date.valid == 1 && date.error == 0, "VR accepted with error %d", date.error);
            const VrslcDate again = vr::FromDayNumber(date.dayNumber);
            FUZZ_CHECK(again.cycle == date.cycle && again.year == date.year && again.month == date.month &&
                           again.day == date.day,
                       "VR date of day %d does not come back", date.dayNumber);
        }
        break;
    }
    case kCalendarLDT: {
        DtcLunarDate date{};
        if (ldt::Parse(text, date)) {
            const DtcLunarDate again = ldt::FromDayNumber(date.dayNumber);
            FUZZ_CHECK(ldt::Text(again, ldt::kShortForm) == ldt::Text(date, ldt::kShortForm),
                       "LDT date of day %d does not come back", date.dayNumber);
        }
        break;
    }
    case kCalendarTVG: {
        tvg::TvgDate date;
        if (tvg::Parse(text, date)) {
            FUZZ_CHECK(tvg::IsValidDate(date.year, date.month, date.day), "TVG accepted an invalid date");
            const tvg::TvgDate again = tvg::FromDayNumber(date.dayNumber);
            FUZZ_CHECK(again.cycle == date.cycle && again.year == date.year && again.month == date.month &&
                           again.day == date.day,
                       "TVG date of day %d does not come back", date.dayNumber);
        }
        break;
    }
    case kCalendarQLW: {
        qlw::QlwDate date;
        if (qlw::Parse(text, date) == qlw::kOk) {
            const qlw::QlwDate again = qlw::FromDayNumber(date.dayNumber).date;
            FUZZ_CHECK(again.year == date.year && again.month == date.month && again.week == date.week &&
                           again.day == date.day,
                       "QLW %d-%d-%d-%d does not come back", date.year, date.month, date.week, date.day);
        }
        break;
    }
    default: // CJD, AJD: a number, checked above
        FUZZ_CHECK(!std::isnan(parsed.number), "a number that is NaN");
        break;
    }
    return 0;
}
