// The window when one of its five libraries is missing or damaged: one
// message with the loader's words, an empty display, nothing that computes
// usable, and the saved state left as it was. The library case comes from
// TAVR_LIBRARY_CASE ("missing:halvor", "garbage:vrslc", "wrong:brisel"), one
// program run each, since the loader binds a library once per process;
// without it every library is there.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "base/LibLoader.h"
#include "main/frmMain.h"

#include "main/tests/TestDoubles.h"

using tavr::ui::FakeClock;
using tavr::ui::ScriptedMessageBoxes;

namespace {

const char* const kLibraries[] = {"vrslc", "dtc", "kelmar", "halvor", "brisel"};

QString FileOf(const QString& library) {
    return QString::fromStdString(tavr::LibraryFileName(library.toStdString()));
}

// A library folder as the case has it: the others linked from the real one.
bool MakeLibraryFolder(const QString& folder, const QString& kind, const QString& victim) {
    const QString real = QString::fromStdString(tavr::LibraryDirectory());
    for (const char* name : kLibraries) {
        const QString file = FileOf(QString::fromLatin1(name));
        const QString to = folder + "/" + file;
        if (victim != QLatin1String(name)) {
            if (!QFile::link(real + "/" + file, to)) return false;
            continue;
        }
        if (kind == "garbage") {
            QFile f(to);
            if (!f.open(QIODevice::WriteOnly) || f.write("not a library\n") <= 0) return false;
        } else if (kind == "wrong") {
            // Another library under this one's name: it loads, its exports are not there.
            const QString other = FileOf(victim == "dtc" ? "vrslc" : "dtc");
            if (!QFile::copy(real + "/" + other, to)) return false;
        } else if (kind != "missing") {
            return false;
        }
    }
    return true;
}

} // namespace

class LibraryTests : public QObject {
    Q_OBJECT

  private slots:
    void startUpWithTheLibrariesOfTheCase();
};

void LibraryTests::startUpWithTheLibrariesOfTheCase() {
    const QString libraryCase = qEnvironmentVariable("TAVR_LIBRARY_CASE");
    const QString kind = libraryCase.section(':', 0, 0);
    const QString victim = libraryCase.section(':', 1);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (!libraryCase.isEmpty()) {
        QVERIFY2(MakeLibraryFolder(folder.path(), kind, victim), qPrintable(libraryCase));
        tavr::SetLibraryDirectory(folder.path().toStdString());
    }
    // A saved state that a window without its libraries must not replace.
    const QString stateFile = folder.path() + "/tavr.usr";
    const QByteArray saved = "2451545.5\r\n";
    {
        QFile f(stateFile);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(saved) == saved.size());
    }

    ScriptedMessageBoxes boxes;
    FakeClock clock(QDateTime(QDate(2020, 6, 15), QTime(8, 0), Qt::UTC));
    frmMain w(&boxes, &clock);
    w.SetStateFilePath(stateFile);
    w.Load(true);
    QCoreApplication::processEvents(); // reports queued by the loader arrive here

    if (libraryCase.isEmpty()) {
        QVERIFY(boxes.Asked().empty());
        QVERIFY(w.LibraryFailures().empty());
        QVERIFY(!w.lblCommonEraDate[1]->text().isEmpty());
        QVERIFY(w.cmdCompute->isEnabled());
        return;
    }
    // One message, the loader's, naming the library.
    QCOMPARE(boxes.Asked().size(), size_t(1));
    const tavr::session::Message& m = boxes.Asked().front();
    QVERIFY2(QString::fromStdString(m.text).contains(FileOf(victim)), m.text.c_str());
    QCOMPARE(m.icon, tavr::ui::MessageIcon::Warning);
    // Nothing computed without the library is shown.
    for (int i = 0; i < tavr::session::kCalendarCount; ++i)
        QVERIFY2(w.Row(i)[1]->text().isEmpty(), qPrintable(w.Row(i)[1]->text()));
    for (const tavr::ui::LabelPair* pair : {&w.lblPhaseOfMoon, &w.lblAgeOfMoon, &w.lblDeltaT, &w.lblTime})
        QVERIFY2((*pair)[1]->text().isEmpty(), qPrintable((*pair)[1]->text()));
    QVERIFY(w.picMoon->pixmap().isNull());
    QCOMPARE(w.cboHistory->count(), 0);
    // Nothing that would compute can be used; Quit and Help can.
    for (QWidget* c : std::initializer_list<QWidget*>{w.cmdCompute, w.txbDate, w.cmdNow, w.cboTimeZone,
                                                      w.cmdMove, w.cmdSearch, w.cmdDisplayCalendar,
                                                      w.cboHistory, w.cmdSaveState, w.lblCommonEraDate[0]})
        QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
    QVERIFY(w.cmdQuit->isEnabled());
    QVERIFY(w.cmdHelp->isEnabled());
    // Quit leaves the saved state alone.
    w.cmdQuit_Click();
    QFile f(stateFile);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), saved);
    QCOMPARE(boxes.Asked().size(), size_t(1));
}

QTEST_MAIN(LibraryTests)
#include "libraries_qtests.moc"
