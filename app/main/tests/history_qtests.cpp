// The history list and the log in the main window, driven as a user drives
// them: results of Convert, Now and zone changes become history lines;
// choosing one brings its moment back; the log buttons, the log window and
// the log preferences window.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "log/frmLog.h"
#include "log/frmLogPreferences.h"
#include "main/frmMain.h"
#include "session/StateFile.h"

#include "main/tests/TestDoubles.h"

using tavr::ui::FakeClock;
using tavr::ui::MessageAnswer;
using tavr::ui::ScriptedMessageBoxes;

namespace {

constexpr int CE = 0, JC = 1, CJD = 6, QLW = 8;

int ZoneIndex(int minutes) {
    return minutes / 30 + 24;
}

QDateTime Utc(int y, int m, int d, int h, int min) {
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

struct Fixture {
    ScriptedMessageBoxes boxes;
    FakeClock clock{Utc(2020, 6, 15, 8, 0)};
    std::unique_ptr<frmMain> w;

    Fixture() {
        w = std::make_unique<frmMain>(&boxes, &clock);
        w->Load(true);
        QApplication::setActiveWindow(w.get());
    }
    void Convert(const QString& text, const QString& days = QString()) {
        w->entryFrame->txbDate->setText(text);
        w->entryFrame->txbPlusMinus->setText(days);
        w->entryFrame->cmdCompute->click();
    }
    void ChooseZone(int minutes) {
        w->timeFrame->cboTimeZone->setCurrentIndex(ZoneIndex(minutes));
        w->cboTimeZone_Click();
    }
    void Choose(int line) {
        w->historyFrame->cboHistory->setCurrentIndex(line);
        w->cboHistory_Click(line);
    }
    QStringList Lines() {
        QStringList lines;
        for (int i = 0; i < w->historyFrame->cboHistory->count(); ++i)
            lines << w->historyFrame->cboHistory->itemText(i);
        return lines;
    }
    void LogAll(bool on) {
        if (w->historyFrame->chkLog->isChecked() != on) w->historyFrame->chkLog->click();
    }
};

} // namespace

class HistoryLogTests : public QObject {
    Q_OBJECT

  private slots:
    void resultsBecomeHistoryLines();
    void choosingALineRestoresTheResult();
    void choosingTheShownLineDoesNothing();
    void logAllResultsWritesEntries();
    void logThisResultWritesThePendingEntry();
    void viewLogWhenEmpty();
    void copyToClipboard();
    void clearAndCloseBox();
    void logIsFull();
    void logWindowFollowsItsSize();
    void logWindowTakesTheMainWidthAfterARestore();
    void declinedQuestionsKeepTheLogInFront();
    void longLinesWrapAtTheWindowsWidth();
    void preferencesWindow();
    void screenshots();
};

void HistoryLogTests::resultsBecomeHistoryLines() {
    Fixture f;
    // Start-up: one line, the present moment.
    QCOMPARE(f.Lines(), QStringList{"2020-06-15 CE 08:00 (local = GMT)"});
    QVERIFY(!f.w->historyFrame->cmdLogThisResult->isEnabled());
    f.Convert("2001-12-31 CE 14:28");
    f.ChooseZone(60);
    f.w->cmdNow_Click();
    QCOMPARE(f.Lines(), (QStringList{"2020-06-15 CE 08:00 (local = GMT)", "2001-12-31 CE 14:28 (local = GMT)",
                                     "2001-12-31 CE 14:28 (local = GMT+01:00)",
                                     "2020-06-15 CE 08:00 (local = GMT+01:00)"}));
    QCOMPARE(f.w->historyFrame->cboHistory->currentIndex(), 3);
    // A repeat adds nothing.
    f.Convert("2001-12-31 CE 14:28");
    f.Convert("2001-12-31 CE 14:28", "0");
    QCOMPARE(f.Lines().size(), 5);
    // Nine more results leave the eight newest.
    for (int day = 1; day <= 9; ++day)
        f.Convert(QString("2002-01-0%1 CE 10:00").arg(day));
    QCOMPARE(f.Lines().size(), 8);
    QCOMPARE(f.Lines().first(), QString("2002-01-02 CE 10:00 (local = GMT+01:00)"));
    QCOMPARE(f.Lines().last(), QString("2002-01-09 CE 10:00 (local = GMT+01:00)"));
    QCOMPARE(f.w->historyFrame->cboHistory->itemData(7).toInt(), 0);
}

void HistoryLogTests::choosingALineRestoresTheResult() {
    Fixture f;
    f.ChooseZone(330);
    f.w->optGreenwich_Click();
    f.Convert("2001-12-4-3 QLW 20:00");
    const double qlwMoment = f.w->CurrentState().dblCurrentAJDate;
    const QString qlwRow = f.w->datesFrame->Row(QLW)[1]->text();
    f.w->optLocal_Click();
    f.ChooseZone(0);
    f.Convert("1999-05-05 JC 01:01");
    f.w->cmdNow_Click();
    QVERIFY(f.w->Clock->isActive());
    QCOMPARE(f.Lines().size(), 6);
    f.LogAll(true);

    f.Choose(2); // the QLW line
    const tavr::session::State& s = f.w->CurrentState();
    QCOMPARE(s.dblCurrentAJDate, qlwMoment);
    QCOMPARE(s.currentCalendar, int16_t(QLW));
    QCOMPARE(f.w->datesFrame->Row(QLW)[1]->text(), qlwRow);
    QVERIFY(f.w->timeFrame->optGreenwich->isChecked());
    QCOMPARE(f.w->timeFrame->cboTimeZone->currentIndex(), 35);
    QVERIFY(!f.w->Clock->isActive());
    QVERIFY(!f.w->timeFrame->picCheck->isVisible());
    QVERIFY(f.w->entryFrame->txbDate->text().isEmpty());
    QCOMPARE(f.w->datesFrame->Row(QLW)[0]->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QCOMPARE(f.w->datesFrame->Row(CE)[0]->palette().color(QPalette::WindowText), QColor(200, 200, 200));
    QCOMPARE(f.w->historyFrame->cboHistory->currentIndex(), 2);
    QCOMPARE(f.Lines().size(), 6);
    // The log has the selection with its line as heading.
    QVERIFY(f.w->LogText().contains("Selection from history\r\n" + f.Lines()[2] + "\r\n"));
    QVERIFY(f.boxes.Asked().empty());
}

void HistoryLogTests::choosingTheShownLineDoesNothing() {
    Fixture f;
    f.LogAll(true);
    f.Convert("2001-12-31 CE 14:28");
    const QString log = f.w->LogText();
    f.w->entryFrame->txbDate->setText("kept");
    f.Choose(1);
    QCOMPARE(f.w->LogText(), log);
    QCOMPARE(f.w->entryFrame->txbDate->text(), QString("kept"));
}

void HistoryLogTests::logAllResultsWritesEntries() {
    Fixture f;
    QVERIFY(!f.w->historyFrame->cmdViewLog->isEnabled());
    f.w->historyFrame->chkLog->click();
    QCOMPARE(f.w->historyFrame->chkLog->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    f.Convert("2001-12-31 CE 14:28");
    f.Convert("2001-12-31 CE 14:28", "1");
    f.Convert("2001-12-31 CE 14:28", "-1");
    const QString log = f.w->LogText();
    QVERIFY(log.startsWith("TAVR 18.0\r\n"));
    QVERIFY(log.section("\r\n", 1, 1).endsWith("manual.html"));
    QCOMPARE(log.section("\r\n", 2, 2), QString());
    QCOMPARE(log.section("\r\n", 3, 4), QString("Convert date\r\n2001-12-31 CE 14:28 (local = GMT)"));
    QCOMPARE(log.count("TAVR 18.0\r\n"), 1);
    QVERIFY(log.contains("Convert date plus 1 day\r\n2002-01-01 CE 14:28 (local = GMT)\r\nJC=2001-12-19  "));
    QVERIFY(log.contains("Convert date plus -1 day\r\n2001-12-30 CE 14:28 (local = GMT)\r\n"));
    QVERIFY(log.endsWith(".\r\n\r\n"));
    QVERIFY(!log.contains("\n\n"));
    QVERIFY(f.w->historyFrame->cmdViewLog->isEnabled());
    QVERIFY(!f.w->historyFrame->cmdLogThisResult->isEnabled());

    f.w->cmdViewLog_Click();
    tavr::logwin::frmLog* lw = f.w->LogWindow();
    QVERIFY(lw->isVisible());
    QCOMPARE(lw->windowTitle(), QString("Log for TAVR 18.0"));
    QCOMPARE(lw->txbText->toPlainText().replace("\n", "\r\n"), log);
    QCOMPARE(lw->cmdCopyToClipboard->text(), QString("Copy to clipboard"));
    QCOMPARE(lw->x(), f.w->frameGeometry().left());
    QVERIFY(lw->y() > f.w->y());
    // The user's own words stay; later entries follow them.
    lw->txbText->moveCursor(QTextCursor::End);
    lw->txbText->insertPlainText("my note");
    f.Convert("1999-01-01 CE 00:00");
    QVERIFY(f.w->LogText().contains("my noteConvert date\r\n1999-01-01 CE 00:00 (local = GMT)\r\n"));
    lw->cmdClose_Click();
    QVERIFY(!lw->isVisible());
    QVERIFY(!f.w->LogText().isEmpty());
}

void HistoryLogTests::logThisResultWritesThePendingEntry() {
    Fixture f;
    f.Convert("2001-12-31 CE 14:28");
    QVERIFY(f.w->historyFrame->cmdLogThisResult->isEnabled());
    f.Convert("2001-12-31 JC 14:28");
    QVERIFY(f.w->LogText().isEmpty());
    QCOMPARE(f.w->PendingLogEntry().heading, std::string("2001-12-31 JC 14:28 (local = GMT)"));
    f.w->historyFrame->cmdLogThisResult->click();
    const QString log = f.w->LogText();
    QCOMPARE(log.count("Convert date\r\n"), 1);
    QVERIFY(log.contains("Convert date\r\n2001-12-31 JC 14:28 (local = GMT)\r\nCE=2002-01-13  "));
    QVERIFY(!f.w->historyFrame->cmdLogThisResult->isEnabled());
    QVERIFY(!f.w->historyFrame->chkLog->isChecked());
    QVERIFY(f.w->CurrentState().chkLog == false);
    // Switching logging on later does not write the pending entry.
    f.Convert("2001-12-31 CE 10:00");
    f.LogAll(true);
    QCOMPARE(f.w->LogText(), log);
    QVERIFY(f.w->historyFrame->cmdLogThisResult->isEnabled());
}

void HistoryLogTests::viewLogWhenEmpty() {
    Fixture f;
    f.w->cmdViewLog_Click();
    QCOMPARE(f.boxes.Asked().size(), size_t(1));
    QCOMPARE(f.boxes.Asked()[0].title, std::string("View Log"));
    QCOMPARE(f.boxes.Asked()[0].text, std::string("Log is empty"));
    QCOMPARE(f.boxes.Asked()[0].icon, tavr::ui::MessageIcon::Information);
    QVERIFY(!f.w->LogWindow()->isVisible());
}

void HistoryLogTests::copyToClipboard() {
    Fixture f;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("before");
    tavr::logwin::frmLog* lw = f.w->LogWindow();
    lw->cmdCopyToClipboard_Click();
    QCOMPARE(clipboard->text(), QString("before")); // an empty log leaves it alone
    f.LogAll(true);
    f.Convert("2001-12-31 CE 14:28");
    f.w->cmdViewLog_Click();
    lw->cmdCopyToClipboard_Click();
    QCOMPARE(clipboard->text(), f.w->LogText());
    QVERIFY(clipboard->text().contains("\r\n"));
    // A selection made with the mouse: the button says so and copies only it.
    QTextCursor c = lw->txbText->textCursor();
    c.setPosition(0);
    c.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
    lw->txbText->setTextCursor(c);
    const int clearX = lw->cmdClear->x();
    QTest::mouseRelease(lw->txbText->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    if (!lw->txbText->textCursor().hasSelection())
        lw->txbText->setTextCursor(c); // the release may move the caret
    lw->txbText_MouseUp();
    QCOMPARE(lw->cmdCopyToClipboard->text(), QString("Copy selected text to clipboard"));
    QVERIFY(lw->cmdClear->x() > clearX);
    lw->cmdCopyToClipboard_Click();
    QCOMPARE(clipboard->text(), f.w->LogText().section("\r\n", 0, 1) + "\r\n");
    QCOMPARE(lw->cmdCopyToClipboard->text(), QString("Copy to clipboard"));
    c.clearSelection();
    lw->txbText->setTextCursor(c);
    lw->txbText_MouseUp();
    QCOMPARE(lw->cmdCopyToClipboard->text(), QString("Copy to clipboard"));
}

void HistoryLogTests::clearAndCloseBox() {
    Fixture f;
    f.LogAll(true);
    f.Convert("2001-12-31 CE 14:28");
    f.w->cmdViewLog_Click();
    tavr::logwin::frmLog* lw = f.w->LogWindow();
    f.boxes.Queue(MessageAnswer::Cancel);
    lw->cmdClear->click();
    QCOMPARE(f.boxes.Asked().back().text, std::string("Erase all data in the log?"));
    QCOMPARE(f.boxes.Asked().back().title, std::string("Clear log"));
    QVERIFY(lw->isVisible());
    QVERIFY(!f.w->LogText().isEmpty());
    lw->cmdClear->click(); // OK
    QVERIFY(f.w->LogText().isEmpty());
    QVERIFY(!lw->isVisible());
    QVERIFY(!f.w->historyFrame->cmdViewLog->isEnabled());
    // The next entry starts a new log with its header.
    f.Convert("2001-12-31 JC 14:28");
    QVERIFY(f.w->LogText().startsWith("TAVR 18.0\r\n"));
    // The close box loses the log and disables the log buttons.
    f.w->cmdViewLog_Click();
    f.LogAll(false);
    f.Convert("2001-12-31 CE 10:00");
    QVERIFY(f.w->historyFrame->cmdLogThisResult->isEnabled());
    lw->close();
    QVERIFY(f.w->LogText().isEmpty());
    QVERIFY(!f.w->historyFrame->cmdViewLog->isEnabled());
    QVERIFY(!f.w->historyFrame->cmdLogThisResult->isEnabled());
}

void HistoryLogTests::logIsFull() {
    Fixture f;
    f.LogAll(true);
    f.Convert("2001-12-31 CE 14:28");
    const QString first = f.w->LogText();
    f.w->SetLogCapacity(static_cast<size_t>(first.size()) + 60);
    f.boxes.Queue(MessageAnswer::No);
    f.Convert("2001-12-31 JC 14:28");
    QCOMPARE(f.boxes.Asked().back().text, std::string("Log is full.  Clear log?"));
    QCOMPARE(f.boxes.Asked().back().title, std::string());
    QCOMPARE(f.boxes.Asked().back().buttons, tavr::ui::MessageButtons::YesNo);
    QVERIFY(f.w->LogText().startsWith(first + "Convert date\r\n"));
    QVERIFY(f.w->LogText().size() <= first.size() + 60);
    QVERIFY(!f.w->LogText().contains("CE="));
    // Yes: the log window's clear asks its own question.
    f.boxes.Queue(MessageAnswer::Yes);
    f.boxes.Queue(MessageAnswer::Ok);
    f.Convert("2001-12-31 CE 10:00");
    QCOMPARE(f.boxes.Asked().back().text, std::string("Erase all data in the log?"));
    QVERIFY(f.w->LogText().isEmpty());
    QVERIFY(!f.w->historyFrame->cmdViewLog->isEnabled());
}

void HistoryLogTests::logWindowFollowsItsSize() {
    Fixture f;
    f.LogAll(true);
    f.Convert("2001-12-31 CE 14:28");
    tavr::logwin::frmLog* lw = f.w->LogWindow();
    // Hidden: a new size moves nothing.
    const QRect text = lw->txbText->geometry();
    lw->resize(lw->width() + 100, lw->height() + 50);
    QCOMPARE(lw->txbText->geometry(), text);
    // Shown: the text area and the close button follow the window.
    f.w->cmdViewLog_Click();
    lw->resize(900, 500);
    QCoreApplication::processEvents();
    const int w = lw->frameGeometry().width();
    const int h = lw->frameGeometry().height();
    QCOMPARE(lw->txbText->width(), w - tavr::logwin::TwipsToPixels(lw, 300));
    QCOMPARE(lw->txbText->height(), h - lw->cmdClose->height() - tavr::logwin::TwipsToPixels(lw, 700));
    QCOMPARE(lw->cmdClose->x() + lw->cmdClose->width(), w - tavr::logwin::TwipsToPixels(lw, 210));
}

void HistoryLogTests::logWindowTakesTheMainWidthAfterARestore() {
    // "Log all results" restored on: the first entry is made while the main
    // window is still being set up.
    QTemporaryDir dir;
    tavr::session::State saved;
    saved.chkLog = true;
    QFile file(dir.path() + "/tavr.usr");
    const QByteArray text = QByteArray::fromStdString(tavr::session::FormatStateFile(saved));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    ScriptedMessageBoxes boxes;
    FakeClock clock{Utc(2020, 6, 15, 8, 0)};
    frmMain w(&boxes, &clock);
    w.SetStateFilePath(file.fileName());
    w.Load(true);
    w.resize(w.width() + 37, w.height()); // the user's own width
    w.cmdViewLog_Click();
    QCOMPARE(w.LogWindow()->width(), w.width());
    // Later views keep the log window's own width.
    w.LogWindow()->resize(500, w.LogWindow()->height());
    w.cmdViewLog_Click();
    QCOMPARE(w.LogWindow()->width(), 500);
}

void HistoryLogTests::declinedQuestionsKeepTheLogInFront() {
    Fixture f;
    f.LogAll(true);
    f.Convert("2001-12-31 CE 14:28");
    f.w->cmdViewLog_Click();
    tavr::logwin::frmLog* lw = f.w->LogWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(lw));
    // A box, once answered, hands the activation to the main window, as a real one does.
    f.boxes.whileShown = [&f] { QApplication::setActiveWindow(f.w.get()); };
    f.boxes.Queue(MessageAnswer::Cancel);
    lw->cmdClear->click();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(lw));
    QVERIFY(lw->isVisible());
    // "Log is full", No.
    f.w->SetLogCapacity(static_cast<size_t>(f.w->LogText().size()) + 60);
    f.boxes.Queue(MessageAnswer::No);
    f.Convert("2001-12-31 JC 14:28");
    QCOMPARE(f.boxes.Asked().back().text, std::string("Log is full.  Clear log?"));
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(lw));
    f.boxes.whileShown = nullptr;
}

void HistoryLogTests::longLinesWrapAtTheWindowsWidth() {
    Fixture f;
    f.LogAll(true);
    f.Convert("2001-12-31 CE 14:28");
    f.w->cmdViewLog_Click();
    tavr::logwin::frmLog* lw = f.w->LogWindow();
    lw->txbText->moveCursor(QTextCursor::End);
    lw->txbText->insertPlainText(QString(600, QLatin1Char('x')));
    QCoreApplication::processEvents();
    QCOMPARE(lw->txbText->horizontalScrollBar()->maximum(), 0);
    QVERIFY(!lw->txbText->horizontalScrollBar()->isVisible());
    QVERIFY(lw->txbText->verticalScrollBar()->isVisible());
    // The long line is shown on several lines of the window's width.
    const QTextBlock last = lw->txbText->document()->lastBlock();
    QVERIFY(last.layout()->lineCount() > 1);
}

void HistoryLogTests::preferencesWindow() {
    Fixture f;
    f.w->historyFrame->cmdLogPreferences->click();
    tavr::logwin::frmLogPreferences* p = f.w->LogPreferencesWindow();
    QVERIFY(p->isVisible());
    QCOMPARE(p->windowTitle(), QString("Set log preferences"));
    QCOMPARE(p->optLogFormat[0]->text(), QString("calendar=date"));
    QCOMPARE(p->optLogFormat[1]->text(), QString("date calendar,"));
    QCOMPARE(p->chkInclude[tavr::session::kIncludeAJD]->text(), QString("AJD (Astronomicall Julian Date)"));
    QVERIFY(p->optLogFormat[0]->isChecked());
    p->optLogFormat[1]->click();
    p->cmdClearAll->click();
    QCOMPARE(f.w->CurrentState().logFormat, int16_t(1));
    for (bool on : f.w->CurrentState().logInclude)
        QVERIFY(!on);
    // Only the lunation: the entry is action, heading, Moon line, empty line.
    p->chkInclude[tavr::session::kIncludeLunationAndAgeOfMoon]->click();
    p->chkInclude[JC]->click();
    f.LogAll(true);
    f.Convert("2001-12-31 CE 14:28");
    const QString log = f.w->LogText();
    QVERIFY(log.contains(
        "Convert date\r\n2001-12-31 CE 14:28 (local = GMT)\r\n2001-12-18 JC\r\nLunation and age = ["));
    QVERIFY(log.endsWith(").\r\n\r\n"));
    p->cmdSetALL->click();
    QVERIFY(p->optLogFormat[1]->isChecked());
    for (bool on : f.w->CurrentState().logInclude)
        QVERIFY(on);
    p->cmdClose_Click();
    QVERIFY(!p->isVisible());
    QCOMPARE(f.w->LogPreferencesWindow(), p); // hidden, not destroyed
    Q_UNUSED(CJD);
}

// Pictures for a person to look at, when TAVR_SCREENSHOT_DIR names a folder.
void HistoryLogTests::screenshots() {
    const QString dir = qEnvironmentVariable("TAVR_SCREENSHOT_DIR");
    if (dir.isEmpty()) QSKIP("TAVR_SCREENSHOT_DIR not set");
    Fixture f;
    f.LogAll(true);
    f.ChooseZone(60);
    f.Convert("2000-01-21 CE 05:40");
    f.Convert("2001-12-31 CE 14:28");
    f.Convert("102-25-10-26 VR 14:28");
    f.w->historyFrame->cboHistory->showPopup();
    QCoreApplication::processEvents();
    QVERIFY(f.w->grab().save(dir + "/main-history.png"));
    f.w->historyFrame->cboHistory->hidePopup();
    f.w->cmdViewLog_Click();
    QCoreApplication::processEvents();
    QVERIFY(f.w->LogWindow()->grab().save(dir + "/log.png"));
    f.w->cmdLogPreferences_Click();
    QCoreApplication::processEvents();
    QVERIFY(f.w->LogPreferencesWindow()->grab().save(dir + "/log-preferences.png"));
}

QTEST_MAIN(HistoryLogTests)
#include "history_qtests.moc"
