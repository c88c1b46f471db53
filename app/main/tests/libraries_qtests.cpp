// The window when a library is missing or damaged (TAVR_LIBRARY_CASE, such as
// "missing:halvor" or "wrong:brisel", one run each since the loader binds a
// library once per process): one message naming it, an empty display, only
// Quit and Help usable, the saved state untouched. Without a case every
// library is there.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "base/LibLoader.h"
#include "main/frmMain.h"

#include "main/tests/TestDoubles.h"

namespace {

QString FileOf(const QString& library) {
    return QString::fromStdString(tavr::LibraryFileName(library.toStdString()));
}

// The real libraries linked into `folder`, but for the victim: left out, or
// ("wrong") another library under its name, which loads without its exports.
bool MakeLibraryFolder(const QString& folder, const QString& kind, const QString& victim) {
    const QString real = QString::fromStdString(tavr::LibraryDirectory()) + "/";
    bool ok = true;
    for (const QString name : {"vrslc", "dtc", "kelmar", "halvor", "brisel"})
        if (name != victim) ok = QFile::link(real + FileOf(name), folder + "/" + FileOf(name)) && ok;
    if (kind == "wrong")
        ok = QFile::copy(real + FileOf(victim == "dtc" ? "vrslc" : "dtc"), folder + "/" + FileOf(victim)) &&
             ok;
    return ok && (kind == "wrong" || kind == "missing");
}

} // namespace

class LibraryTests : public QObject {
    Q_OBJECT

  private slots:
    void startUpWithTheLibrariesOfTheCase() {
        const QString libraryCase = qEnvironmentVariable("TAVR_LIBRARY_CASE");
        const QString victim = libraryCase.section(':', 1);
        QTemporaryDir folder;
        if (!libraryCase.isEmpty()) {
            QVERIFY(MakeLibraryFolder(folder.path(), libraryCase.section(':', 0, 0), victim));
            tavr::SetLibraryDirectory(folder.path().toStdString());
        }
        const QString stateFile = folder.path() + "/tavr.usr";
        const QByteArray saved = "2451545.5\r\n";
        QFile f(stateFile);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(saved) == saved.size());
        f.close();

        tavr::ui::ScriptedMessageBoxes boxes;
        tavr::ui::FakeClock clock(QDateTime(QDate(2020, 6, 15), QTime(8, 0), Qt::UTC));
        frmMain w(&boxes, &clock);
        w.SetStateFilePath(stateFile);
        w.Load(true);
        QCoreApplication::processEvents(); // reports queued by the loader arrive here
        if (libraryCase.isEmpty()) {
            QVERIFY(boxes.Asked().empty());
            QVERIFY(!w.datesFrame->lblCommonEraDate[1]->text().isEmpty());
            return;
        }
        QCOMPARE(boxes.Asked().size(), size_t(1));
        QVERIFY2(QString::fromStdString(boxes.Asked()[0].text).contains(FileOf(victim)),
                 boxes.Asked()[0].text.c_str());
        for (int i = 0; i < tavr::session::kCalendarCount; ++i)
            QVERIFY2(w.datesFrame->Row(i)[1]->text().isEmpty(), qPrintable(w.datesFrame->Row(i)[1]->text()));
        for (const tavr::ui::LabelPair* pair : {&w.moonFrame->lblPhaseOfMoon, &w.moonFrame->lblAgeOfMoon,
                                                &w.timeFrame->lblDeltaT, &w.timeFrame->lblTime})
            QVERIFY2((*pair)[1]->text().isEmpty(), qPrintable((*pair)[1]->text()));
        QVERIFY(w.moonFrame->picMoon->pixmap().isNull());
        QCOMPARE(w.historyFrame->cboHistory->count(), 0);
        for (QWidget* c : std::initializer_list<QWidget*>{
                 w.entryFrame->cmdCompute, w.entryFrame->txbDate, w.timeFrame->cmdNow,
                 w.timeFrame->cboTimeZone, w.moveFrame->cmdMove, w.searchFrame->cmdSearch,
                 w.lunationFrame->cmdDisplayCalendar, w.datesFrame->lblCommonEraDate[0]})
            QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
        QVERIFY(w.cmdQuit->isEnabled() && w.lunationFrame->cmdHelp->isEnabled());
        w.cmdQuit_Click();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), saved);
    }
};

QTEST_MAIN(LibraryTests)
#include "libraries_qtests.moc"
