#include "log/frmLogPreferences.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavr::logwin {

namespace ses = tavr::session;

namespace {

// Switches in the order the window lists them, with their object names and captions.
struct Switch {
    int include;
    const char* name;
    const char* caption;
};
constexpr std::array<Switch, ses::kLogIncludeCount> kShown = {{
    {ses::kIncludeCE, "chkIncludeCE", "CE (Common Era Calendar)"},
    {ses::kIncludeJC, "chkIncludeJC", "JC (Julian Calendar)"},
    {ses::kIncludeSAR, "chkIncludeSAR", "SAR (Sarvenes Calendar)"},
    {ses::kIncludeVR, "chkIncludeVR", "VR (Vosko-Rindal Solilunar Calendar)"},
    {ses::kIncludeLDT, "chkIncludeLDT", "LDT (Lunar Dovrenia Triday Calendar)"},
    {ses::kIncludeTVG, "chkIncludeTVG", "TVG (Tussary-Vosko Goddess Calendar)"},
    {ses::kIncludeQLWC, "chkIncludeQLWC", "QLW (Quorvane Lunar Week Calendar)"},
    {ses::kIncludeCJD, "chkIncludeCJD", "CJD (Chronological Julian Date)"},
    {ses::kIncludeAJD, "chkIncludeAJD", "AJD (Astronomicall Julian Date)"},
    {ses::kIncludePhaseOfMoonAndIllumination, "chkIncludePhaseOfMoonAndIllumination",
     "Phase of Moon and illumination"},
    {ses::kIncludeLunationAndAgeOfMoon, "chkIncludeLunationAndAgeOfMoon", "Lunation and age of Moon"},
}};

} // namespace

frmLogPreferences::frmLogPreferences(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
    setObjectName("frmLogPreferences");
    setWindowTitle("Set log preferences");
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* outer = new QVBoxLayout(this);
    lblFormat = new QLabel("Format:", this);
    lblFormat->setObjectName("lblFormat");
    auto* hFormat = new QHBoxLayout;
    hFormat->addWidget(lblFormat);
    auto* group = new QButtonGroup(this);
    const char* formats[2] = {"calendar=date", "date calendar,"};
    for (int i = 0; i < 2; ++i) {
        optLogFormat[static_cast<size_t>(i)] = new QRadioButton(formats[i], this);
        optLogFormat[static_cast<size_t>(i)]->setObjectName(QString("optLogFormat_%1").arg(i));
        group->addButton(optLogFormat[static_cast<size_t>(i)], i);
        hFormat->addWidget(optLogFormat[static_cast<size_t>(i)]);
        connect(optLogFormat[static_cast<size_t>(i)], &QRadioButton::toggled, this, [this](bool on) {
            if (on && !showing_) emit changed();
        });
    }
    hFormat->addStretch(1);
    outer->addLayout(hFormat);
    lblInclude = new QLabel("Include in log entries:", this);
    lblInclude->setObjectName("lblInclude");
    outer->addWidget(lblInclude);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const Switch& s : kShown) {
        auto* box = new QCheckBox(s.caption, this);
        box->setObjectName(s.name);
        QFont f = box->font();
        f.setBold(false);
        box->setFont(f);
        box->setChecked(true);
        chkInclude[static_cast<size_t>(s.include)] = box;
        // Calendars in two columns, the Moon switches below them.
        if (row < 9)
            grid->addWidget(box, row % 5, row / 5);
        else
            grid->addWidget(box, 5 + (row - 9), 0, 1, 2);
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!showing_) emit changed();
        });
        ++row;
    }
    outer->addLayout(grid);
    auto* hButtons = new QHBoxLayout;
    const auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    cmdSetALL = button("cmdSetALL", "Set all");
    cmdClearAll = button("cmdClearAll", "Clear all");
    cmdClose = button("cmdClose", "Close");
    hButtons->addWidget(cmdSetALL);
    hButtons->addWidget(cmdClearAll);
    hButtons->addStretch(1);
    hButtons->addWidget(cmdClose);
    outer->addLayout(hButtons);
    optLogFormat[0]->setChecked(true);
    optLogFormat[0]->setToolTip("Entries such as CE=2001-12-31");
    optLogFormat[1]->setToolTip("Entries such as 2001-12-31 CE,");
    cmdSetALL->setToolTip("Include everything in log entries");
    cmdClearAll->setToolTip("Include nothing but the heading in log entries");
    cmdClose->setToolTip("Close this window (the choices stay)");
    // Screen readers say each control's caption; the Tab order is the
    // reading order: the formats, the switches column by column, the buttons.
    QWidget* previous = nullptr;
    auto chain = [this, &previous](QAbstractButton* b) {
        b->setAccessibleName(b->text());
        if (previous) setTabOrder(previous, b);
        previous = b;
    };
    for (QRadioButton* o : optLogFormat)
        chain(o);
    for (const Switch& s : kShown) {
        QCheckBox* box = chkInclude[static_cast<size_t>(s.include)];
        box->setToolTip(QString("Include %1 in log entries").arg(box->text()));
        chain(box);
    }
    for (QPushButton* b : {cmdSetALL, cmdClearAll, cmdClose})
        chain(b);
    connect(cmdSetALL, &QPushButton::clicked, this, [this] { cmdSetALL_Click(); });
    connect(cmdClearAll, &QPushButton::clicked, this, [this] { cmdClearAll_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmLogPreferences::ShowSettings(const ses::State& state) {
    showing_ = true;
    optLogFormat[state.logFormat == 1 ? 1 : 0]->setChecked(true);
    for (size_t i = 0; i < chkInclude.size(); ++i)
        chkInclude[i]->setChecked(state.logInclude[i]);
    showing_ = false;
}

void frmLogPreferences::ReadSettings(ses::State& state) const {
    state.logFormat = optLogFormat[1]->isChecked() ? 1 : 0;
    for (size_t i = 0; i < chkInclude.size(); ++i)
        state.logInclude[i] = chkInclude[i]->isChecked();
}

void frmLogPreferences::cmdSetALL_Click() {
    for (QCheckBox* box : chkInclude)
        box->setChecked(true);
}

void frmLogPreferences::cmdClearAll_Click() {
    for (QCheckBox* box : chkInclude)
        box->setChecked(false);
}

void frmLogPreferences::cmdClose_Click() {
    hide();
    emit closed();
}

bool frmLogPreferences::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) cmdClose->setFocus(Qt::OtherFocusReason);
    return QWidget::event(e);
}

} // namespace tavr::logwin
