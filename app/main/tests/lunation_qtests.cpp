// The main window's lunation calendar controls, Help with F1 and the two web
// links, driven as a user drives them: the month calendar list, "Display
// lunation with" (the first day the same whether typed or stepped to), Close,
// the step limits' messages, the help window created once and restored, and
// the pages the links open with the failure message of the browser launch.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

#include "astro/Lunar.h"
#include "help/frmHelp.h"
#include "lunation/frmCalendar.h"
#include "main/frmMain.h"

#include "main/tests/TestDoubles.h"

using tavr::ui::FakeClock;
using tavr::ui::ScriptedMessageBoxes;
namespace lun = tavr::lunation;

namespace {

constexpr int32_t kJan2000NewMoonDay = 2451550; // 2000-01-06, new Moon at 18:14 UT

struct Fixture {
    ScriptedMessageBoxes boxes;
    FakeClock clock{QDateTime(QDate(2020, 6, 15), QTime(8, 0), Qt::UTC)};
    std::unique_ptr<frmMain> w;
    QStringList opened;
    int openResult = 33;

    Fixture() {
        w = std::make_unique<frmMain>(&boxes, &clock);
        w->lunationFrame->SetWebOpener([this](const QString& address) {
            opened << address;
            return openResult;
        });
        w->Load(true);
        QApplication::setActiveWindow(w.get());
    }
    void Convert(const QString& text) {
        w->entryFrame->txbDate->setText(text);
        w->entryFrame->cmdCompute->click();
    }
    void ChooseZone(int minutes) {
        w->timeFrame->cboTimeZone->setCurrentIndex(minutes / 30 + 24);
        w->cboTimeZone_Click();
    }
    void ChooseMonthCalendar(int index) {
        w->lunationFrame->cboMonthCalendar->setCurrentIndex(index);
        emit w->lunationFrame->cboMonthCalendar->activated(index);
    }
    lun::frmCalendar* Display() {
        w->lunationFrame->cmdDisplayCalendar->click();
        return w->lunationFrame->CalendarWindow();
    }
};

} // namespace

class LunationWiringTests : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { tavr::lunar::InitLunarConstants(); }

    void monthCalendarList() {
        Fixture f;
        QCOMPARE(f.w->lunationFrame->cboMonthCalendar->count(), 4);
        const QStringList texts = {"Sarvenes Calendar dates", "Vosko-Rindal Solilunar dates",
                                   "Tussary-Vosko Goddess dates", "Lunar Dovrenia Triday dates"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f.w->lunationFrame->cboMonthCalendar->itemText(i), texts[i]);
        QCOMPARE(f.w->lunationFrame->cboMonthCalendar->currentIndex(), 0);
        QCOMPARE(f.w->lunationFrame->cmdDisplayCalendar->text(), QStringLiteral("Display lunation with"));
        f.ChooseMonthCalendar(2);
        QCOMPARE(f.w->CurrentState().monthCalendarIndex, int16_t(2));
        QCOMPARE(QApplication::focusWidget(), f.w->lunationFrame->cmdDisplayCalendar);
        // The choice reaches an open lunation window, which takes it at its next activation.
        lun::frmCalendar* c = f.Display();
        QVERIFY(c);
        QCOMPARE(c->windowTitle(), texts[2]);
        f.ChooseMonthCalendar(3);
        c->DisplayLunation(f.w->CurrentLunationRequest());
        QCOMPARE(c->windowTitle(), texts[3]);
        QCOMPARE(c->grid().cellWidth, 129);
    }

    // The first day is the day of the new Moon in the main window's zone and
    // view, whether the lunation was displayed directly or stepped to.
    void firstDayBothPaths_data() {
        QTest::addColumn<int>("zone");
        QTest::addColumn<bool>("greenwich");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<int>("days");
        QTest::newRow("GMT") << 0 << false << kJan2000NewMoonDay << 30;
        QTest::newRow("+05:30") << 330 << false << kJan2000NewMoonDay << 30;
        QTest::newRow("+06:00") << 360 << false << kJan2000NewMoonDay + 1 << 29;
        QTest::newRow("+06:00 Greenwich") << 360 << true << kJan2000NewMoonDay << 30;
        QTest::newRow("+12:00") << 720 << false << kJan2000NewMoonDay + 1 << 30;
    }
    void firstDayBothPaths() {
        QFETCH(int, zone);
        QFETCH(bool, greenwich);
        QFETCH(int, firstDay);
        QFETCH(int, days);
        Fixture f;
        f.ChooseZone(zone);
        if (greenwich) f.w->timeFrame->optGreenwich->click();
        f.Convert("2000-01-20 CE");
        const int32_t lunation = tavr::lunar::LunationOf(f.w->CurrentState().dblCurrentAJDate);
        lun::frmCalendar* c = f.Display();
        QVERIFY(c && c->isVisible());
        QCOMPARE(c->lngLunationNumber(), lunation);
        QCOMPARE(c->lngJDN1stOfMonth(), firstDay);
        QCOMPARE(c->grid().days, days);
        c->cmdShowPreviousOrNext[1]->click();
        QCOMPARE(c->lngLunationNumber(), lunation + 1);
        QCOMPARE(c->lngJDN1stOfMonth(), firstDay + days);
        c->cmdShowPreviousOrNext[0]->click();
        QCOMPARE(c->lngLunationNumber(), lunation);
        QCOMPARE(c->lngJDN1stOfMonth(), firstDay);
        QCOMPARE(c->grid().days, days);
        QVERIFY(f.boxes.Asked().empty());
    }

    void displayMovesTheMainWindowAndCloseShowsIt() {
        Fixture f;
        f.w->move(300, 200);
        lun::frmCalendar* c = f.Display();
        QVERIFY(c);
        QCOMPARE(f.w->pos(), QPoint(0, 27)); // 400 twips
        QVERIFY(c->blnFormLoaded());
        QCOMPARE(c->missingPictures(), 0);
        // The notice stood at the main window's place plus its move frame's.
        QCOMPARE(c->loadingWindow()->pos(),
                 f.w->frameGeometry().topLeft() + f.w->moveFrame->fraMove->mapTo(f.w.get(), QPoint()));
        // The start-up moment is today (the fake clock): its cell is framed.
        QVERIFY(c->grid().todayCell >= 0);
        QCOMPARE(c->grid().cells[static_cast<std::size_t>(c->grid().todayCell)].dayNumber,
                 static_cast<int32_t>(QDate(2020, 6, 15).toJulianDay()));
        f.w->hide();
        c->cmdClose->click();
        QVERIFY(!c->isVisible());
        QVERIFY(f.w->isVisible());
        // The window is created once.
        QCOMPARE(f.Display(), c);
        QVERIFY(c->isVisible());
    }

    void stepLimitsShowTheirMessages() {
        Fixture f;
        f.Convert("-3200-01-01 CE 12:00");
        lun::frmCalendar* c = f.Display();
        QCOMPARE(c->lngLunationNumber(), lun::kFirstLunation);
        c->cmdShowPreviousOrNext[0]->click();
        QCOMPARE(c->lngLunationNumber(), lun::kFirstLunation);
        QCOMPARE(f.boxes.Asked().size(), std::size_t(1));
        QCOMPARE(f.boxes.Asked()[0].title, std::string("Show previous lunation"));
        QCOMPARE(f.boxes.Asked()[0].text,
                 std::string("This is the earliest lunation which can be displayed."));
        QCOMPARE(f.boxes.Asked()[0].icon, tavr::session::Icon::Information);
        f.Convert("6000-01-01 CE");
        c = f.Display();
        QCOMPARE(c->lngLunationNumber(), lun::kLastLunation);
        c->cmdShowPreviousOrNext[1]->click();
        QCOMPARE(c->lngLunationNumber(), lun::kLastLunation);
        QCOMPARE(f.boxes.Asked().size(), std::size_t(2));
        QCOMPARE(f.boxes.Asked()[1].title, std::string("Show next lunation"));
        QCOMPARE(f.boxes.Asked()[1].text, std::string("This is the latest lunation which can be displayed."));
    }

    void helpOpensOnceAndRestores() {
        Fixture f;
        QVERIFY(!f.w->lunationFrame->HelpWindow());
        f.w->lunationFrame->cmdHelp->click();
        tavr::help::frmHelp* h = f.w->lunationFrame->HelpWindow();
        QVERIFY(h && h->isVisible());
        QCOMPARE(h->windowTitle(), QStringLiteral("Help screen for Tavrine"));
        f.w->lunationFrame->cmdHelp->click();
        QCOMPARE(f.w->lunationFrame->HelpWindow(), h);
        QVERIFY(h->isVisible());
        h->showMinimized();
        f.w->lunationFrame->cmdHelp->click();
        QVERIFY(!h->isMinimized());
        QVERIFY(h->isVisible());
        // F1 released on the date entry, the day count and Help opens it.
        for (QWidget* target : std::initializer_list<QWidget*>{
                 f.w->entryFrame->txbDate, f.w->entryFrame->txbPlusMinus, f.w->lunationFrame->cmdHelp}) {
            h->hide();
            QTest::keyRelease(target, Qt::Key_F1);
            QVERIFY2(h->isVisible(), qPrintable(target->objectName()));
        }
        // Other keys on Help do nothing.
        h->hide();
        QTest::keyRelease(f.w->lunationFrame->cmdHelp, Qt::Key_F2);
        QVERIFY(!h->isVisible());
    }

    void linksOpenTheConfiguredPages() {
        Fixture f;
        QCOMPARE(f.w->lunationFrame->lblQuorvaneSystems->text(), QStringLiteral("Quorvane Systems"));
        QCOMPARE(f.w->lunationFrame->lblOnlineDocumentation->text(), QStringLiteral("Online documentation"));
        QTest::mouseClick(f.w->lunationFrame->lblQuorvaneSystems, Qt::LeftButton);
        QTest::mouseClick(f.w->lunationFrame->lblOnlineDocumentation, Qt::LeftButton);
        QCOMPARE(f.opened.size(), 2);
        QVERIFY2(f.opened[0].endsWith("/index.html"), qPrintable(f.opened[0]));
        QVERIFY2(f.opened[1].endsWith("/manual.html"), qPrintable(f.opened[1]));
        QVERIFY(!f.opened[0].startsWith("http:", Qt::CaseInsensitive));
        QVERIFY(f.boxes.Asked().empty());
        QCOMPARE(QApplication::focusWidget(), f.w->entryFrame->txbDate);

        // A launch failure is one warning through the window's message boxes.
        f.openResult = 31;
        QTest::mouseClick(f.w->lunationFrame->lblOnlineDocumentation, Qt::LeftButton);
        QCOMPARE(f.boxes.Asked().size(), std::size_t(1));
        const tavr::session::Message& m = f.boxes.Asked()[0];
        QCOMPARE(m.title, std::string("Cannot launch web browser"));
        QCOMPARE(m.text,
                 std::string("Error launching web browser, error code = 31.\n\nFile extension 'html' is not "
                             "associated with any application program."));
        QCOMPARE(m.icon, tavr::session::Icon::Warning);
        f.openResult = 5;
        QTest::mouseClick(f.w->lunationFrame->lblQuorvaneSystems, Qt::LeftButton);
        QCOMPARE(f.boxes.Asked().back().text, std::string("Error launching web browser, error code = 5."));
    }

    // TAVR_SCREENSHOT_DIR names a folder (run under a real display, e.g.
    // xvfb-run, with QT_SCALE_FACTOR=2 for 200 %): the main window, the
    // lunation window with each month calendar and the help window.
    void screenshots() {
        const QString dir = qEnvironmentVariable("TAVR_SCREENSHOT_DIR");
        if (dir.isEmpty()) QSKIP("TAVR_SCREENSHOT_DIR not set");
        Fixture f;
        f.Convert("2020-06-15 CE 08:00");
        QTest::qWait(200);
        QVERIFY(f.w->grab().save(dir + "/main-lunation-controls.png"));
        const char* const names[4] = {"SAR", "VR", "TVG", "LDT"};
        for (int i = 0; i < 4; ++i) {
            f.ChooseMonthCalendar(i);
            lun::frmCalendar* c = f.Display();
            QTest::qWait(200);
            QVERIFY(c->grab().save(dir + "/lunation-" + names[i] + ".png"));
        }
        f.w->lunationFrame->cmdHelp->click();
        QTest::qWait(200);
        QVERIFY(f.w->lunationFrame->HelpWindow()->grab().save(dir + "/help.png"));
    }
};

QTEST_MAIN(LunationWiringTests)
#include "lunation_qtests.moc"
