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
        w->txbDate->clear();
        QTest::keyClicks(w->txbDate, text);
    }
    void Choose(int step, bool forward, bool repeatedly, int period = 2) {
        w->cboMoveStep->setCurrentIndex(step);
        w->optMoveDirection[forward ? 0 : 1]->click();
        if (w->chkRepeatedly->isChecked() != repeatedly) w->chkRepeatedly->click();
        w->cboRefreshPeriod->setCurrentIndex(period);
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
    QCOMPARE(w.cboMoveStep->count(), 20);
    QCOMPARE(w.cboMoveStep->currentText(), QString("1 day"));
    QCOMPARE(w.cboMoveStep->itemText(6), QString("1 SAR month"));
    QCOMPARE(w.cboRefreshPeriod->count(), 5);
    QCOMPARE(w.cboRefreshPeriod->currentText(), QString("1"));
    QVERIFY(w.optMoveDirection[0]->isChecked());
    QVERIFY(!w.chkRepeatedly->isChecked());
    QVERIFY(w.fraStopPauseResume->isHidden());
    QCOMPARE(w.optMoveDirection[0]->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QCOMPARE(w.optMoveDirection[1]->palette().color(QPalette::WindowText), QColor(200, 200, 200));
    w.optMoveDirection[1]->click();
    w.chkRepeatedly->click();
    QCOMPARE(w.optMoveDirection[0]->palette().color(QPalette::WindowText), QColor(200, 200, 200));
    QCOMPARE(w.chkRepeatedly->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QVERIFY(!w.CurrentState().moveForward);
    QVERIFY(w.CurrentState().repeatedly);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdMove));
}

void MoveTests::oneStepAddsOneHistoryLine() {
    Fixture f;
    frmMain& w = *f.w;
    w.cmdNow_Click();
    QVERIFY(w.Clock->isActive());
    f.results.clear();
    f.Type("2023-01-31 CE 10:00");
    f.Choose(3, true, false);
    w.cmdMove->click();
    QCOMPARE(w.Row(CE)[1]->text(), QString("2023-02-28 CE (Tuesday, February 28, 2023)"));
    QCOMPARE(w.txbDate->text(), QString("2023-02-28 CE 10:00"));
    QCOMPARE(f.HistoryActions(), QStringList{"Move forward 1 CE month."});
    QCOMPARE(QString::fromStdString(f.results.back().historyText), QString("2023-02-28 CE"));
    QVERIFY(!w.CurrentState().nowMode);
    QVERIFY(w.picCheck->isHidden());
    QVERIFY(!w.Clock->isActive());
    QCOMPARE(w.Clock->interval(), 5000);
    QVERIFY(f.boxes.Asked().empty());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdMove));
    // Back again, from the moment reached (the entry holds it).
    w.optMoveDirection[1]->click();
    w.cmdMove->click();
    QCOMPARE(w.Row(CE)[1]->text(), QString("2023-01-28 CE (Saturday, January 28, 2023)"));
}

void MoveTests::refusedEntryMovesNothing() {
    Fixture f;
    frmMain& w = *f.w;
    const double before = f.Ajd();
    f.Type("2023-13-01 CE");
    w.cmdMove->click();
    QCOMPARE(f.boxes.Asked().size(), size_t{1});
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("Invalid date/time entry"));
    QCOMPARE(f.Ajd(), before);
    QVERIFY(f.HistoryActions().isEmpty());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.txbDate));
}

void MoveTests::repeatRunsPausesResumesAndStops() {
    Fixture f;
    frmMain& w = *f.w;
    f.Type("2000-01-01 CE 12:00");
    f.Choose(2, true, true, 0); // 1 day, every 0.2 s
    const double start = 2451545.0;
    QElapsedTimer elapsed;
    elapsed.start();
    w.cmdMove->click();
    // Running: the first step at once, Stop and Pause shown, the rest disabled.
    QCOMPARE(f.Ajd(), start + 1.0);
    QVERIFY(w.RepeatRunning());
    QVERIFY(w.fraStopPauseResume->isVisible());
    QVERIFY(!w.cmdMove->isEnabled());
    QVERIFY(!w.fraConvert->isEnabled());
    QVERIFY(!w.cmdQuit->isEnabled());
    QVERIFY(!w.cboRefreshPeriod->isEnabled());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdStop));
    QVERIFY(w.Clock->isActive());
    QCOMPARE(w.Clock->interval(), 200);

    // About five steps a second.
    QTest::qWait(1000);
    const double steps = f.Ajd() - start - 1.0;
    const double seconds = elapsed.elapsed() / 1000.0;
    QVERIFY2(steps >= 3.0 && steps <= 6.0 * seconds + 1.0,
             qPrintable(QString("%1 steps in %2 s").arg(steps).arg(seconds)));

    // Pause holds the moment; the period may change meanwhile.
    w.cmdPauseResume->click();
    QVERIFY(w.Paused());
    QCOMPARE(w.cmdPauseResume->text(), QString("Resume"));
    QVERIFY(!w.Clock->isActive());
    QVERIFY(w.cboRefreshPeriod->isEnabled());
    const double held = f.Ajd();
    QTest::qWait(700);
    QCOMPARE(f.Ajd(), held);
    w.cboRefreshPeriod->setCurrentIndex(1); // 0.5 s
    w.cboRefreshPeriod_Click();
    QCOMPARE(w.Clock->interval(), 500);

    // Resume at the new pace: about two steps a second.
    w.cmdPauseResume->click();
    QVERIFY(!w.Paused());
    QCOMPARE(w.cmdPauseResume->text(), QString("Pause"));
    QVERIFY(w.Clock->isActive());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdStop));
    QTest::qWait(1100);
    const double resumed = f.Ajd() - held;
    QVERIFY2(resumed >= 1.0 && resumed <= 4.0, qPrintable(QString("%1 steps after resume").arg(resumed)));
    QVERIFY(f.HistoryActions().isEmpty());

    // Stop: one history line for the whole move; everything enabled again.
    w.cmdStop->click();
    const double stopped = f.Ajd();
    QVERIFY(!w.RepeatRunning());
    QVERIFY(w.fraStopPauseResume->isHidden());
    QVERIFY(!w.Clock->isActive());
    QVERIFY(w.cmdMove->isEnabled());
    QVERIFY(w.fraConvert->isEnabled());
    QVERIFY(w.cmdQuit->isEnabled());
    QCOMPARE(f.HistoryActions(), QStringList{"Move forward 1 day repeatedly."});
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdMove));
    QTest::qWait(450);
    QCOMPARE(f.Ajd(), stopped);
    QVERIFY(f.boxes.Asked().empty());
}

void MoveTests::rangeStopEndsARepeat() {
    Fixture f;
    frmMain& w = *f.w;
    f.Type("5999-12-30 CE 12:00");
    f.Choose(2, true, true, 0);
    w.cmdMove->click();
    QTRY_VERIFY_WITH_TIMEOUT(!w.RepeatRunning(), 5000);
    // One box: the range message (the Moon display's own refusal is not shown).
    QCOMPARE(f.boxes.Asked().size(), size_t{1});
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("Out of range"));
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), QString("Latest date exceeded."));
    // The moment reached stays and goes into the history.
    QCOMPARE(w.Row(CE)[1]->text().left(13), QString("6000-01-02 CE"));
    QVERIFY(f.Ajd() > 3912515.0);
    QCOMPARE(f.HistoryActions(), QStringList{"Move forward 1 day repeatedly."});
    QVERIFY(!w.Clock->isActive());
    QVERIFY(w.cmdMove->isEnabled());
}

void MoveTests::nowDuringARepeatEndsTheMoveFirst() {
    Fixture f;
    frmMain& w = *f.w;
    f.Choose(1, false, true, 0);
    w.cmdMove->click();
    QVERIFY(w.RepeatRunning());
    QTest::qWait(250);
    w.cmdNow->click();
    // The move's own line first, then Now's; Now mode keeps its clock.
    QCOMPARE(f.HistoryActions(), (QStringList{"Move back 1 hour repeatedly.", "Now"}));
    QVERIFY(!w.RepeatRunning());
    QVERIFY(w.CurrentState().nowMode);
    QVERIFY(w.Clock->isActive());
    QCOMPARE(w.Clock->interval(), 5000);
    QVERIFY(w.fraStopPauseResume->isHidden());
    QVERIFY(w.cmdMove->isEnabled());
}

void MoveTests::stepBeyondTheRangeShowsItsMoonAndLogsWhole() {
    Fixture f;
    frmMain& w = *f.w;
    w.chkLog->click();
    f.Type("5999-12-31 CE 12:00");
    f.Choose(2, true, false);
    w.cmdMove->click(); // 6000-01-01 12:00, the last moment accepted
    QVERIFY(f.boxes.Asked().empty());
    w.cmdMove->click(); // one day beyond
    QCOMPARE(f.boxes.Asked().size(), size_t{1});
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), QString("Latest date exceeded."));
    QVERIFY(f.Ajd() > 3912515.0);
    const QString phase = w.lblPhaseOfMoon[1]->text().section(',', 0, 0); // "Dark moon (waning)"
    QVERIFY(!phase.isEmpty());
    QVERIFY(!w.lblAgeOfMoon[1]->text().isEmpty());
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
    w.cmdMove->click();
    QCOMPARE(QString::fromStdString(f.results.back().historyText), QString("4696-11-26 SAR"));
    QCOMPARE(w.CurrentState().currentCalendar, int16_t(2));
    QCOMPARE(w.cboHistory->currentText().left(14), QString("4696-11-26 SAR"));
    QVERIFY(w.txbDate->text().contains(" SAR "));
    QCOMPARE(w.lblSarvenesDate[0]->palette().color(QPalette::WindowText), QColor(255, 255, 255));
}

void MoveTests::logSwitchesStayUsableDuringARepeat() {
    Fixture f;
    frmMain& w = *f.w;
    f.Choose(2, true, true, 4);
    w.cmdMove->click();
    QVERIFY(w.RepeatRunning());
    // Only the controls that could start another operation wait.
    for (QWidget* c : std::initializer_list<QWidget*>{w.cmdMove, w.fraConvert, w.cmdSearch, w.cboHistory,
                                                      w.cmdQuit, w.cmdViewLog, w.cmdLogThisResult})
        QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
    for (QWidget* c : std::initializer_list<QWidget*>{w.chkLog, w.cmdLogPreferences, w.cmdStop, w.cmdNow})
        QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
    w.chkLog->click();
    QVERIFY(w.CurrentState().chkLog);
    w.cmdStop->click();
    QVERIFY(w.cboHistory->isEnabled());
    QVERIFY(!w.cmdLogThisResult->isEnabled()); // every result is logged now
    QVERIFY(w.LogText().contains("Move forward 1 day repeatedly."));
}

QTEST_MAIN(MoveTests)
#include "move_qtests.moc"
