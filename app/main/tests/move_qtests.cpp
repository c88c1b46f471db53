// The move frame driven as a user drives it: one step, a repeated move paced
// by the clock with Pause, Resume, a new period and Stop, the range stop in
// the middle of a repeat, Now during a repeat, and a refused entry.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>

#include "main/frmMain.h"

#include "main/tests/TestDoubles.h"

using tavr::ui::FakeClock;
using tavr::ui::ScriptedMessageBoxes;
namespace ses = tavr::session;

namespace {

constexpr int CE = 0;

struct Fixture {
    ScriptedMessageBoxes boxes;
    FakeClock clock{QDateTime(QDate(2020, 6, 15), QTime(8, 0), Qt::UTC)};
    std::unique_ptr<frmMain> w;
    std::vector<ses::ActionResult> results;

    Fixture() {
        w = std::make_unique<frmMain>(&boxes, &clock);
        w->Load(true);
        QApplication::setActiveWindow(w.get());
        QObject::connect(w.get(), &frmMain::resultApplied,
                         [this](const ses::ActionResult& r) { results.push_back(r); });
    }
    void Type(const QString& text) {
        w->entryFrame->txbDate->clear();
        QTest::keyClicks(w->entryFrame->txbDate, text);
    }
    void Choose(int step, bool forward, bool repeatedly, int period = 2) {
        w->moveFrame->cboMoveStep->setCurrentIndex(step);
        w->moveFrame->optMoveDirection[forward ? 0 : 1]->click();
        if (w->moveFrame->chkRepeatedly->isChecked() != repeatedly) w->moveFrame->chkRepeatedly->click();
        w->moveFrame->cboRefreshPeriod->setCurrentIndex(period);
    }
    double Ajd() const { return w->CurrentState().dblCurrentAJDate; }
    // The history lines (and log entries) handed on so far.
    QStringList HistoryActions() const {
        QStringList actions;
        for (const ses::ActionResult& r : results)
            if (r.historyDue) actions << QString::fromStdString(r.actionText);
        return actions;
    }
};

} // namespace

class MoveTests : public QObject {
    Q_OBJECT

  private slots:
    void listsAndDefaults();
    void oneStepAddsOneHistoryLine();
    void refusedEntryMovesNothing();
    void repeatRunsPausesResumesAndStops();
    void rangeStopEndsARepeat();
    void nowDuringARepeatEndsTheMoveFirst();
    void stepBeyondTheRangeShowsItsMoonAndLogsWhole();
    void aDateTypedInAnotherCalendarMakesItCurrent();
    void logSwitchesStayUsableDuringARepeat();
};

void MoveTests::listsAndDefaults() {
    Fixture f;
    frmMain& w = *f.w;
    QCOMPARE(w.moveFrame->cboMoveStep->count(), 20);
    QCOMPARE(w.moveFrame->cboMoveStep->currentText(), QString("1 day"));
    QCOMPARE(w.moveFrame->cboMoveStep->itemText(6), QString("1 SAR month"));
    QCOMPARE(w.moveFrame->cboRefreshPeriod->count(), 5);
    QCOMPARE(w.moveFrame->cboRefreshPeriod->currentText(), QString("1"));
    QVERIFY(w.moveFrame->optMoveDirection[0]->isChecked());
    QVERIFY(!w.moveFrame->chkRepeatedly->isChecked());
    QVERIFY(w.moveFrame->fraStopPauseResume->isHidden());
    QCOMPARE(w.moveFrame->optMoveDirection[0]->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QCOMPARE(w.moveFrame->optMoveDirection[1]->palette().color(QPalette::WindowText), QColor(200, 200, 200));
    w.moveFrame->optMoveDirection[1]->click();
    w.moveFrame->chkRepeatedly->click();
    QCOMPARE(w.moveFrame->optMoveDirection[0]->palette().color(QPalette::WindowText), QColor(200, 200, 200));
    QCOMPARE(w.moveFrame->chkRepeatedly->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QVERIFY(!w.CurrentState().moveForward);
    QVERIFY(w.CurrentState().repeatedly);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.moveFrame->cmdMove));
}

void MoveTests::oneStepAddsOneHistoryLine() {
    Fixture f;
    frmMain& w = *f.w;
    w.cmdNow_Click();
    QVERIFY(w.Clock->isActive());
    f.results.clear();
    f.Type("2023-01-31 CE 10:00");
    f.Choose(3, true, false);
    w.moveFrame->cmdMove->click();
    QCOMPARE(w.datesFrame->Row(CE)[1]->text(), QString("2023-02-28 CE (Tuesday, February 28, 2023)"));
    QCOMPARE(w.entryFrame->txbDate->text(), QString("2023-02-28 CE 10:00"));
    QCOMPARE(f.HistoryActions(), QStringList{"Move forward 1 CE month."});
    QCOMPARE(QString::fromStdString(f.results.back().historyText), QString("2023-02-28 CE"));
    QVERIFY(!w.CurrentState().nowMode);
    QVERIFY(w.timeFrame->picCheck->isHidden());
    QVERIFY(!w.Clock->isActive());
    QCOMPARE(w.Clock->interval(), 5000);
    QVERIFY(f.boxes.Asked().empty());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.moveFrame->cmdMove));
    // Back again, from the moment reached (the entry holds it).
    w.moveFrame->optMoveDirection[1]->click();
    w.moveFrame->cmdMove->click();
    QCOMPARE(w.datesFrame->Row(CE)[1]->text(), QString("2023-01-28 CE (Saturday, January 28, 2023)"));
}

void MoveTests::refusedEntryMovesNothing() {
    Fixture f;
    frmMain& w = *f.w;
    const double before = f.Ajd();
    f.Type("2023-13-01 CE");
    w.moveFrame->cmdMove->click();
    QCOMPARE(f.boxes.Asked().size(), size_t{1});
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("Invalid date/time entry"));
    QCOMPARE(f.Ajd(), before);
    QVERIFY(f.HistoryActions().isEmpty());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.entryFrame->txbDate));
}

void MoveTests::repeatRunsPausesResumesAndStops() {
    Fixture f;
    frmMain& w = *f.w;
    f.Type("2000-01-01 CE 12:00");
    f.Choose(2, true, true, 0); // 1 day, every 0.2 s
    const double start = 2451545.0;
    QElapsedTimer elapsed;
    elapsed.start();
    w.moveFrame->cmdMove->click();
    // Running: the first step at once, Stop and Pause shown, the rest disabled.
    QCOMPARE(f.Ajd(), start + 1.0);
    QVERIFY(w.MoveState().running);
    QVERIFY(w.moveFrame->fraStopPauseResume->isVisible());
    QVERIFY(!w.moveFrame->cmdMove->isEnabled());
    QVERIFY(!w.entryFrame->isEnabled());
    QVERIFY(!w.cmdQuit->isEnabled());
    QVERIFY(!w.moveFrame->cboRefreshPeriod->isEnabled());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.moveFrame->cmdStop));
    QVERIFY(w.Clock->isActive());
    QCOMPARE(w.Clock->interval(), 200);

    // About five steps a second.
    QTest::qWait(1000);
    const double steps = f.Ajd() - start - 1.0;
    const double seconds = elapsed.elapsed() / 1000.0;
    QVERIFY2(steps >= 3.0 && steps <= 6.0 * seconds + 1.0,
             qPrintable(QString("%1 steps in %2 s").arg(steps).arg(seconds)));

    // Pause holds the moment; the period may change meanwhile.
    w.moveFrame->cmdPauseResume->click();
    QVERIFY(w.MoveState().paused);
    QCOMPARE(w.moveFrame->cmdPauseResume->text(), QString("Resume"));
    QVERIFY(!w.Clock->isActive());
    QVERIFY(w.moveFrame->cboRefreshPeriod->isEnabled());
    const double held = f.Ajd();
    QTest::qWait(700);
    QCOMPARE(f.Ajd(), held);
    w.moveFrame->cboRefreshPeriod->setCurrentIndex(1); // 0.5 s
    w.cboRefreshPeriod_Click();
    QCOMPARE(w.Clock->interval(), 500);

    // Resume at the new pace: about two steps a second.
    w.moveFrame->cmdPauseResume->click();
    QVERIFY(!w.MoveState().paused);
    QCOMPARE(w.moveFrame->cmdPauseResume->text(), QString("Pause"));
    QVERIFY(w.Clock->isActive());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.moveFrame->cmdStop));
    QTest::qWait(1100);
    const double resumed = f.Ajd() - held;
    QVERIFY2(resumed >= 1.0 && resumed <= 4.0, qPrintable(QString("%1 steps after resume").arg(resumed)));
    QVERIFY(f.HistoryActions().isEmpty());

    // Stop: one history line for the whole move; everything enabled again.
    w.moveFrame->cmdStop->click();
    const double stopped = f.Ajd();
    QVERIFY(!w.MoveState().running);
    QVERIFY(w.moveFrame->fraStopPauseResume->isHidden());
    QVERIFY(!w.Clock->isActive());
    QVERIFY(w.moveFrame->cmdMove->isEnabled());
    QVERIFY(w.entryFrame->isEnabled());
    QVERIFY(w.cmdQuit->isEnabled());
    QCOMPARE(f.HistoryActions(), QStringList{"Move forward 1 day repeatedly."});
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.moveFrame->cmdMove));
    QTest::qWait(450);
    QCOMPARE(f.Ajd(), stopped);
    QVERIFY(f.boxes.Asked().empty());
}

void MoveTests::rangeStopEndsARepeat() {
    Fixture f;
    frmMain& w = *f.w;
    f.Type("5999-12-30 CE 12:00");
    f.Choose(2, true, true, 0);
    w.moveFrame->cmdMove->click();
    QTRY_VERIFY_WITH_TIMEOUT(!w.MoveState().running, 5000);
    // One box: the range message (the Moon display's own refusal is not shown).
    QCOMPARE(f.boxes.Asked().size(), size_t{1});
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("Out of range"));
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), QString("Latest date exceeded."));
    // The moment reached stays and goes into the history.
    QCOMPARE(w.datesFrame->Row(CE)[1]->text().left(13), QString("6000-01-02 CE"));
    QVERIFY(f.Ajd() > 3912515.0);
    QCOMPARE(f.HistoryActions(), QStringList{"Move forward 1 day repeatedly."});
    QVERIFY(!w.Clock->isActive());
    QVERIFY(w.moveFrame->cmdMove->isEnabled());
}

void MoveTests::nowDuringARepeatEndsTheMoveFirst() {
    Fixture f;
    frmMain& w = *f.w;
    f.Choose(1, false, true, 0);
    w.moveFrame->cmdMove->click();
    QVERIFY(w.MoveState().running);
    QTest::qWait(250);
    w.timeFrame->cmdNow->click();
    // The move's own line first, then Now's; Now mode keeps its clock.
    QCOMPARE(f.HistoryActions(), (QStringList{"Move back 1 hour repeatedly.", "Now"}));
    QVERIFY(!w.MoveState().running);
    QVERIFY(w.CurrentState().nowMode);
    QVERIFY(w.Clock->isActive());
    QCOMPARE(w.Clock->interval(), 5000);
    QVERIFY(w.moveFrame->fraStopPauseResume->isHidden());
    QVERIFY(w.moveFrame->cmdMove->isEnabled());
}

void MoveTests::stepBeyondTheRangeShowsItsMoonAndLogsWhole() {
    Fixture f;
    frmMain& w = *f.w;
    w.historyFrame->chkLog->click();
    f.Type("5999-12-31 CE 12:00");
    f.Choose(2, true, false);
    w.moveFrame->cmdMove->click(); // 6000-01-01 12:00, the last moment accepted
    QVERIFY(f.boxes.Asked().empty());
    w.moveFrame->cmdMove->click(); // one day beyond
    QCOMPARE(f.boxes.Asked().size(), size_t{1});
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), QString("Latest date exceeded."));
    QVERIFY(f.Ajd() > 3912515.0);
    const QString phase = w.moonFrame->lblPhaseOfMoon[1]->text().section(',', 0, 0); // "Dark moon (waning)"
    QVERIFY(!phase.isEmpty());
    QVERIFY(!w.moonFrame->lblAgeOfMoon[1]->text().isEmpty());
    // The entry of the move beyond is whole, and the next one begins on its own.
    w.cmdNow_Click();
    const QString log = w.LogText();
    const qsizetype beyond = log.indexOf("6000-01-02 CE");
    QVERIFY(beyond >= 0);
    const qsizetype now = log.indexOf("Now", beyond);
    QVERIFY(now > beyond);
    const QString entry = log.mid(beyond, now - beyond);
    QVERIFY2(entry.contains(phase + ", illum."), qPrintable(entry));
    QVERIFY2(entry.endsWith("\r\n\r\n"), qPrintable(entry));
    QCOMPARE(f.boxes.Asked().size(), size_t{1});
}

void MoveTests::aDateTypedInAnotherCalendarMakesItCurrent() {
    Fixture f;
    frmMain& w = *f.w;
    f.Type("4696-11-25 SAR 10:00");
    f.Choose(2, true, false);
    w.moveFrame->cmdMove->click();
    QCOMPARE(QString::fromStdString(f.results.back().historyText), QString("4696-11-26 SAR"));
    QCOMPARE(w.CurrentState().currentCalendar, int16_t(2));
    QCOMPARE(w.historyFrame->cboHistory->currentText().left(14), QString("4696-11-26 SAR"));
    QVERIFY(w.entryFrame->txbDate->text().contains(" SAR "));
    QCOMPARE(w.datesFrame->lblSarvenesDate[0]->palette().color(QPalette::WindowText), QColor(255, 255, 255));
}

void MoveTests::logSwitchesStayUsableDuringARepeat() {
    Fixture f;
    frmMain& w = *f.w;
    f.Choose(2, true, true, 4);
    w.moveFrame->cmdMove->click();
    QVERIFY(w.MoveState().running);
    // Only the controls that could start another operation wait.
    for (QWidget* c : std::initializer_list<QWidget*>{
             w.moveFrame->cmdMove, w.entryFrame, w.searchFrame->cmdSearch, w.historyFrame->cboHistory,
             w.cmdQuit, w.historyFrame->cmdViewLog, w.historyFrame->cmdLogThisResult})
        QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
    for (QWidget* c :
         std::initializer_list<QWidget*>{w.historyFrame->chkLog, w.historyFrame->cmdLogPreferences,
                                         w.moveFrame->cmdStop, w.timeFrame->cmdNow})
        QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
    w.historyFrame->chkLog->click();
    QVERIFY(w.CurrentState().chkLog);
    w.moveFrame->cmdStop->click();
    QVERIFY(w.historyFrame->cboHistory->isEnabled());
    QVERIFY(!w.historyFrame->cmdLogThisResult->isEnabled()); // every result is logged now
    QVERIFY(w.LogText().contains("Move forward 1 day repeatedly."));
}

QTEST_MAIN(MoveTests)
#include "move_qtests.moc"
