// The lunation calendar window, offscreen: titles, layout, the cells drawn,
// the loading window, and previous/next at the limits through recorded
// notices. With TAVR_SCREENSHOT_DIR set, the drawn window is saved there.
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <QtTest>
#include <cmath>

#include "astro/Lunar.h"
#include "lunation/frmCalendar.h"

using namespace tavr;
using namespace tavr::lunation;

namespace {

// Records the window's messages.
struct RecordedNotices {
    QStringList titles, texts;
    Inform Sink() {
        return [this](const session::Message& m) {
            QCOMPARE(m.icon, session::Icon::Information);
            QCOMPARE(m.buttons, session::Buttons::Ok);
            titles << QString::fromStdString(m.title);
            texts << QString::fromStdString(m.text);
        };
    }
};

const QColor kNavy(0, 0, 128);

LunationRequest RequestAt(double moment, int calendar, DayNumber today) {
    LunationRequest r;
    r.moment = moment;
    r.calendar = calendar;
    r.today = today;
    r.background = kNavy;
    r.mainWindowTop = 30;
    r.loadingPlace = QPoint(40, 60);
    return r;
}

// The window drawn at a device pixel ratio.
QImage Drawn(QWidget& w, qreal dpr) {
    QImage img(w.size() * dpr, QImage::Format_ARGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::black);
    w.render(&img);
    return img;
}

bool AnyPixelOtherThan(const QImage& img, const QRect& logical, QColor colour) {
    const qreal dpr = img.devicePixelRatio();
    for (int y = int(logical.top() * dpr); y <= int(logical.bottom() * dpr); ++y)
        for (int x = int(logical.left() * dpr); x <= int(logical.right() * dpr); ++x)
            if (img.pixelColor(x, y) != colour) return true;
    return false;
}

void SaveShot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("TAVR_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class LunationWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { lunar::InitLunarConstants(); }

    void DrawsTheLunationOf2000() {
        RecordedNotices notices;
        frmCalendar w(QStringLiteral(TAVR_BIN_DIR), notices.Sink());
        QVERIFY(!w.blnFormLoaded());
        w.DisplayLunation(RequestAt(2451545.0, kSarvenes, 2451545));
        QVERIFY(w.blnFormLoaded());
        QCOMPARE(w.missingPictures(), 0);
        QVERIFY(!w.loadingWindow()->isVisible());
        QCOMPARE(w.loadingWindow()->windowTitle(), QStringLiteral("One moment please"));
        QCOMPARE(w.loadingWindow()->lblMessage->text(), QStringLiteral("Now loading images ..."));
        QCOMPARE(w.loadingWindow()->pos(), QPoint(40, 60));
        QCOMPARE(w.lngLunationNumber(), -1);
        QCOMPARE(w.windowTitle(), QStringLiteral("Sarvenes Calendar dates"));
        QCOMPARE(w.lblTitle->text(), QStringLiteral("Lunation -1 (Dionysus)"));
        QCOMPARE(w.lblYearAndMonth->text(), QStringLiteral("December 1999 - January 2000"));
        QCOMPARE(w.size(), QSize(920, w.layout().height));
        QCOMPARE(w.y(), 30);
        QCOMPARE(w.cmdShowPreviousOrNext[0]->text(), QStringLiteral("Display previous lunation"));
        QCOMPARE(w.cmdShowPreviousOrNext[1]->text(), QStringLiteral("Display next lunation"));
        // Buttons as laid out, inside the window and apart.
        const WindowLayout& l = w.layout();
        QCOMPARE(w.cmdShowPreviousOrNext[0]->x(), l.previousLeft);
        QCOMPARE(w.cmdShowPreviousOrNext[1]->x(), l.nextLeft);
        QCOMPARE(w.cmdClose->x(), l.closeLeft);
        QCOMPARE(w.cmdClose->width(), w.cmdShowPreviousOrNext[0]->width() / 2);
        QVERIFY(w.rect().contains(w.cmdClose->geometry()));
        QVERIFY(w.cmdShowPreviousOrNext[0]->geometry().right() < w.cmdShowPreviousOrNext[1]->x());
        QVERIFY(w.cmdShowPreviousOrNext[1]->geometry().right() < w.cmdClose->x());
        // The buttons lie below the last row of cells.
        QVERIFY(w.cmdClose->y() > kGridTop + 4 * kCellHeight - 12);
        SaveShot(w, QStringLiteral("lunation"));

        // Pictures in every visible cell, at both scales; nothing in cells 7 and 23.
        for (qreal dpr : {1.0, 2.0}) {
            const QImage img = Drawn(w, dpr);
            for (int i = 0; i < kCellCount; ++i) {
                const QRect pic(PictureLeft(i, 110) + 6, PictureTop(i) + 6, kPictureSize - 12,
                                kPictureSize - 12);
                QCOMPARE(AnyPixelOtherThan(img, pic, kNavy),
                         w.grid().cells[static_cast<std::size_t>(i)].visible);
            }
        }
        QCOMPARE(w.grid().todayCell, 27);
    }

    void TridayWidensTheCells() {
        RecordedNotices notices;
        frmCalendar w(QStringLiteral(TAVR_BIN_DIR), notices.Sink());
        w.DisplayLunation(RequestAt(2451545.0, kTriday, 0));
        QCOMPARE(w.width(), 1072);
        QCOMPARE(w.windowTitle(), QStringLiteral("Lunar Dovrenia Triday dates"));
        QCOMPARE(w.grid().todayCell, -1);
        SaveShot(w, QStringLiteral("lunation-triday"));
        // A new choice takes effect at the next display.
        w.SetCalendar(kGoddess);
        w.DisplayLunation(RequestAt(2451545.0, kGoddess, 0));
        QCOMPARE(w.width(), 920);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tussary-Vosko Goddess dates"));
    }

    void StepsStopAtTheLimits() {
        RecordedNotices notices;
        frmCalendar w(QStringLiteral(TAVR_BIN_DIR), notices.Sink());
        w.DisplayLunation(RequestAt(kEarliestMoment, kSarvenes, 0));
        QCOMPARE(w.lngLunationNumber(), kFirstLunation);
        const DayNumber first = w.lngJDN1stOfMonth();
        const int days = w.grid().days;
        QTest::mouseClick(w.cmdShowPreviousOrNext[0], Qt::LeftButton);
        QCOMPARE(notices.titles, QStringList{QStringLiteral("Show previous lunation")});
        QCOMPARE(notices.texts,
                 QStringList{QStringLiteral("This is the earliest lunation which can be displayed.")});
        QCOMPARE(w.lngLunationNumber(), kFirstLunation);
        QCOMPARE(w.lngJDN1stOfMonth(), first);
        QTest::mouseClick(w.cmdShowPreviousOrNext[1], Qt::LeftButton);
        QCOMPARE(w.lngLunationNumber(), kFirstLunation + 1);
        QCOMPARE(w.lngJDN1stOfMonth(), first + days);
        QCOMPARE(w.lblTitle->text().left(16), QStringLiteral("Lunation -64315 "));
        QCOMPARE(notices.titles.size(), 1);

        w.DisplayLunation(RequestAt(kLatestMoment, kGoddess, 0));
        QCOMPARE(w.lngLunationNumber(), kLastLunation);
        QTest::mouseClick(w.cmdShowPreviousOrNext[1], Qt::LeftButton);
        QCOMPARE(notices.titles.last(), QStringLiteral("Show next lunation"));
        QCOMPARE(notices.texts.last(), QStringLiteral("This is the latest lunation which can be displayed."));
        QCOMPARE(w.lngLunationNumber(), kLastLunation);
        QTest::mouseClick(w.cmdShowPreviousOrNext[0], Qt::LeftButton);
        QCOMPARE(w.lngLunationNumber(), kLastLunation - 1);
    }

    void CloseHidesAndTheCloseBoxDiscardsPictures() {
        RecordedNotices notices;
        frmCalendar w(QStringLiteral(TAVR_BIN_DIR), notices.Sink());
        QSignalSpy closed(&w, &frmCalendar::closed);
        w.DisplayLunation(RequestAt(2451545.0, kSarvenes, 0));
        QTest::mouseClick(w.cmdClose, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(closed.count(), 1);
        QVERIFY(w.blnFormLoaded());
        w.DisplayLunation(RequestAt(2451545.0, kSarvenes, 0));
        w.close();
        QVERIFY(!w.blnFormLoaded());
        w.DisplayLunation(RequestAt(2451545.0, kSarvenes, 0));
        QVERIFY(w.blnFormLoaded());
        QCOMPARE(w.missingPictures(), 0);
    }

    // The widest date texts of a year of lunations stay inside their cells,
    // in either type.
    void DateTextsFitTheirCells() {
        const QFontMetrics plain(frmCalendar::DateFont(false));
        const QFontMetrics italic(frmCalendar::DateFont(true));
        const int32_t k = LunationAt(2451545.0);
        for (int calendar = 0; calendar < kMonthCalendarCount; ++calendar) {
            int widest = 0;
            QString widestText;
            for (int32_t j = k; j < k + 26; ++j) {
                const Grid g = BuildLunationGrid(j, {}, calendar, 0);
                for (const Cell& c : g.cells) {
                    for (const std::string& t : {c.calendarText, c.commonEraText}) {
                        const QString text = QString::fromStdString(t);
                        const int advance =
                            std::max(plain.horizontalAdvance(text), italic.horizontalAdvance(text));
                        if (advance > widest) {
                            widest = advance;
                            widestText = QString::fromStdString(t);
                        }
                    }
                }
            }
            // The next column's texts begin one cell width further right; keep a gap of 2.
            QVERIFY2(widest <= CellWidth(calendar) - 2, qPrintable(widestText));
        }
    }

    // The notice is on the screen, yellow with its words, before the pictures load.
    void TheNoticeIsPaintedBeforeTheLoading() {
        RecordedNotices notices;
        frmCalendar w(QStringLiteral(TAVR_BIN_DIR), notices.Sink());
        QImage shown;
        connect(&w, &frmCalendar::loadingStarted, this, [&] {
            QWidget* notice = w.loadingWindow();
            QVERIFY(notice->windowHandle() && notice->windowHandle()->isExposed());
            shown = notice->screen()->grabWindow(notice->winId()).toImage();
        });
        w.DisplayLunation(RequestAt(2451545.0, kSarvenes, 0));
        QVERIFY(!shown.isNull());
        int yellow = 0, dark = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QColor c = shown.pixelColor(x, y);
                yellow += c == QColor(255, 255, 0);
                dark += c.lightness() < 100;
            }
        QVERIFY2(yellow > shown.width() * shown.height() / 2, qPrintable(QString::number(yellow)));
        QVERIFY2(dark > 30, qPrintable(QString::number(dark))); // the text
    }

    // At the screen's pixel ratio the pictures are drawn pixel for pixel, from
    // the pictures of twice the pixels above 1.25 (run with QT_SCALE_FACTOR=2 too).
    void PicturesFollowThePixelRatio() {
        RecordedNotices notices;
        frmCalendar w(QStringLiteral(TAVR_BIN_DIR), notices.Sink());
        w.DisplayLunation(RequestAt(2451545.0, kSarvenes, 0));
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.repaint();
        const qreal dpr = w.devicePixelRatioF();
        const QPixmap& pm = w.picture(15); // day16.gif
        QVERIFY(!pm.isNull());
        QCOMPARE(pm.devicePixelRatio(), dpr);
        QCOMPARE(pm.width(), int(std::lround(kPictureSize * dpr)));
        // The picture of twice the pixels has detail of its own: more distinct
        // greys than the 52-pixel picture enlarged.
        if (dpr > 1.25) {
            const QImage big = pm.toImage();
            QImage small(QStringLiteral(TAVR_BIN_DIR "/moon_pics/day16.gif"));
            const QImage grown = small.scaled(big.size()).convertToFormat(big.format());
            QVERIFY(big != grown);
        }
    }

    void MissingPicturesLeaveEmptyCells() {
        RecordedNotices notices;
        frmCalendar w(QStringLiteral("/no/such/folder"), notices.Sink());
        w.DisplayLunation(RequestAt(2451545.0, kSarvenes, 0));
        QCOMPARE(w.missingPictures(), 30);
        QCOMPARE(w.lblTitle->text(), QStringLiteral("Lunation -1 (Dionysus)"));
    }
};

QTEST_MAIN(LunationWindowTest)
#include "window_qtests.moc"
