#include "help/HelpText.h"

#include <string_view>

#include "help/WebAddresses.h"

namespace tavr::help {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// clang-format off
constexpr std::string_view kParagraph1 =
    "This software converts among dates in the following calendars (explained in the web pages indicated):";
constexpr std::string_view kParagraph2 =
    "You can highlight any of these URLs and copy and paste it into your web browser using control-C and control-V (or a right mouse click).";
constexpr std::string_view kParagraph3 =
    "Much of the operation of the software is comprehensible without explanation.  Only the non-obvious is mentioned below in this help screen.  A fuller explanation is given in the documentation at ";
constexpr std::string_view kParagraph4 =
    "Date conversions may be made by entering a date in any of the calendars into the Date/time window and clicking on Convert.  For dates other than the astronomical and chronological Julian dates, a time may be included, as in '2003-12-31 CE 15:55'.  Clicking on a date displayed on-screen will copy it to the Date/time window.";
constexpr std::string_view kParagraph5 =
    "Common Era and Julian dates are displayed (and must be entered) in ISO 8601 format, that is, year-month-day.  ";
constexpr std::string_view kParagraph6 =
    "The software allows adding or subtracting a time period to or from a date in any of these calendars either by using the Move forward/back facility  (after specifying 1 day, 1 SAR month, etc.) or by using the Convert facility with a value specified for 'days'.";
constexpr std::string_view kParagraph7 =
    "Both the astronomical and the chronological Julian dates reflect delta T, the difference between GMT and TDT (terrestrial dynamic time, a.k.a. ephemeris time).  Thus the times displayed for astronomical phenomena should be close to the times observed (or, for past events, would have been observed).";
constexpr std::string_view kParagraph8 =
    "The astronomical Julian date (AJD) is relative to the prime meridian (0 degrees longitude, Greenwich).  This date changes at noon GMT.  The AJD is thus independent of the local time.";
constexpr std::string_view kParagraph9 =
    "The chronological Julian date (CJD) is relative to the local time (a certain number of hours behind or ahead of GMT).  This date changes at midnight, local time.";
constexpr std::string_view kParagraph10 =
    "When local time is GMT then CJD exceeds AJD by exactly 0.5 (corresponding to 12 hours difference).  When they differ there is a difference between AJD and CJD of 0.5 plus or minus some quantity (<= 0.5) which depends on the offset of local time from GMT.";
constexpr std::string_view kParagraph11 =
    "When an eclipse is found the time given for the eclipse is the time of maximum intensity.";
constexpr std::string_view kParagraph12 =
    "The dates resulting from the eight most recent operations are kept in a 'history' list.  Any of these may be selected to restore the display to that date.";
constexpr std::string_view kParagraph13 =
    "Operations are recorded in a log if 'Log all results' is checked.  The text in the log window (or a selected part of it) may be copied into a text editor and printed from there.";
constexpr std::string_view kParagraph14 =
    "The state of the program may be saved at any time and is restored again when the program is next run.";
constexpr std::string_view kParagraph15 =
    "The uncertainty in the value of delta T outside the range -1000 CE through 3000 CE is too large for lunar phases and eclipse dates to be computed accurately.  Therefore the software accepts dates only in the range -3200-01-01 CE through 6000-01-01 CE (or equivalents in other calendars).";
constexpr std::string_view kParagraph16 =
    "The current and the next month of the Quorvane Lunar Week Calendar may be printed via the web page at ";
constexpr std::string_view kParagraph17 =
    "Any month in the Tussary-Vosko Goddess Calendar may be printed via the web page at ";
// clang-format on

} // namespace

std::string HelpText(const std::filesystem::path& programFolder) {
    using web::Page;
    const auto address = [&](Page p) { return web::Address(p, programFolder); };
    const std::string end = std::string(kLineEnd) + std::string(kLineEnd);

    struct Line {
        const char* name;
        Page page;
    };
    constexpr Line kCalendars[] = {
        {"Common Era (Gregorian)", Page::CommonEra},
        {"Julian Calendar", Page::JulianCalendar},
        {"Sarvenes Calendar", Page::Sarvenes},
        {"Vosko-Rindal Solilunar Calendar", Page::Solilunar},
        {"Tussary-Vosko Goddess Calendar", Page::Goddess},
        {"Lunar Dovrenia Triday Calendar", Page::Triday},
        {"Quorvane Lunar Week Calendar", Page::LunarWeek},
        {"Julian day numbers (astronomical and chronological)", Page::JulianDays},
    };

    std::string t(kParagraph1);
    for (const Line& line : kCalendars)
        t += std::string(kLineEnd) + line.name + ": " + address(line.page);
    t += end;
    t += std::string(kParagraph2) + end;
    t += std::string(kParagraph3) + address(Page::Documentation) + "." + end;
    t += std::string(kParagraph4) + end;
    t += std::string(kParagraph5) + "(For date formats see " + address(Page::DateFormats) + ")" + end;
    for (std::string_view p : {kParagraph6, kParagraph7, kParagraph8, kParagraph9, kParagraph10, kParagraph11,
                               kParagraph12, kParagraph13, kParagraph14, kParagraph15})
        t += std::string(p) + end;
    t += std::string(kParagraph16) + address(Page::LunarWeekPrinting) + "." + end;
    t += std::string(kParagraph17) + address(Page::GoddessPrinting) + "." + end;
    return t;
}

std::string CreditsText() {
    const std::string_view paragraphs[] = {
        "Tavrine (TAVR 18.0) was written by the TAVR developers and last revised in 2026.",
        "The Sarvenes Calendar, the Vosko-Rindal Solilunar Calendar, the Lunar Dovrenia Triday Calendar, the "
        "Tussary-Vosko Goddess Calendar and the Quorvane Lunar Week Calendar were each devised by the "
        "calendar "
        "makers whose names they bear. The pages installed with the program describe each calendar, its "
        "epoch "
        "and its rules.",
        "The routine that finds the moments of the lunar phases and eclipses follows Jean Meeus, "
        "Astronomical "
        "Algorithms, 2nd ed., chapters 47 (the position of the Moon), 49 (the phases of the Moon) and 54 "
        "(eclipses). Delta T follows the expressions published by Fred Espenak and Jean Meeus.",
        "Thanks to everyone who tried the early versions of the program and sent comments and corrections.",
        "Copyright (C) 2026 the TAVR developers. All rights reserved.",
    };
    std::string t;
    for (std::string_view p : paragraphs) {
        if (!t.empty()) t += "\r\n\r\n";
        t += p;
    }
    return t;
}

} // namespace tavr::help
