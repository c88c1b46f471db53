// Speed of the calendar core: day number to date and back for every calendar
// of the core, over random days of the accepted range, and the texts of all
// calendar rows of one moment.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "calendar/DateTexts.h"
#include "calendar/DayNumbers.h"
#include "calendar/QLWC.h"
#include "calendar/SarCal.h"
#include "calendar/Solilunar.h"
#include "calendar/TVGCal.h"
#include "calendar/Triday.h"

using namespace tavr;

namespace {

const std::vector<DayNumber>& RandomDays() {
    static const std::vector<DayNumber> days = [] {
        std::mt19937 gen(20240229u);
        std::uniform_int_distribution<DayNumber> pick(kFirstRangeDay + 400, kLastRangeDay - 400);
        std::vector<DayNumber> v(4096);
        for (auto& d : v)
            d = pick(gen);
        return v;
    }();
    return days;
}

template <typename Fn> void Over(benchmark::State& state, Fn fn) {
    const auto& days = RandomDays();
    std::size_t i = 0;
    for (auto _ : state) {
        fn(days[i]);
        i = (i + 1) & (days.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

// Converts dates made beforehand from the random days, so that only the
// conversion to a day number is timed.
template <typename Make, typename Fn> void OverDates(benchmark::State& state, Make make, Fn fn) {
    const auto& days = RandomDays();
    std::vector<decltype(make(DayNumber{}))> dates;
    dates.reserve(days.size());
    for (DayNumber d : days)
        dates.push_back(make(d));
    std::size_t i = 0;
    for (auto _ : state) {
        auto date = dates[i];
        benchmark::DoNotOptimize(fn(date));
        i = (i + 1) & (dates.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_CeFromDay(benchmark::State& s) {
    Over(s, [](DayNumber d) { benchmark::DoNotOptimize(DayNumberToEuroDate(d, kLetterCE)); });
}
void BM_CeToDay(benchmark::State& s) {
    OverDates(
        s, [](DayNumber d) { return DayNumberToEuroDate(d, kLetterCE); },
        [](EuroDate& e) { return EuroDateToDayNumber(e); });
}
void BM_JcFromDay(benchmark::State& s) {
    Over(s, [](DayNumber d) { benchmark::DoNotOptimize(DayNumberToEuroDate(d, kLetterJC)); });
}
void BM_JcToDay(benchmark::State& s) {
    OverDates(
        s, [](DayNumber d) { return DayNumberToEuroDate(d, kLetterJC); },
        [](EuroDate& e) { return EuroDateToDayNumber(e); });
}
void BM_SarFromDay(benchmark::State& s) {
    Over(s, [](DayNumber d) { benchmark::DoNotOptimize(sar::FromDayNumber(d)); });
}
void BM_SarToDay(benchmark::State& s) {
    OverDates(
        s, [](DayNumber d) { return sar::FromDayNumber(d); },
        [](EuroDate& e) { return sar::ToDayNumber(e); });
}
void BM_TvgFromDay(benchmark::State& s) {
    Over(s, [](DayNumber d) { benchmark::DoNotOptimize(tvg::FromDayNumber(d)); });
}
void BM_TvgToDay(benchmark::State& s) {
    OverDates(
        s, [](DayNumber d) { return tvg::FromDayNumber(d); },
        [](tvg::TvgDate& t) { return tvg::ToDayNumber(t); });
}
void BM_VrFromDay(benchmark::State& s) {
    Over(s, [](DayNumber d) { benchmark::DoNotOptimize(vr::FromDayNumber(d)); });
}
void BM_VrToDay(benchmark::State& s) {
    OverDates(
        s, [](DayNumber d) { return vr::FromDayNumber(d); }, [](VrslcDate& v) { return vr::ToDayNumber(v); });
}
void BM_LdtFromDay(benchmark::State& s) {
    Over(s, [](DayNumber d) { benchmark::DoNotOptimize(ldt::FromDayNumber(d)); });
}
void BM_LdtToDay(benchmark::State& s) {
    OverDates(
        s, [](DayNumber d) { return ldt::FromDayNumber(d); },
        [](DtcLunarDate& l) { return ldt::ToDayNumber(l); });
}

// The parses of entered texts (the text of the date's own short form).
void BM_ParseAll(benchmark::State& s) {
    Over(s, [](DayNumber d) {
        EuroDate ce{0, 0, 0, kLetterCE, 0, 0};
        dates::ParseDateText(dates::ShortDateText(DayNumberToEuroDate(d, kLetterCE)), ce);
        EuroDate sr{};
        sar::Parse(std::to_string(sar::FromDayNumber(d).year) + "-1-1", sr);
        VrslcDate v{};
        const VrslcDate vd = vr::FromDayNumber(d);
        vr::Parse(std::to_string(vd.cycle) + "-" + std::to_string(vd.year) + "-1-1", v);
        DtcLunarDate l{};
        ldt::Parse("98-9-9-3", l);
        tvg::TvgDate t;
        tvg::Parse("1-94-08-25", t);
        benchmark::DoNotOptimize(ce.dayNumber + sr.dayNumber + v.dayNumber + l.dayNumber + t.dayNumber);
    });
}

// Everything the seven calendar rows of one moment show: the conversions and
// the short, descriptive and long texts of CE, JC, SAR, VR, LDT, TVG and QLW.
void BM_AllSevenRows(benchmark::State& s) {
    Over(s, [](DayNumber d) {
        std::string out;
        out.reserve(1024);
        for (int32_t letter : {kLetterCE, kLetterJC}) {
            const EuroDate e = DayNumberToEuroDate(d, letter);
            const std::string shortText = dates::ShortDateText(e) + (letter == kLetterCE ? " CE" : " JC");
            out += shortText;
            out += shortText + " (" + std::string(WeekdayNameOf(d)) + ", " +
                   std::string(dates::MonthName(e.month)) + " " + std::to_string(e.day) + ", " +
                   std::to_string(e.year) + ")";
            out += dates::LongDateText(e);
        }
        const EuroDate sd = sar::FromDayNumber(d);
        for (tavr::TextForm form : {tavr::TextForm::Short, tavr::TextForm::Descriptive, tavr::TextForm::Long})
            out += sar::Text(sd, form);
        const VrslcDate vd = vr::FromDayNumber(d);
        for (tavr::TextForm form : {tavr::TextForm::Short, tavr::TextForm::Descriptive, tavr::TextForm::Long})
            out += vr::Text(vd, form);
        const DtcLunarDate ld = ldt::FromDayNumber(d);
        for (tavr::TextForm form : {tavr::TextForm::Short, tavr::TextForm::Descriptive, tavr::TextForm::Long})
            out += ldt::Text(ld, form);
        const tvg::TvgDate td = tvg::FromDayNumber(d);
        for (tavr::TextForm form : {tavr::TextForm::Short, tavr::TextForm::Descriptive, tavr::TextForm::Long})
            out += tvg::Text(td, form, true);
        const qlw::QlwDay qd = qlw::FromDayNumber(d);
        out += qlw::Text(qd, tavr::TextForm::Short);
        out += qlw::Text(qd, tavr::TextForm::Descriptive);
        benchmark::DoNotOptimize(out.data());
    });
}

BENCHMARK(BM_CeFromDay);
BENCHMARK(BM_CeToDay);
BENCHMARK(BM_JcFromDay);
BENCHMARK(BM_JcToDay);
BENCHMARK(BM_SarFromDay);
BENCHMARK(BM_SarToDay);
BENCHMARK(BM_TvgFromDay);
BENCHMARK(BM_TvgToDay);
BENCHMARK(BM_VrFromDay);
BENCHMARK(BM_VrToDay);
BENCHMARK(BM_LdtFromDay);
BENCHMARK(BM_LdtToDay);
BENCHMARK(BM_ParseAll);
BENCHMARK(BM_AllSevenRows);

} // namespace

BENCHMARK_MAIN();
