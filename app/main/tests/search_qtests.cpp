// The search frame driven as a user drives it: the list and its start item,
// the direction captions, a total solar eclipse twice, the saros search and
// its list, the separator and "No eclipse displayed" messages, Now mode
// ended by a hit, and the range message that moves nothing.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "main/frmMain.h"
#include "session/Search.h"

#include "main/tests/TestDoubles.h"

using tavr::ui::FakeClock;
using tavr::ui::ScriptedMessageBoxes;

namespace {

const QColor kOn(255, 255, 255);
const QColor kOff(200, 200, 200);

struct Fixture {
    ScriptedMessageBoxes boxes;
    FakeClock clock{QDateTime(QDate(2024, 1, 1), QTime(12, 0), Qt::UTC)};
    std::unique_ptr<frmMain> w;
    Fixture() {
        w = std::make_unique<frmMain>(&boxes, &clock);
        w->Load(true);
    }
    void Search(int target, bool next, const QString& entry = QString()) {
        w->entryFrame->txbDate->setText(entry);
        w->searchFrame->cboTarget->setCurrentIndex(target);
        w->cboTarget_Click();
        next ? w->searchFrame->optNext->click() : w->searchFrame->optPrevious->click();
        w->searchFrame->cmdSearch->click();
    }
    double Moment() const { return w->CurrentState().dblCurrentAJDate; }
};

} // namespace

class SearchTests : public QObject {
    Q_OBJECT

  private slots:
    void listAndDirection();
    void totalSolarEclipseTwiceThenSaros();
    void messagesMoveNothing();
    void hitEndsNowMode();
    void noEclipseBoxAndNowLeaveNoSarosTarget();
    void aDateTypedInAnotherCalendarMakesItCurrent();
    void eclipseCaptionMovesNothing();
};

void SearchTests::listAndDirection() {
    Fixture f;
    QCOMPARE(f.w->searchFrame->cboTarget->count(), 16);
    QCOMPARE(f.w->searchFrame->cboTarget->currentIndex(), 11);
    QCOMPARE(f.w->searchFrame->cboTarget->currentText(), QString("Total solar eclipse"));
    QCOMPARE(f.w->searchFrame->cboTarget->itemData(0).toInt(), 2);
    QCOMPARE(f.w->searchFrame->cboTarget->itemData(1).toInt(), 0);
    QVERIFY(!f.w->searchFrame->cboTarget->itemData(4).isValid());
    QVERIFY(f.w->searchFrame->cboTarget->itemText(5).isEmpty());
    QVERIFY(!f.w->searchFrame->lblSearching->isVisible());
    QCOMPARE(f.w->searchFrame->cmdSearch->text(), QString("Search for"));
    f.w->searchFrame->optPrevious->click();
    QCOMPARE(f.w->searchFrame->optPrevious->palette().color(QPalette::WindowText), kOn);
    QCOMPARE(f.w->searchFrame->optNext->palette().color(QPalette::WindowText), kOff);
    QVERIFY(!f.w->CurrentState().searchNext);
    f.w->searchFrame->optNext->click();
    QCOMPARE(f.w->searchFrame->optNext->palette().color(QPalette::WindowText), kOn);
}

void SearchTests::totalSolarEclipseTwiceThenSaros() {
    Fixture f;
    QSignalSpy applied(f.w.get(), &frmMain::resultApplied);
    f.Search(11, true, "2024-01-01 CE");
    QVERIFY(f.boxes.Asked().empty());
    const double first = f.Moment();
    QVERIFY(std::fabs(first - 2460409.262) < 0.01);
    QVERIFY(f.w->moonFrame->lblActualEclipseData->text().startsWith("Central total solar eclipse"));
    QVERIFY(f.w->entryFrame->txbDate->text().startsWith("2024-04-08 CE"));
    const auto result = applied.last().at(0).value<tavr::session::ActionResult>();
    QCOMPARE(QString::fromStdString(result.actionText), QString("Search for next total solar eclipse."));
    QVERIFY(result.historyDue);
    QVERIFY(result.eclipseType == 3 || result.eclipseType == 4);

    f.Search(11, true);
    QVERIFY(f.Moment() > first + 100.0);
    const double second = f.Moment();

    f.Search(tavr::session::kTargetSaros, false);
    QVERIFY(f.boxes.Asked().empty());
    QVERIFY(std::fabs(second - f.Moment() - 6585.32) < 0.5);
    QCOMPARE(f.w->searchFrame->cboTarget->currentIndex(), int(tavr::session::kTargetSaros));
    QVERIFY(f.w->moonFrame->lblActualEclipseData->text().contains("Saros number"));

    // A phase search clears the eclipse; the saros search then has none to follow.
    f.Search(0, true);
    QVERIFY(f.w->moonFrame->lblActualEclipseData->text().isEmpty());
    const double full = f.Moment();
    f.Search(tavr::session::kTargetSaros, true);
    QCOMPARE(f.boxes.Asked().size(), size_t(1));
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("No eclipse displayed"));
    QCOMPARE(f.Moment(), full);
}

void SearchTests::messagesMoveNothing() {
    Fixture f;
    f.Search(1, true, "2000-01-01 CE");
    const double before = f.Moment();
    f.Search(5, true);
    QCOMPARE(f.boxes.Asked().size(), size_t(1));
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), QString("Please specify target for search."));
    QCOMPARE(f.Moment(), before);

    f.Search(tavr::session::kTargetCoincidence, false, "-2950-01-01 CE");
    QCOMPARE(f.boxes.Asked().size(), size_t(2));
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[1].title), QString("Out of range"));
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[1].text), QString("Earliest date exceeded."));
    QCOMPARE(f.Moment(), before);
    QVERIFY(!f.w->searchFrame->lblSearching->isVisible());
}

void SearchTests::hitEndsNowMode() {
    Fixture f;
    f.w->cmdNow_Click();
    QVERIFY(f.w->CurrentState().nowMode);
    QVERIFY(f.w->Clock->isActive());
    f.Search(tavr::session::kTargetCoincidence, true);
    QVERIFY(f.boxes.Asked().empty());
    QVERIFY(!f.w->CurrentState().nowMode);
    QVERIFY(!f.w->Clock->isActive());
    QVERIFY(!f.w->timeFrame->picCheck->isVisible());
}

void SearchTests::noEclipseBoxAndNowLeaveNoSarosTarget() {
    Fixture f;
    f.Search(tavr::session::kTargetSaros, true, "2024-01-01 CE");
    QCOMPARE(f.boxes.Asked().size(), size_t(1));
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("No eclipse displayed"));
    QCOMPARE(f.boxes.Asked()[0].icon, tavr::session::Icon::None);
    QCOMPARE(f.w->entryFrame->txbDate->text(), QString());
    QCOMPARE(f.w->focusWidget(), static_cast<QWidget*>(f.w->entryFrame->txbDate));
    // After Now no eclipse is on display: the list offers any eclipse instead.
    f.w->cmdNow_Click();
    QCOMPARE(f.w->searchFrame->cboTarget->currentIndex(), int(tavr::session::kTargetAnyEclipse));
    QCOMPARE(f.w->CurrentState().targetIndex, tavr::session::kTargetAnyEclipse);
    f.w->searchFrame->cboTarget->setCurrentIndex(0);
    f.w->cmdNow_Click();
    QCOMPARE(f.w->searchFrame->cboTarget->currentIndex(), 0);
}

void SearchTests::aDateTypedInAnotherCalendarMakesItCurrent() {
    Fixture f;
    QSignalSpy applied(f.w.get(), &frmMain::resultApplied);
    f.Search(0, true, "4696-11-25 SAR 10:00");
    const auto result = applied.last().at(0).value<tavr::session::ActionResult>();
    QVERIFY2(QString::fromStdString(result.historyText).endsWith(" SAR"), result.historyText.c_str());
    QVERIFY(f.w->historyFrame->cboHistory->currentText().contains(" SAR "));
    QCOMPARE(f.w->CurrentState().currentCalendar, int16_t(2));
}

void SearchTests::eclipseCaptionMovesNothing() {
    Fixture f;
    QApplication::processEvents();
    const QSize size = f.w->size();
    const QList<QWidget*> watched = {
        f.w->datesFrame, f.w->timeFrame,          f.w->searchFrame->cmdSearch,
        f.w->cmdQuit,    f.w->moonFrame->picMoon, f.w->moonFrame->lblActualEclipseData};
    auto places = [&] {
        QList<QRect> out;
        for (QWidget* c : watched)
            out << QRect(c->mapTo(f.w.get(), QPoint(0, 0)), c->size());
        return out;
    };
    const QList<QRect> before = places();
    for (int target : {11, 0, 8}) { // three lines, none, six
        f.Search(target, true);
        QApplication::processEvents();
        QCOMPARE(f.w->size(), size);
        QCOMPARE(places(), before);
    }
    // The six lines of a total lunar eclipse are seen whole.
    const QLabel* caption = f.w->moonFrame->lblActualEclipseData;
    QCOMPARE(caption->text().count("\r\n"), 6);
    QVERIFY(caption->sizeHint().height() <= caption->height());
    QVERIFY(caption->sizeHint().width() <= caption->width());
}

QTEST_MAIN(SearchTests)
#include "search_qtests.moc"
