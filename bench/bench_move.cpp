// One move step of each kind with everything the window shows after it: the
// step itself (QLW steps convert and step a QLW date), the nine rows, the time
// label, the Moon data, delta T and the drawn Moon picture. A repeated move
// makes one such step per refresh period (0.2 s at the shortest), so a step
// should stay far below it; the aim is 200 us.
//
// Steps alternate forward and back so that the moment stays near its start.
// Argument: the index of the step in the move list (0 "1 minute" .. 19
// "1 QLW year"); range(1): 0 the session's step alone, 1 with the picture.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QFileInfo>
#include <QString>

#include "astro/picture/MoonPicture.h"
#include "base/LibLoader.h"
#include "session/Move.h"

namespace ses = tavr::session;

namespace {

QString PictureFolder() {
    return QFileInfo(QString::fromLocal8Bit(qgetenv("TAVR_BENCH_PICDIR"))).isDir()
               ? QString::fromLocal8Bit(qgetenv("TAVR_BENCH_PICDIR"))
               : QString::fromStdString(tavr::LibraryDirectory());
}

void BM_MoveStep(benchmark::State& state) {
    const int step = static_cast<int>(state.range(0));
    const bool picture = state.range(1) != 0;
    ses::State s;
    s.dblCurrentAJDate = 2451545.1028; // 2000-01-01 CE 14:28
    s.zoneIndex = 26;                  // GMT + 01:00
    s.zoneOffset = 60;
    s.moveStepIndex = static_cast<int16_t>(step);
    const QString dir = PictureFolder();
    ses::ActionResult first = ses::MoveStep(s);
    if (first.kind != ses::ResultKind::Done || !first.tail) {
        state.SkipWithError("the step failed (libraries not found?)");
        return;
    }
    if (picture && tavr::moon::DrawMoonPicture(first.tail->moon, QColor(0, 0, 128), dir).isNull()) {
        state.SkipWithError("Moon pictures not found (set TAVR_BENCH_PICDIR)");
        return;
    }
    for (auto _ : state) {
        ses::ActionResult r = ses::MoveStep(s);
        if (picture)
            benchmark::DoNotOptimize(tavr::moon::DrawMoonPicture(r.tail->moon, QColor(0, 0, 128), dir));
        s = std::move(r.state);
        s.moveForward = !s.moveForward;
        benchmark::DoNotOptimize(r.tail);
    }
    state.SetLabel(std::string(ses::MoveStepText(step)));
}
BENCHMARK(BM_MoveStep)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 19, 1), {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
