// The help and credits windows, offscreen: titles, texts, buttons, the modal
// credits window, Close and F1, and Help restoring a minimized window.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "help/HelpText.h"
#include "help/frmHelp.h"

using namespace tavr::help;

namespace {

// With TAVR_SCREENSHOT_DIR set, the window is saved there as NAME.png.
void SaveShot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("TAVR_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void TextsAndButtons() {
        frmHelp w(QStringLiteral("/opt/tavr/bin"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Help screen for Tavrine"));
        QCOMPARE(w.cmdCredit->text(), QStringLiteral("Credits"));
        QCOMPARE(w.cmdClose->text(), QStringLiteral("Close"));
        QCOMPARE(w.txbText->font().family(), QStringLiteral("Arial"));
        QCOMPARE(w.txbText->font().pointSize(), 11);
        QVERIFY(w.txbText->isReadOnly());
        // The text is the composed help text, one line end per CR LF.
        QString expected = QString::fromStdString(HelpText("/opt/tavr/bin"));
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(w.txbText->toPlainText(), expected);
        QVERIFY(w.txbText->toPlainText().contains(QStringLiteral("Sarvenes Calendar: file:///opt/tavr/")));
    }

    void PlacedFromTheMainWindow() {
        frmHelp w(QStringLiteral("/opt/tavr/bin"));
        w.PlaceBeside(QRect(100, 50, 900, 700));
        QCOMPARE(w.pos(), QPoint(100 + 200 / 15, 50 + 480 / 15));
        QCOMPARE(w.size(), QSize(900 - 400 / 15, 700 - 680 / 15));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Nothing overlaps: the text above the buttons, both buttons inside the window.
        QVERIFY(w.txbText->geometry().bottom() < w.cmdClose->geometry().top());
        QVERIFY(w.rect().contains(w.cmdClose->geometry()));
        QVERIFY(w.rect().contains(w.cmdCredit->geometry()));
        QVERIFY(w.cmdCredit->geometry().right() < w.cmdClose->geometry().left());
        SaveShot(w, QStringLiteral("help"));
    }

    void CloseAndF1HideHelpRestores() {
        frmHelp w(QStringLiteral("/opt/tavr/bin"));
        w.ShowHelp();
        QVERIFY(w.isVisible());
        w.ShowHelp(); // pressing Help again leaves it open
        QVERIFY(w.isVisible());
        QTest::mouseClick(w.cmdClose, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        w.ShowHelp();
        QVERIFY(w.isVisible());
        QTest::keyRelease(w.cmdClose, Qt::Key_F1);
        QVERIFY(!w.isVisible());
        w.ShowHelp();
        w.setWindowState(Qt::WindowMinimized);
        w.ShowHelp();
        QVERIFY(!(w.windowState() & Qt::WindowMinimized));
        QVERIFY(w.isVisible());
    }

    void CreditsAreModal() {
        frmHelp w(QStringLiteral("/opt/tavr/bin"));
        w.PlaceBeside(QRect(0, 0, 900, 700));
        w.ShowHelp();
        bool checked = false;
        QTimer::singleShot(0, &w, [&] {
            frmCredits* c = w.credits();
            QVERIFY(c->isVisible());
            QVERIFY(c->isModal());
            QCOMPARE(QApplication::activeModalWidget(), c);
            QCOMPARE(c->windowTitle(), QStringLiteral("Credits"));
            QCOMPARE(c->cmdClose->text(), QStringLiteral("Close"));
            QVERIFY(c->txbMsg->toPlainText().contains(QStringLiteral("the TAVR developers")));
            QVERIFY(c->txbMsg->toPlainText().contains(QStringLiteral("Astronomical Algorithms")));
            // Centred on the help window.
            const QPoint centre = c->geometry().center();
            QVERIFY(qAbs(centre.x() - w.frameGeometry().center().x()) <= 2);
            checked = true;
            SaveShot(*c, QStringLiteral("credits"));
            QTest::mouseClick(c->cmdClose, Qt::LeftButton);
        });
        QTest::mouseClick(w.cmdCredit, Qt::LeftButton);
        QVERIFY(checked);
        QVERIFY(!w.credits()->isVisible());
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "window_qtests.moc"
