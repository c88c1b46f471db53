// The window's finish, offscreen: every control described and reached in
// reading order, the focus ring, the compact zone list, one look for every
// window and message box, the Moon picture at twice the pixel ratio, and the
// window's sizes.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>

#include "help/frmHelp.h"
#include "log/frmLog.h"
#include "log/frmLogPreferences.h"
#include "lunation/frmCalendar.h"
#include "main/Colours.h"
#include "main/MoonPixmap.h"
#include "main/Scheme.h"
#include "main/frmMain.h"
#include "session/TimeZone.h"

#include "main/tests/TestDoubles.h"

using tavr::ui::FakeClock;
using tavr::ui::ScriptedMessageBoxes;

namespace {

struct Fixture {
    ScriptedMessageBoxes boxes;
    FakeClock clock{QDateTime(QDate(2020, 6, 15), QTime(8, 0), Qt::UTC)};
    std::unique_ptr<frmMain> w;

    Fixture() {
        w = std::make_unique<frmMain>(&boxes, &clock);
        w->Load(true);
        QApplication::setActiveWindow(w.get());
    }
};

// The controls Tab reaches in `window` (not those of a combo box's list or
// of another window).
QList<QWidget*> TabStops(QWidget* window) {
    QList<QWidget*> stops;
    for (QWidget* c : window->findChildren<QWidget*>())
        if (c->window() == window && (c->focusPolicy() & Qt::TabFocus) && !c->focusProxy()) stops << c;
    return stops;
}

double Luminance(const QColor& c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return static_cast<int>(std::sqrt(dr * dr + dg * dg + db * db));
}

int CountColour(const QImage& img, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == colour.rgb();
    return n;
}

// With TAVR_SCREENSHOT_DIR set, the window is saved there as NAME.png.
void SaveShot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("TAVR_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QString PictureFolder() {
    return qEnvironmentVariable("TAVR_LIBDIR");
}

tavr::moon::MoonReport Report(tavr::moon::PictureCase picture, double illuminated) {
    tavr::moon::MoonReport r;
    r.picture = picture;
    r.illuminated = illuminated;
    r.waxing = true;
    r.r2 = (1 - 2 * illuminated) * (1 - 2 * illuminated);
    return r;
}

} // namespace

class FinishTest : public QObject {
    Q_OBJECT
  private slots:
    void EveryControlIsDescribed() {
        Fixture f;
        tavr::help::frmHelp help(QStringLiteral("/opt/tavr/bin"));
        tavr::lunation::frmCalendar calendar(PictureFolder(), {});
        auto* credits = help.findChild<tavr::help::frmCredits*>();
        QVERIFY(credits);
        const std::pair<const char*, QWidget*> windows[] = {
            {"main", f.w.get()},
            {"log", f.w->LogWindow()},
            {"log preferences", f.w->LogPreferencesWindow()},
            {"lunation", &calendar},
            {"help", &help},
            {"credits", credits},
        };
        for (const auto& [name, window] : windows) {
            const QList<QWidget*> stops = TabStops(window);
            QVERIFY2(!stops.isEmpty(), name);
            for (QWidget* c : stops) {
                const QString where = QStringLiteral("%1: %2").arg(name, c->objectName());
                QVERIFY2(!c->toolTip().isEmpty(), qPrintable(where + " has no tool tip"));
                QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(where + " has no accessible name"));
            }
        }
        // A display row is read as its caption with its value.
        f.w->entryFrame->txbDate->setText("2020-06-15 CE 08:00");
        f.w->cmdCompute_Click();
        for (int i = 0; i < 9; ++i) {
            const tavr::ui::LabelPair& row = f.w->datesFrame->Row(i);
            QString caption = row[0]->text().trimmed();
            caption.chop(caption.endsWith(':') ? 1 : 0);
            QCOMPARE(row[1]->accessibleName(), caption);
            QVERIFY(!row[1]->text().isEmpty());
            QCOMPARE(row[1]->accessibleDescription(), row[1]->text());
        }
        QCOMPARE(f.w->timeFrame->lblTime[1]->accessibleDescription(), f.w->timeFrame->lblTime[1]->text());
        QCOMPARE(f.w->moonFrame->lblAgeOfMoon[1]->accessibleDescription(),
                 f.w->moonFrame->lblAgeOfMoon[1]->text());
    }

    void TabFollowsTheReadingOrder() {
        Fixture f;
        const QStringList expected = {"txbDate",
                                      "cmdCompute",
                                      "cmdClearDate",
                                      "txbPlusMinus",
                                      "optPlus",
                                      "optMinus",
                                      "cmdReset",
                                      "cboTimeZone",
                                      "optGreenwich",
                                      "optLocal",
                                      "cmdNow",
                                      "cboHistory",
                                      "chkLog",
                                      "cmdLogThisResult",
                                      "cmdViewLog",
                                      "cmdLogPreferences",
                                      "cmdMove",
                                      "cboMoveStep",
                                      "optMoveDirection_0",
                                      "optMoveDirection_1",
                                      "chkRepeatedly",
                                      "cmdStop",
                                      "cmdPauseResume",
                                      "cboRefreshPeriod",
                                      "cmdSearch",
                                      "optNext",
                                      "optPrevious",
                                      "cboTarget",
                                      "cmdDisplayCalendar",
                                      "cboMonthCalendar",
                                      "lblQuorvaneSystems",
                                      "lblOnlineDocumentation",
                                      "cmdHelp",
                                      "cmdSaveState",
                                      "cmdQuit"};
        const QList<QWidget*> stops = TabStops(f.w.get());
        QCOMPARE(stops.size(), expected.size());
        QList<QWidget*> chain;
        QWidget* c = f.w->entryFrame->txbDate;
        for (int guard = 0; guard < 1000 && chain.size() < stops.size(); ++guard, c = c->nextInFocusChain())
            if (stops.contains(c) && !chain.contains(c)) chain << c;
        QStringList names;
        for (QWidget* s : chain)
            names << s->objectName();
        QCOMPARE(names, expected);
        // And the chain reads the window as it is laid out: each visible
        // control is on a later line, or on the same line further right.
        QWidget* previous = nullptr;
        for (QWidget* s : chain) {
            if (!s->isVisible()) continue;
            if (previous) {
                const QRect a(previous->mapTo(f.w.get(), QPoint()), previous->size());
                const QRect b(s->mapTo(f.w.get(), QPoint()), s->size());
                const bool sameLine = b.top() < a.bottom() && a.top() < b.bottom();
                QVERIFY2(sameLine ? b.left() > a.left() : b.top() >= a.center().y(),
                         qPrintable(previous->objectName() + " before " + s->objectName()));
            }
            previous = s;
        }
    }

    // Each frame holds its controls (disabling a frame disables them, as a
    // repeated move does), the frames lie top to bottom in reading order, and
    // every group frame is drawn with the scheme's rounded line.
    void FramesHoldTheirControlsAndShowTheirLine() {
        Fixture f;
        frmMain& w = *f.w;
        const struct {
            QWidget* frame;
            QStringList controls;
        } frames[] = {
            {w.entryFrame,
             {"txbDate", "cmdCompute", "cmdClearDate", "txbPlusMinus", "optPlus", "optMinus", "cmdReset"}},
            {w.datesFrame, {"lblCommonEraDate_1", "lblQuorvaneLWCDate_0", "lblAstronomicalJulianDate_1"}},
            {w.moonFrame, {"picMoon", "lblPhaseOfMoon_1", "lblAgeOfMoon_1", "lblActualEclipseData"}},
            {w.timeFrame,
             {"cboTimeZone", "optGreenwich", "optLocal", "cmdNow", "picCheck", "lblTime_1", "lblDeltaT_1"}},
            {w.historyFrame, {"cboHistory", "chkLog", "cmdLogThisResult", "cmdViewLog", "cmdLogPreferences"}},
            {w.moveFrame,
             {"fraMove", "cmdMove", "cboMoveStep", "optMoveDirection_1", "cmdStop", "cboRefreshPeriod"}},
            {w.searchFrame, {"cmdSearch", "optNext", "optPrevious", "cboTarget", "lblSearching"}},
            {w.lunationFrame, {"cmdDisplayCalendar", "cboMonthCalendar", "lblQuorvaneSystems", "cmdHelp"}},
        };
        int previousTop = -1;
        for (const auto& entry : frames) {
            for (const QString& name : entry.controls) {
                auto* control = w.findChild<QWidget*>(name);
                QVERIFY2(control && entry.frame->isAncestorOf(control), qPrintable(name));
            }
            // The Moon stands beside the dates, the rest below each other.
            if (entry.frame != w.moonFrame) {
                QVERIFY2(entry.frame->y() > previousTop, qPrintable(entry.controls.first()));
                previousTop = entry.frame->y();
            }
        }
        const QColor line = w.palette().color(QPalette::Mid);
        for (const char* name : {"fraConvert", "fraDates", "fraMoon", "fraTime", "fraHistory", "fraMove",
                                 "fraRefreshPeriod", "fraSearch"}) {
            auto* frame = w.findChild<QFrame*>(name);
            QVERIFY2(frame, name);
            const QImage image = frame->grab().toImage();
            const QPoint top(image.width() / 2, 0);
            QCOMPARE(QColor(image.pixel(top)).name(), line.name());
        }
    }

    void FocusRingOnEveryKindOfControl() {
        Fixture f;
        const QColor ring = tavr::ui::FocusRingFor(f.w->palette()).outer;
        const QList<QWidget*> controls = {
            f.w->entryFrame->txbDate,    f.w->entryFrame->cmdCompute,
            f.w->timeFrame->cboTimeZone, f.w->timeFrame->optGreenwich,
            f.w->historyFrame->chkLog,   f.w->lunationFrame->lblOnlineDocumentation};
        for (QWidget* c : controls) {
            c->setFocus(Qt::TabFocusReason);
            QVERIFY2(c->hasFocus(), qPrintable(c->objectName()));
            const QImage focused = c->grab().toImage();
            // At least the ring's outline all around the control.
            QVERIFY2(CountColour(focused, ring) >= 2 * (c->width() + c->height()),
                     qPrintable(c->objectName()));
            f.w->cmdQuit->setFocus(Qt::TabFocusReason);
            QCOMPARE(CountColour(c->grab().toImage(), ring), 0);
        }
        // The ring stands apart from the ground and from the control's face,
        // on the window's dark scheme as on a light one.
        std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
        for (const QPalette& p : {tavr::ui::SchemePalette(), fusion->standardPalette()}) {
            const tavr::ui::FocusRingColours c = tavr::ui::FocusRingFor(p);
            QVERIFY(Contrast(c.outer, p.color(QPalette::Window)) >= 3.0);
            QVERIFY(Contrast(c.inner, p.color(QPalette::Button)) >= 3.0);
            QVERIFY(Contrast(c.inner, p.color(QPalette::Base)) >= 3.0);
        }
    }

    void ZoneListOpensCompactAroundTheChoice() {
        Fixture f;
        QComboBox* zones = f.w->timeFrame->cboTimeZone;
        QVERIFY(zones->maxVisibleItems() >= 15 && zones->maxVisibleItems() <= 20);
        QStyleOptionComboBox option;
        option.initFrom(zones);
        QCOMPARE(zones->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, zones), 0);
        zones->setCurrentIndex(tavr::timezone::kGmtIndex);
        zones->showPopup();
        QAbstractItemView* list = zones->view();
        QTRY_VERIFY(list->isVisible());
        const int rowHeight = list->sizeHintForRow(0);
        QVERIFY(list->viewport()->height() <= (zones->maxVisibleItems() + 1) * rowHeight);
        // The chosen zone in the middle of the list, with zones on both sides.
        const QRect chosen = list->visualRect(list->currentIndex());
        QVERIFY(list->viewport()->rect().contains(chosen));
        QVERIFY(chosen.top() >= 4 * rowHeight);
        QVERIFY(chosen.bottom() <= list->viewport()->height() - 4 * rowHeight);
        zones->hidePopup();
    }

    void WindowsAndMessageBoxesFollowTheScheme() {
        Fixture f;
        tavr::help::frmHelp help(QStringLiteral("/opt/tavr/bin"));
        tavr::lunation::frmCalendar calendar(PictureFolder(), {});
        const QString family = tavr::ui::SchemeFont().family();
        for (QWidget* window : std::initializer_list<QWidget*>{f.w->LogWindow(), f.w->LogPreferencesWindow(),
                                                               &help, &calendar}) {
            QCOMPARE(window->palette().color(QPalette::Window), kNavy);
            QCOMPARE(window->palette().color(QPalette::WindowText),
                     f.w->palette().color(QPalette::WindowText));
            QCOMPARE(window->font().family(), family);
        }
        // A message box, shown and answered.
        tavr::ui::QtMessageBoxes boxes(f.w.get());
        QColor ground;
        QString boxFamily;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            ground = box->palette().color(QPalette::Window);
            boxFamily = box->font().family();
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(boxes.Inform("Title", "Text"), tavr::ui::MessageAnswer::Ok);
        QCOMPARE(ground, kNavy);
        QCOMPARE(boxFamily, family);
    }

    // The window manager writes the title beside its buttons: the box leaves
    // room for it. An empty title stays empty rather than the program's name.
    void MessageBoxesAreWideEnoughForTheirTitles() {
        Fixture f;
        tavr::ui::QtMessageBoxes boxes(f.w.get());
        const std::pair<const char*, const char*> cases[] = {
            {"View Log", "Log is empty"},
            {"Invalid date entry", "No"},
            {"Cannot launch web browser", "Error launching web browser, error code = 2."},
            {"", "Log is full.  Clear log?"},
        };
        for (const auto& [title, text] : cases) {
            int width = 0;
            int room = 0;
            QString shownTitle;
            QTimer::singleShot(0, this, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                width = box->width();
                room = tavr::ui::TitleRoom(box->font(), QString::fromLatin1(title));
                shownTitle = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
            });
            boxes.Inform(title, text);
            QVERIFY2(width >= room, title);
            // (an empty title is given the program's name by the platform)
            QVERIFY2(*title || (!shownTitle.isEmpty() && shownTitle.trimmed().isEmpty()),
                     qPrintable(shownTitle));
            QVERIFY2(!*title || shownTitle == QLatin1String(title), qPrintable(shownTitle));
        }
    }

    void EveryCaptionIsReadableOnTheGround() {
        Fixture f;
        const QColor ground = f.w->palette().color(QPalette::Window);
        QList<QWidget*> texts;
        for (QLabel* l : f.w->findChildren<QLabel*>())
            texts << l;
        for (QRadioButton* r : f.w->findChildren<QRadioButton*>())
            texts << r;
        for (QCheckBox* c : f.w->findChildren<QCheckBox*>())
            texts << c;
        for (QWidget* t : texts)
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled}) {
                const QColor text = t->palette().color(group, QPalette::WindowText);
                QVERIFY2(Contrast(text, ground) >= 3.0,
                         qPrintable(QString("%1 (%2)").arg(t->objectName()).arg(int(group))));
            }
    }

    void MoonPictureAtTwiceThePixelRatio() {
        using tavr::moon::PictureCase;
        const QPixmap one = tavr::ui::MoonPixmap(Report(PictureCase::Full, 1.0), kNavy, PictureFolder(), 1.0);
        const QPixmap two = tavr::ui::MoonPixmap(Report(PictureCase::Full, 1.0), kNavy, PictureFolder(), 2.0);
        QVERIFY(!one.isNull());
        QCOMPARE(two.devicePixelRatio(), 2.0);
        QCOMPARE(two.size(), one.size() * 2);
        QCOMPARE(two.deviceIndependentSize(), QSizeF(one.size()));
        QCOMPARE(QColor(two.toImage().pixel(0, 0)), kNavy);
    }

    void DarkPartStandsApartFromTheGround_data() {
        QTest::addColumn<QColor>("ground");
        QTest::addColumn<int>("picture");
        QTest::addColumn<double>("illuminated");
        QTest::addColumn<QPoint>("night");
        const QColor light(236, 236, 236);
        QTest::newRow("new Moon on navy")
            << kNavy << int(tavr::moon::PictureCase::Dark) << 0.0 << QPoint(44, 44);
        QTest::newRow("new Moon on light")
            << light << int(tavr::moon::PictureCase::Dark) << 0.0 << QPoint(44, 44);
        QTest::newRow("crescent on navy")
            << kNavy << int(tavr::moon::PictureCase::WaxingCrescent) << 0.15 << QPoint(20, 44);
        QTest::newRow("crescent on light")
            << light << int(tavr::moon::PictureCase::WaxingCrescent) << 0.15 << QPoint(20, 44);
    }

    void DarkPartStandsApartFromTheGround() {
        QFETCH(QColor, ground);
        QFETCH(int, picture);
        QFETCH(double, illuminated);
        QFETCH(QPoint, night);
        for (qreal dpr : {1.0, 2.0}) {
            const QImage img =
                tavr::ui::MoonPixmap(Report(static_cast<tavr::moon::PictureCase>(picture), illuminated),
                                     ground, PictureFolder(), dpr)
                    .toImage();
            QVERIFY(!img.isNull());
            QCOMPARE(QColor(img.pixel(0, 0)), ground);
            const QRgb dark = img.pixel(night * dpr);
            QVERIFY2(Distance(dark, ground.rgb()) >= 60, qPrintable(QColor(dark).name()));
            // The lit side is still the brightest part.
            if (illuminated > 0)
                QVERIFY(QColor(img.pixel(QPoint(80, 44) * dpr)).lightness() > QColor(dark).lightness());
        }
    }

    void SmallerThanItsStartAndGrowingTheValues() {
        Fixture f;
        const QSize start = f.w->size();
        const QSize minimum = f.w->minimumSizeHint();
        QVERIFY2(minimum.width() < start.width() - 50,
                 qPrintable(QString("%1 %2").arg(minimum.width()).arg(start.width())));
        QVERIFY(minimum.height() <= start.height());
        SaveShot(f.w.get(), "main_start");
        // At its smallest every text is whole.
        f.w->resize(minimum);
        QCoreApplication::processEvents();
        f.w->layout()->activate();
        SaveShot(f.w.get(), "main_smallest");
        for (QLabel* l : f.w->findChildren<QLabel*>()) {
            if (!l->isVisible() || l->text().isEmpty() || l->wordWrap()) continue;
            QVERIFY2(l->width() >=
                         l->sizeHint().width() - l->contentsMargins().left() - l->contentsMargins().right(),
                     qPrintable(l->objectName()));
        }
        for (QPushButton* b : f.w->findChildren<QPushButton*>())
            if (b->isVisible())
                QVERIFY2(b->width() >= b->minimumSizeHint().width(), qPrintable(b->objectName()));
        // Growing gives the room to the value column, not to captions or buttons.
        auto* dates = qobject_cast<QGridLayout*>(f.w->datesFrame->layout());
        QVERIFY(dates);
        const int captions = dates->cellRect(0, 0).width(), values = dates->cellRect(0, 1).width();
        const int quit = f.w->cmdQuit->width();
        f.w->resize(minimum + QSize(300, 0));
        QCoreApplication::processEvents();
        f.w->layout()->activate();
        QCOMPARE(dates->cellRect(0, 0).width(), captions);
        QVERIFY(dates->cellRect(0, 1).width() >= values + 200);
        QCOMPARE(f.w->cmdQuit->width(), quit);
        SaveShot(f.w.get(), "main_grown");
    }
};

QTEST_MAIN(FinishTest)
#include "finish_qtests.moc"
