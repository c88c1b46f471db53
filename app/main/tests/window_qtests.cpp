// The main window driven as a user drives it: typing, Enter, clicks on rows,
// the zone list, the Greenwich/Local switch, Now with a clock set by hand.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimeZone>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>

#include "base/LibLoader.h"
#include "main/frmMain.h"

#include "main/tests/TestDoubles.h"

using tavr::ui::FakeClock;
using tavr::ui::MessageIcon;
using tavr::ui::ScriptedMessageBoxes;

namespace {

// Caption colours: the chosen item white, the others light grey.
const QColor kOn(255, 255, 255);
const QColor kOff(200, 200, 200);

// Indices of the calendars (order of the code table).
constexpr int CE = 0, JC = 1, SAR = 2, VR = 3, LDT = 4, TVG = 5, CJD = 6, AJD = 7, QLW = 8;
// Zone list: index = half hours + 24.
int ZoneIndex(int minutes) {
    return minutes / 30 + 24;
}

QDateTime Utc(int y, int m, int d, int h, int min, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC);
}
// AJD of a UTC clock reading.
double AjdOf(const QDateTime& utc) {
    const QTime t = utc.time();
    return static_cast<double>(utc.date().toJulianDay()) +
           (t.hour() * 3600 + t.minute() * 60 + t.second()) / 86400.0 - 0.5;
}

// Everything a refusal must leave alone.
struct Snapshot {
    double ajd;
    int calendar;
    QStringList texts;
    bool operator==(const Snapshot&) const = default;
};

struct Fixture {
    ScriptedMessageBoxes boxes;
    FakeClock clock{Utc(2020, 6, 15, 8, 0)};
    std::unique_ptr<frmMain> w;

    Fixture() {
        w = std::make_unique<frmMain>(&boxes, &clock);
        w->Load(true);
        QApplication::setActiveWindow(w.get());
    }

    void Type(const QString& text, const QString& days = QString()) {
        w->entryFrame->txbDate->clear();
        w->entryFrame->txbPlusMinus->clear();
        QTest::keyClicks(w->entryFrame->txbDate, text);
        if (!days.isEmpty()) QTest::keyClicks(w->entryFrame->txbPlusMinus, days);
    }
    void Enter() { QTest::keyClick(w->entryFrame->txbDate, Qt::Key_Return); }
    void Convert(const QString& text, const QString& days = QString()) {
        Type(text, days);
        w->entryFrame->cmdCompute->click();
    }
    QString Value(int row) { return w->datesFrame->Row(row)[1]->text(); }
    QString TimeLabel() { return w->timeFrame->lblTime[1]->text(); }
    void ChooseZone(int minutes) {
        w->timeFrame->cboTimeZone->setCurrentIndex(ZoneIndex(minutes));
        w->cboTimeZone_Click();
    }
    QColor CaptionColour(int row) {
        return w->datesFrame->Row(row)[0]->palette().color(QPalette::WindowText);
    }

    Snapshot Take() {
        Snapshot s{w->CurrentState().dblCurrentAJDate, w->CurrentState().currentCalendar, {}};
        for (int i = 0; i < 9; ++i)
            s.texts << w->datesFrame->Row(i)[1]->text() << w->datesFrame->Row(i)[1]->toolTip();
        for (auto* pair : {&w->timeFrame->lblTime, &w->timeFrame->lblDeltaT, &w->moonFrame->lblPhaseOfMoon,
                           &w->moonFrame->lblAgeOfMoon})
            s.texts << (*pair)[1]->text();
        return s;
    }
};

} // namespace

class WindowTests : public QObject {
    Q_OBJECT

  private slots:
    void startUpTakesThePresentMoment();
    void typeAndEnter_data();
    void typeAndEnter();
    void enterKeys();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void rangeLimits_data();
    void rangeLimits();
    void dayCountAddsDays();
    void copyToEntryAndTimeLabel();
    void captionClickOnlyChangesTheCalendar();
    void qlwRowAtHalfPastFive();
    void captionHighlighting_data();
    void captionHighlighting();
    void zoneChangeKeepsTheLocalTime_data();
    void zoneChangeKeepsTheLocalTime();
    void zoneChangeToTheSameZone();
    void greenwichLocalNeverChangesTheMoment_data();
    void greenwichLocalNeverChangesTheMoment();
    void nowModeFollowsTheClock();
    void nowModeTicksWaitWhileABoxIsOpen();
    void nowModeTimeLabelInGreenwichView();
    void optionButtonColours();
    void loaderErrorsAreShown();
    void screenshots();
};

void WindowTests::startUpTakesThePresentMoment() {
    Fixture f;
    frmMain& w = *f.w;
    QCOMPARE(w.windowTitle(), QString("TAVR 18.0"));
    // The rows by name, with their captions, in the order the window shows them.
    const char* const rows[][2] = {{"lblCommonEraDate_0", "Common Era:"},
                                   {"lblJulianCalendarDate_0", "Julian:"},
                                   {"lblSarvenesDate_0", "Sarvenes Calendar:"},
                                   {"lblVoskoRindalSLCDate_0", "Vosko-Rindal Solilunar:"},
                                   {"lblDTCLunarDate_0", "Lunar Dovrenia Triday:"},
                                   {"lblTVGDate_0", "Tussary-Vosko Goddess"},
                                   {"lblQuorvaneLWCDate_0", "Quorvane Lunar Week:"},
                                   {"lblChronologicalJulianDate_0", "Chronological Julian date:"},
                                   {"lblAstronomicalJulianDate_0", "Astronomical Julian date:"}};
    int previousY = -1;
    for (const auto& row : rows) {
        auto* caption = w.findChild<QLabel*>(row[0]);
        QVERIFY2(caption, row[0]);
        QCOMPARE(caption->text(), QString(row[1]));
        QVERIFY2(caption->y() > previousY, row[0]);
        previousY = caption->y();
    }
    QCOMPARE(w.timeFrame->cboTimeZone->count(), 49);
    QCOMPARE(w.timeFrame->cboTimeZone->currentText(), QString("GMT"));
    QCOMPARE(w.timeFrame->cboTimeZone->itemText(0), QString("GMT - 12:00"));
    QCOMPARE(w.timeFrame->cboTimeZone->itemText(25), QString("GMT + 00:30"));
    QVERIFY(w.timeFrame->optLocal->isChecked());
    QVERIFY(w.entryFrame->optPlus->isChecked());
    QCOMPARE(int(w.CurrentState().currentCalendar), CE);
    QCOMPARE(w.CurrentState().dblCurrentAJDate, AjdOf(f.clock.Now()));
    QVERIFY(!w.CurrentState().nowMode);
    QVERIFY(w.timeFrame->picCheck->isHidden());
    QVERIFY(!w.Clock->isActive());
    QCOMPARE(f.Value(CE), QString("2020-06-15 CE (Monday, June 15, 2020)"));
    QCOMPARE(f.TimeLabel(), QString("08:00 (local=GMT)"));
    for (int i = 0; i < 9; ++i)
        QVERIFY2(!f.Value(i).isEmpty(), qPrintable(QString("row %1").arg(i)));
    QVERIFY(!w.moonFrame->lblPhaseOfMoon[1]->text().isEmpty());
    QVERIFY(w.moonFrame->lblAgeOfMoon[1]->text().startsWith('['));
    QVERIFY(!w.timeFrame->lblDeltaT[1]->text().isEmpty());
    // The Moon picture, its surroundings in the window's navy.
    const QImage moon = w.moonFrame->picMoon->pixmap().toImage();
    QVERIFY(!moon.isNull());
    QCOMPARE(QColor(moon.pixel(0, 0)), QColor(0, 0, 128));
    QCOMPARE(f.CaptionColour(CE), kOn);
    for (int i = 1; i < 9; ++i)
        QCOMPARE(f.CaptionColour(i), kOff);
    QVERIFY(f.boxes.Asked().empty());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.entryFrame->txbDate));
    // Every value label but CJD and AJD explains its date in a tool tip.
    for (int i : {CE, JC, SAR, VR, LDT, TVG})
        QVERIFY(!w.datesFrame->Row(i)[1]->toolTip().isEmpty());
}

void WindowTests::typeAndEnter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entryAfter");
    QTest::addColumn<int>("calendar");
    QTest::addColumn<QString>("ceRow");
    QTest::addColumn<QString>("ajdRow");
    QTest::addColumn<QString>("timeLabel");
    // 2001-12-31 was a Monday.
    QTest::newRow("CE lower case code")
        << "2001-12-31 ce 14:28"
        << "2001-12-31 CE 14:28" << CE << "2001-12-31 CE (Monday, December 31, 2001)"
        << "2,452,275.1028 AJD"
        << "14:28 (local=GMT)";
    QTest::newRow("CE without time is noon")
        << "2001-12-31 CE"
        << "2001-12-31 CE 12:00" << CE << "2001-12-31 CE (Monday, December 31, 2001)"
        << "2,452,275.0000 AJD"
        << "12:00 (local=GMT)";
    QTest::newRow("no code takes the current calendar")
        << "2001-12-31"
        << "2001-12-31 CE 12:00" << CE << "2001-12-31 CE (Monday, December 31, 2001)"
        << "2,452,275.0000 AJD"
        << "12:00 (local=GMT)";
    QTest::newRow("one-digit hour") << "2001-12-31 CE 9:30"
                                    << "2001-12-31 CE 09:30" << CE
                                    << "2001-12-31 CE (Monday, December 31, 2001)"
                                    << "2,452,274.8958 AJD"
                                    << "09:30 (local=GMT)";
    QTest::newRow("JC") << "2001-12-18 jc 06:00"
                        << "2001-12-18 JC 06:00" << JC << "2001-12-31 CE (Monday, December 31, 2001)"
                        << "2,452,274.7500 AJD"
                        << "06:00 (local=GMT)";
    QTest::newRow("AJD with grouping")
        << "2,452,275.25 AJD"
        << "2,452,275.2500 AJD" << AJD << "2001-12-31 CE (Monday, December 31, 2001)"
        << "2,452,275.2500 AJD"
        << "18:00 (local=GMT)";
    QTest::newRow("CJD") << "2452275.75 cjd"
                         << "2,452,275.7500 CJD" << CJD << "2001-12-31 CE (Monday, December 31, 2001)"
                         << "2,452,275.2500 AJD"
                         << "18:00 (local=GMT)";
    QTest::newRow("minutes past 59 carry")
        << "2001-12-31 CE 10:75"
        << "2001-12-31 CE 11:15" << CE << "2001-12-31 CE (Monday, December 31, 2001)"
        << "2,452,274.9688 AJD"
        << "11:15 (local=GMT)";
}

void WindowTests::typeAndEnter() {
    QFETCH(QString, typed);
    QFETCH(QString, entryAfter);
    QFETCH(int, calendar);
    QFETCH(QString, ceRow);
    QFETCH(QString, ajdRow);
    QFETCH(QString, timeLabel);
    Fixture f;
    f.Type(typed);
    f.Enter();
    QVERIFY2(f.boxes.Asked().empty(), f.boxes.Asked().empty() ? "" : f.boxes.Asked()[0].text.c_str());
    QCOMPARE(f.w->entryFrame->txbDate->text(), entryAfter);
    QCOMPARE(int(f.w->CurrentState().currentCalendar), calendar);
    QCOMPARE(f.Value(CE), ceRow);
    QCOMPARE(f.Value(AJD), ajdRow);
    QCOMPARE(f.TimeLabel(), timeLabel);
    QCOMPARE(f.w->focusWidget(), static_cast<QWidget*>(f.w->entryFrame->txbDate));
    QCOMPARE(f.w->entryFrame->txbDate->cursorPosition(), int(entryAfter.size()));
}

void WindowTests::enterKeys() {
    Fixture f;
    frmMain& w = *f.w;
    const double start = w.CurrentState().dblCurrentAJDate;
    // Enter in the day-count box needs both boxes filled.
    QTest::keyClicks(w.entryFrame->txbPlusMinus, "2");
    QTest::keyClick(w.entryFrame->txbPlusMinus, Qt::Key_Return);
    QCOMPARE(w.CurrentState().dblCurrentAJDate, start);
    QVERIFY(f.boxes.Asked().empty());
    QTest::keyClicks(w.entryFrame->txbDate, "2001-12-31 CE 12:00");
    QTest::keyClick(w.entryFrame->txbPlusMinus, Qt::Key_Return);
    QCOMPARE(w.CurrentState().dblCurrentAJDate, 2452277.0);
    // Enter in an empty entry box does nothing, not even the "No date given." message.
    w.entryFrame->txbDate->clear();
    QTest::keyClick(w.entryFrame->txbDate, Qt::Key_Return);
    QVERIFY(f.boxes.Asked().empty());
    // F1 asks for help.
    QSignalSpy help(&w, &frmMain::helpRequested);
    QTest::keyClick(w.entryFrame->txbDate, Qt::Key_F1);
    QTest::keyClick(w.entryFrame->txbPlusMinus, Qt::Key_F1);
    QCOMPARE(help.count(), 2);
    // Leaving the entry box trims it.
    w.entryFrame->txbDate->setText("  2001-12-31 CE  ");
    w.entryFrame->txbDate->setFocus();
    w.entryFrame->txbPlusMinus->setFocus();
    QCOMPARE(w.entryFrame->txbDate->text(), QString("2001-12-31 CE"));
    // Clear empties both boxes.
    w.entryFrame->txbPlusMinus->setText("5");
    w.entryFrame->cmdClearDate->click();
    QVERIFY(w.entryFrame->txbDate->text().isEmpty());
    QVERIFY(w.entryFrame->txbPlusMinus->text().isEmpty());
}

void WindowTests::refusalsChangeNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("entryAfter");
    QTest::addColumn<bool>("focusToEntry");
    const QString entry = "Invalid date/time entry";
    QTest::newRow("19 empty") << "   "
                              << "" << entry << "No date given."
                              << "" << true;
    QTest::newRow("14 day count") << "2001-12-31 CE"
                                  << "1-2" << entry << "Value for addition or subtraction is invalid."
                                  << "2001-12-31 CE" << true;
    QTest::newRow("1 code first") << "ce 2001-12-31"
                                  << "" << entry << "Invalid date entry."
                                  << "CE 2001-12-31" << true;
    QTest::newRow("2 space without code")
        << "2001-12-31 14:28"
        << "" << entry << "Calendar must be specified (one of CE, JC, SAR, VR, LDT, QLW, CJD and AJD)."
        << "2001-12-31 14:28" << true;
    QTest::newRow("3 time after CJD") << "2452275 CJD 10:00"
                                      << "" << entry << "Time specification not permitted with CJD or AJD."
                                      << "2452275 CJD 10:00" << true;
    QTest::newRow("4 24:00") << "2001-12-31 ce 24:00"
                             << "" << entry << "Invalid time specification.  Times must be, e.g., 23:50."
                             << "2001-12-31 CE 24:00" << true;
    QTest::newRow("5 slashes") << "2001/12/31 CE"
                               << "" << entry << "Date separator must be a dash, '-'."
                               << "2001/12/31 CE" << true;
    QTest::newRow("6 CE") << "2001-13-31 CE"
                          << "" << entry
                          << "Invalid CE date.  CE dates must be in ISO 8601 format: year-month-day"
                          << "2001-13-31 CE" << true;
    QTest::newRow("12 two minus")
        << "-1-2 AJD"
        << "" << entry << "Invalid CJD or AJD date.  These must be, e.g., 999999.99 CJD or 2,111,111 AJD."
        << "-1-2 AJD" << true;
    QTest::newRow("range") << "7000-01-01 CE"
                           << ""
                           << "Date out of range"
                           << "Resulting date is later than 6000-01-01 CE."
                           << "7000-01-01 CE" << false;
    QTest::newRow("range by day count") << "-3200-01-01 CE"
                                        << "1000"
                                        << "Date out of range"
                                        << "Resultng date is earlier than -3200-01-01 CE."
                                        << "-3200-01-01 CE" << false;
}

void WindowTests::refusalsChangeNothing() {
    QFETCH(QString, typed);
    QFETCH(QString, days);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, entryAfter);
    QFETCH(bool, focusToEntry);
    Fixture f;
    frmMain& w = *f.w;
    if (QTest::currentDataTag() == QByteArray("range by day count")) w.optMinus_Click();
    const Snapshot before = f.Take();
    f.Type(typed, days);
    w.cmdQuit->setFocus();
    w.entryFrame->cmdCompute->click();
    QCOMPARE(int(f.boxes.Asked().size()), 1);
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), title);
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), text);
    QCOMPARE(int(f.boxes.Asked()[0].icon), int(MessageIcon::Warning));
    QVERIFY(f.Take() == before);
    QCOMPARE(w.entryFrame->txbDate->text(), entryAfter);
    QCOMPARE(w.focusWidget(),
             focusToEntry ? static_cast<QWidget*>(w.entryFrame->txbDate) : static_cast<QWidget*>(w.cmdQuit));
}

void WindowTests::rangeLimits_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("accepted"); // the moment, or NaN for a refusal
    QTest::addColumn<QString>("message");
    const double nan = std::nan("");
    const QString earlier = "Resultng date is earlier than -3200-01-01 CE.";
    const QString later = "Resulting date is later than 6000-01-01 CE.";
    auto g17 = [](double v) { return QString::number(v, 'g', 17) + " AJD"; };
    QTest::newRow("earliest") << "552283 AJD" << 552283.0 << "";
    // An AJD or CJD within the rounding of the rows' four decimals is the end itself.
    QTest::newRow("one step below") << g17(std::nextafter(552283.0, 0.0)) << 552283.0 << "";
    QTest::newRow("a last decimal below") << "552,282.9999 AJD" << nan << earlier;
    QTest::newRow("latest") << "3912515 AJD" << 3912515.0 << "";
    QTest::newRow("one step above") << g17(std::nextafter(3912515.0, 4e6)) << 3912515.0 << "";
    QTest::newRow("a last decimal above") << "3,912,515.0001 AJD" << nan << later;
    // The earliest moment is noon UT of -3201-12-31 CE.
    QTest::newRow("earliest as CE") << "-3201-12-31 CE 12:00" << 552283.0 << "";
    QTest::newRow("a minute before as CE") << "-3201-12-31 CE 11:59" << nan << earlier;
    QTest::newRow("latest as CE") << "6000-01-01 CE 12:00" << 3912515.0 << "";
    QTest::newRow("a minute after as CE") << "6000-01-01 CE 12:01" << nan << later;
}

void WindowTests::rangeLimits() {
    QFETCH(QString, typed);
    QFETCH(double, accepted);
    QFETCH(QString, message);
    Fixture f;
    const Snapshot before = f.Take();
    f.Convert(typed);
    if (std::isnan(accepted)) {
        QCOMPARE(int(f.boxes.Asked().size()), 1);
        QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("Date out of range"));
        QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), message);
        QVERIFY(f.Take() == before);
    } else {
        QVERIFY2(f.boxes.Asked().empty(), f.boxes.Asked().empty() ? "" : f.boxes.Asked()[0].text.c_str());
        QCOMPARE(f.w->CurrentState().dblCurrentAJDate, accepted);
        for (int i = 0; i < 9; ++i)
            QVERIFY2(!f.Value(i).isEmpty(), qPrintable(QString("row %1").arg(i)));
    }
}

void WindowTests::dayCountAddsDays() {
    Fixture f;
    frmMain& w = *f.w;
    f.Convert("2001-12-31 CE 12:00", "+1,000");
    QCOMPARE(w.CurrentState().dblCurrentAJDate, 2452275.0 + 1000);
    QCOMPARE(f.Value(CE), QString("2004-09-26 CE (Sunday, September 26, 2004)"));
    w.optMinus_Click();
    f.Convert("2001-12-31 CE 12:00", "-5"); // minus minus five: five days later
    QCOMPARE(w.CurrentState().dblCurrentAJDate, 2452280.0);
    // A day count of 0 converts even when the moment is already current.
    f.Convert(w.entryFrame->txbDate->text(), "0");
    QVERIFY(f.boxes.Asked().empty());
    // The same moment without a day count: nothing to do.
    const Snapshot before = f.Take();
    f.Convert(w.entryFrame->txbDate->text());
    QCOMPARE(int(f.boxes.Asked().size()), 1);
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("Compute date"));
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), QString("Nothing to do!"));
    QVERIFY(f.Take() == before);
}

void WindowTests::copyToEntryAndTimeLabel() {
    Fixture f;
    frmMain& w = *f.w;
    f.Convert("2001-12-31 CE 14:28");
    QCOMPARE(w.entryFrame->txbDate->text(), QString("2001-12-31 CE 14:28"));
    w.entryFrame->txbDate->clear();
    QTest::mouseClick(w.datesFrame->lblCommonEraDate[1], Qt::LeftButton);
    QCOMPARE(w.entryFrame->txbDate->text(), QString("2001-12-31 CE 14:28"));
    // The time label replaces the time rather than adding a second one.
    QTest::mouseClick(w.timeFrame->lblTime[1], Qt::LeftButton);
    QCOMPARE(w.entryFrame->txbDate->text(), QString("2001-12-31 CE 14:28"));
    w.entryFrame->txbDate->setText("2001-12-31 CE");
    QTest::mouseClick(w.timeFrame->lblTime[0], Qt::LeftButton);
    QCOMPARE(w.entryFrame->txbDate->text(), QString("2001-12-31 CE 14:28"));
    // Copying the current date is the click on the current row's value label.
    w.entryFrame->txbDate->clear();
    w.CopyCurrentDateToEntry();
    QCOMPARE(w.entryFrame->txbDate->text(), QString("2001-12-31 CE 14:28"));
    QCOMPARE(f.CaptionColour(CE), kOn);
    // Fewer than 3 characters: no time appended.
    w.entryFrame->txbDate->setText("20");
    QTest::mouseClick(w.timeFrame->lblTime[1], Qt::LeftButton);
    QCOMPARE(w.entryFrame->txbDate->text(), QString("20"));

    // The JC value label: its date and the time; JC becomes current.
    QTest::mouseClick(w.datesFrame->lblJulianCalendarDate[1], Qt::LeftButton);
    QCOMPARE(w.entryFrame->txbDate->text(), QString("2001-12-18 JC 14:28"));
    QCOMPARE(int(w.CurrentState().currentCalendar), JC);
    QCOMPARE(f.CaptionColour(JC), kOn);
    QCOMPARE(f.CaptionColour(CE), kOff);

    // The CJD value label: the grouped number with its code, accepted back.
    QTest::mouseClick(w.datesFrame->lblChronologicalJulianDate[1], Qt::LeftButton);
    QCOMPARE(w.entryFrame->txbDate->text(), f.Value(CJD));
    QCOMPARE(int(w.CurrentState().currentCalendar), CJD);
    f.Enter();
    QVERIFY2(f.boxes.Asked().empty(), f.boxes.Asked().empty() ? "" : f.boxes.Asked()[0].text.c_str());
    QCOMPARE(f.Value(CE), QString("2001-12-31 CE (Monday, December 31, 2001)"));
    QCOMPARE(f.TimeLabel(), QString("14:28 (local=GMT)"));

    // Every row with a long form copies back into an entry that converts to the same day.
    for (int row : {CE, JC, SAR, VR, LDT, TVG, QLW}) {
        f.Convert("2001-12-31 CE 14:28");
        f.boxes.Clear();
        QTest::mouseClick(w.datesFrame->Row(row)[1], Qt::LeftButton);
        const QString copied = w.entryFrame->txbDate->text();
        // The QLW clock runs 6 hours behind the civil clock.
        QVERIFY2(copied.endsWith(row == QLW ? " 08:28" : " 14:28"), qPrintable(copied));
        f.Convert(copied, "1"); // a day later, so that it is not "Nothing to do!"
        QVERIFY2(f.boxes.Asked().empty(), qPrintable(copied));
        QCOMPARE(f.Value(CE), QString("2002-01-01 CE (Tuesday, January 1, 2002)"));
        QCOMPARE(int(w.CurrentState().currentCalendar), row);
    }
}

void WindowTests::captionClickOnlyChangesTheCalendar() {
    Fixture f;
    frmMain& w = *f.w;
    w.entryFrame->txbDate->setText("something typed");
    const Snapshot before = f.Take();
    QTest::mouseClick(w.datesFrame->lblSarvenesDate[0], Qt::LeftButton);
    QCOMPARE(w.entryFrame->txbDate->text(), QString("something typed"));
    QCOMPARE(int(w.CurrentState().currentCalendar), SAR);
    QCOMPARE(f.CaptionColour(SAR), kOn);
    QCOMPARE(w.CurrentState().dblCurrentAJDate, before.ajd);
    QVERIFY(f.boxes.Asked().empty());
}

void WindowTests::qlwRowAtHalfPastFive() {
    Fixture f;
    frmMain& w = *f.w;
    f.Convert("2001-12-31 CE 05:30");
    QTest::mouseClick(w.datesFrame->lblQuorvaneLWCDate[0], Qt::LeftButton);
    QCOMPARE(f.TimeLabel(), QString("23:30 (local QLW)"));
    // The QLW day still belongs to the previous civil day: copy-to-entry
    // writes the QLW date with the QLW clock time, which converts back.
    QTest::mouseClick(w.datesFrame->lblQuorvaneLWCDate[1], Qt::LeftButton);
    QVERIFY2(w.entryFrame->txbDate->text().endsWith("QLW 23:30"), qPrintable(w.entryFrame->txbDate->text()));
    const double moment = w.CurrentState().dblCurrentAJDate;
    f.Convert(w.entryFrame->txbDate->text());
    QCOMPARE(int(f.boxes.Asked().size()), 1);
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].text), QString("Nothing to do!"));
    QCOMPARE(w.CurrentState().dblCurrentAJDate, moment);
}

void WindowTests::captionHighlighting_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("calendar");
    QTest::newRow("CE") << "2001-12-31 CE" << CE;
    QTest::newRow("JC") << "2001-12-18 JC" << JC;
    QTest::newRow("CJD") << "2452275.5 CJD" << CJD;
    QTest::newRow("AJD") << "2452275 AJD" << AJD;
}

void WindowTests::captionHighlighting() {
    QFETCH(QString, typed);
    QFETCH(int, calendar);
    Fixture f;
    f.Convert(typed);
    QVERIFY(f.boxes.Asked().empty());
    QCOMPARE(int(f.w->CurrentState().currentCalendar), calendar);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(f.CaptionColour(i), i == calendar ? kOn : kOff);
    // A refused entry in another calendar does not move the highlight.
    f.Convert("2001-13-45 CE");
    for (int i = 0; i < 9; ++i)
        QCOMPARE(f.CaptionColour(i), i == calendar ? kOn : kOff);
}

void WindowTests::zoneChangeKeepsTheLocalTime_data() {
    QTest::addColumn<int>("fromMinutes");
    QTest::addColumn<int>("toMinutes");
    QTest::addColumn<bool>("greenwich");
    QTest::newRow("GMT+1 to GMT+3") << 60 << 180 << false;
    QTest::newRow("GMT+1 to GMT+2") << 60 << 120 << false;
    QTest::newRow("GMT to GMT-03:30") << 0 << -210 << false;
    QTest::newRow("GMT-12 to GMT+12") << -720 << 720 << false;
    QTest::newRow("GMT+12 to GMT-12") << 720 << -720 << false;
    QTest::newRow("Greenwich view, GMT to GMT+05:30") << 0 << 330 << true;
}

void WindowTests::zoneChangeKeepsTheLocalTime() {
    QFETCH(int, fromMinutes);
    QFETCH(int, toMinutes);
    QFETCH(bool, greenwich);
    Fixture f;
    frmMain& w = *f.w;
    f.ChooseZone(fromMinutes);
    QCOMPARE(int(w.CurrentState().zoneOffset), fromMinutes);
    if (greenwich) w.optGreenwich_Click();
    f.Convert("2001-12-31 CE 12:00");
    const double before = w.CurrentState().dblCurrentAJDate;
    const QString ce = f.Value(CE);
    const QString time = f.TimeLabel();
    f.ChooseZone(toMinutes);
    QCOMPARE(int(w.CurrentState().zoneOffset), toMinutes);
    QCOMPARE(w.timeFrame->cboTimeZone->currentIndex(), ZoneIndex(toMinutes));
    QVERIFY(qAbs(w.CurrentState().dblCurrentAJDate - (before + (fromMinutes - toMinutes) / 1440.0)) < 1e-9);
    QCOMPARE(f.Value(CE), ce);
    if (greenwich) {
        // The moment moves in the Greenwich view too, so the Greenwich time shown follows it.
        QCOMPARE(time, QString("12:00 (GMT=local)"));
        QCOMPARE(f.TimeLabel(), QString("06:30 (GMT)"));
    } else {
        QCOMPARE(time.left(5), QString("12:00"));
        QCOMPARE(f.TimeLabel().left(5), QString("12:00"));
    }
    QVERIFY(f.boxes.Asked().empty());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.entryFrame->txbDate));
}

void WindowTests::zoneChangeToTheSameZone() {
    Fixture f;
    frmMain& w = *f.w;
    f.Convert("2001-12-31 CE 12:00");
    const Snapshot before = f.Take();
    f.ChooseZone(0);
    QVERIFY(f.Take() == before);
    // While the window is hidden (start-up) a zone change does nothing.
    w.hide();
    w.timeFrame->cboTimeZone->setCurrentIndex(ZoneIndex(60));
    w.cboTimeZone_Click();
    QCOMPARE(w.CurrentState().dblCurrentAJDate, before.ajd);
    QCOMPARE(int(w.CurrentState().zoneOffset), 0);
}

void WindowTests::greenwichLocalNeverChangesTheMoment_data() {
    QTest::addColumn<int>("zoneMinutes");
    QTest::addColumn<QString>("greenwichTime");
    QTest::addColumn<QString>("localTime");
    QTest::newRow("GMT") << 0 << "12:00 (GMT=local)"
                         << "12:00 (local=GMT)";
    QTest::newRow("GMT+05:30") << 330 << "06:30 (GMT)"
                               << "12:00 (local)";
    QTest::newRow("GMT-12") << -720 << "00:00 (GMT)"
                            << "12:00 (local)";
}

void WindowTests::greenwichLocalNeverChangesTheMoment() {
    QFETCH(int, zoneMinutes);
    QFETCH(QString, greenwichTime);
    QFETCH(QString, localTime);
    Fixture f;
    frmMain& w = *f.w;
    f.ChooseZone(zoneMinutes);
    f.Convert("2001-12-31 CE 12:00");
    const double ajd = w.CurrentState().dblCurrentAJDate;
    const QString ajdRow = f.Value(AJD);
    QCOMPARE(f.TimeLabel(), localTime);
    QTest::mouseClick(w.timeFrame->optGreenwich, Qt::LeftButton);
    QVERIFY(w.timeFrame->optGreenwich->isChecked());
    QCOMPARE(w.CurrentState().dblCurrentAJDate, ajd);
    QCOMPARE(f.Value(AJD), ajdRow);
    QCOMPARE(f.TimeLabel(), greenwichTime);
    QTest::mouseClick(w.timeFrame->optLocal, Qt::LeftButton);
    QCOMPARE(w.CurrentState().dblCurrentAJDate, ajd);
    QCOMPARE(f.Value(AJD), ajdRow);
    QCOMPARE(f.TimeLabel(), localTime);
    QVERIFY(f.boxes.Asked().empty());
}

void WindowTests::nowModeFollowsTheClock() {
    Fixture f;
    frmMain& w = *f.w;
    w.entryFrame->txbDate->setText("2001-12-31 CE");
    w.entryFrame->txbPlusMinus->setText("3");
    f.clock.Set(Utc(2021, 3, 4, 22, 10, 30));
    QTest::mouseClick(w.timeFrame->cmdNow, Qt::LeftButton);
    QVERIFY(w.CurrentState().nowMode);
    QVERIFY(w.timeFrame->picCheck->isVisible());
    QVERIFY(w.Clock->isActive());
    QCOMPARE(w.Clock->interval(), 5000);
    QVERIFY(w.entryFrame->txbDate->text().isEmpty());
    QVERIFY(w.entryFrame->txbPlusMinus->text().isEmpty());
    QCOMPARE(w.CurrentState().dblCurrentAJDate, AjdOf(f.clock.Now()));
    QCOMPARE(f.TimeLabel(), QString("22:10 (local=GMT)"));

    // A tick follows the clock, across midnight.
    f.clock.Set(Utc(2021, 3, 5, 0, 0, 5));
    w.Clock_Timer();
    QCOMPARE(w.CurrentState().dblCurrentAJDate, AjdOf(f.clock.Now()));
    QCOMPARE(f.Value(CE), QString("2021-03-05 CE (Friday, March 5, 2021)"));
    QCOMPARE(f.TimeLabel(), QString("00:00 (local=GMT)"));
    QVERIFY(f.boxes.Asked().empty());

    // A convert ends Now mode; later ticks leave the moment alone.
    f.Convert("2001-12-31 CE");
    QVERIFY(!w.CurrentState().nowMode);
    QVERIFY(w.timeFrame->picCheck->isHidden());
    f.clock.Advance(3600);
    w.Clock_Timer();
    QCOMPARE(w.CurrentState().dblCurrentAJDate, 2452275.0);
}

// Answers every box after letting the window's clock tick inside it, as the
// event loop of a real modal box would.
class TickingBoxes : public tavr::ui::MessageBoxes {
  public:
    frmMain* window = nullptr;
    int shown = 0;
    tavr::ui::MessageAnswer Show(const tavr::ui::MessageRequest&) override {
        ++shown;
        if (window) window->Clock_Timer();
        return tavr::ui::MessageAnswer::Ok;
    }
};

void WindowTests::nowModeTicksWaitWhileABoxIsOpen() {
    TickingBoxes boxes;
    FakeClock clock{Utc(2020, 6, 15, 8, 0)};
    frmMain w(&boxes, &clock);
    w.Load(true);
    boxes.window = &w;
    w.cmdNow_Click();
    QVERIFY(w.CurrentState().nowMode);
    const double atNow = w.CurrentState().dblCurrentAJDate;
    clock.Advance(60);
    // A refused entry shows one box; the tick inside it neither moves the
    // moment nor opens another box.
    w.entryFrame->txbDate->setText("CE 2001-12-31");
    w.cmdCompute_Click();
    QCOMPARE(boxes.shown, 1);
    QCOMPARE(w.CurrentState().dblCurrentAJDate, atNow);
    QVERIFY(w.CurrentState().nowMode);
    // Once it is answered the clock is followed again.
    w.Clock_Timer();
    QCOMPARE(w.CurrentState().dblCurrentAJDate, AjdOf(clock.Now()));
}

void WindowTests::nowModeTimeLabelInGreenwichView() {
    Fixture f;
    frmMain& w = *f.w;
    f.ChooseZone(-300);
    w.optGreenwich_Click();
    // The system clock reads 22:30 local time (its own zone, not the list's).
    f.clock.Set(QDateTime(QDate(2021, 3, 4), QTime(22, 30), Qt::OffsetFromUTC, -5 * 3600));
    w.cmdNow_Click();
    QCOMPARE(f.TimeLabel(), QString("03:30 (GMT)"));
    QCOMPARE(w.CurrentState().dblCurrentAJDate, AjdOf(Utc(2021, 3, 5, 3, 30)));
    // QLW current: the clock hour goes back 6 hours.
    w.Row_Click(QLW, 0);
    QCOMPARE(f.TimeLabel(), QString("21:30 (Greenwich QLW)"));
}

void WindowTests::optionButtonColours() {
    Fixture f;
    frmMain& w = *f.w;
    auto colour = [](QWidget* b) { return b->palette().color(QPalette::WindowText); };
    QCOMPARE(colour(w.entryFrame->optPlus), kOn);
    QCOMPARE(colour(w.entryFrame->optMinus), kOff);
    QCOMPARE(colour(w.timeFrame->optLocal), kOn);
    QCOMPARE(colour(w.timeFrame->optGreenwich), kOff);
    QTest::mouseClick(w.entryFrame->optMinus, Qt::LeftButton);
    QVERIFY(w.entryFrame->optMinus->isChecked());
    QCOMPARE(colour(w.entryFrame->optMinus), kOn);
    QCOMPARE(colour(w.entryFrame->optPlus), kOff);
    QTest::mouseClick(w.timeFrame->optGreenwich, Qt::LeftButton);
    QCOMPARE(colour(w.timeFrame->optGreenwich), kOn);
    QCOMPARE(colour(w.timeFrame->optLocal), kOff);
}

void WindowTests::loaderErrorsAreShown() {
    Fixture f;
    tavr::BindExport("tavr_no_such_library", "no_such_function", 0);
    QCoreApplication::processEvents();
    QCOMPARE(int(f.boxes.Asked().size()), 1);
    QCOMPARE(QString::fromStdString(f.boxes.Asked()[0].title), QString("Error"));
    QVERIFY(QString::fromStdString(f.boxes.Asked()[0].text).contains("tavr_no_such_library"));
}

// Pictures of the window for a person to look at: only when
// TAVR_SCREENSHOT_DIR names a folder (run under a real display to see the
// window as the platform draws it).
void WindowTests::screenshots() {
    const QString dir = qEnvironmentVariable("TAVR_SCREENSHOT_DIR");
    if (dir.isEmpty()) QSKIP("TAVR_SCREENSHOT_DIR not set");
    Fixture f;
    frmMain& w = *f.w;
    auto save = [&](const QString& name) {
        QCoreApplication::processEvents();
        QVERIFY(w.grab().save(dir + "/" + name + ".png"));
    };
    f.ChooseZone(60);
    const struct {
        const char* entry;
        const char* name;
    } moments[] = {{"2000-01-06 CE 20:00", "new"},           {"2000-01-10 CE 12:00", "waxing-crescent"},
                   {"2000-01-14 CE 13:34", "first-quarter"}, {"2000-01-18 CE 12:00", "waxing-gibbous"},
                   {"2000-01-21 CE 05:40", "full"},          {"2000-01-24 CE 12:00", "waning-gibbous"},
                   {"2000-01-28 CE 08:57", "last-quarter"},  {"2000-02-01 CE 12:00", "waning-crescent"},
                   {"1500-03-01 JC 18:00", "approximate"}};
    for (const auto& m : moments) {
        f.Convert(m.entry);
        save(m.name);
    }
    w.optGreenwich_Click();
    w.cmdNow_Click();
    save("now-greenwich");
}

QTEST_MAIN(WindowTests)
#include "window_qtests.moc"
