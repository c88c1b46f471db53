// The search frame: the target list, the direction and the search button.
// The search itself is the session's; the window shows "Searching ..."
// while a coincidence is sought, stops the clock after a hit and applies the
// result.
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "main/Colours.h"
#include "main/Scheme.h"
#include "main/frmMain.h"
#include "session/Search.h"

namespace ses = tavr::session;

void frmMain::BuildSearchFrame() {
    fraSearch = new QFrame(this);
    fraSearch->setObjectName("fraSearch");
    tavr::ui::FrameLine(fraSearch);
    auto* grid = new QGridLayout(fraSearch);

    cmdSearch = new QPushButton("Search for", fraSearch);
    cmdSearch->setObjectName("cmdSearch");
    cmdSearch->setAutoDefault(false);
    optNext = new QRadioButton("next", fraSearch);
    optNext->setObjectName("optNext");
    optPrevious = new QRadioButton("previous", fraSearch);
    optPrevious->setObjectName("optPrevious");
    cboTarget = new QComboBox(fraSearch);
    cboTarget->setObjectName("cboTarget");
    for (int i = 0; i < ses::kTargetCount; ++i) {
        const int16_t phase = ses::TargetPhase(i);
        cboTarget->addItem(QString::fromStdString(std::string(ses::TargetText(i))),
                           phase >= 0 ? QVariant(phase) : QVariant());
    }
    lblSearching = new QLabel("Searching ...", fraSearch);
    lblSearching->setObjectName("lblSearching");
    lblSearching->setVisible(false);

    grid->addWidget(cmdSearch, 0, 0);
    grid->addWidget(optNext, 0, 1);
    grid->addWidget(optPrevious, 0, 2);
    grid->addWidget(cboTarget, 0, 3);
    grid->addWidget(lblSearching, 0, 4);
    grid->setColumnStretch(3, 1);
    laterGroups_->addWidget(fraSearch);

    // The state's choices, the list starting at "Total solar eclipse".
    state_.targetIndex = ses::kDefaultTarget;
    cboTarget->setCurrentIndex(state_.targetIndex);
    optNext->setChecked(state_.searchNext);
    optPrevious->setChecked(!state_.searchNext);
    SetCaptionColour(optNext, state_.searchNext ? kColourOn : kColourOff);
    SetCaptionColour(optPrevious, state_.searchNext ? kColourOff : kColourOn);

    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(optNext, &QRadioButton::clicked, this, [this] { optNext_Click(); });
    connect(optPrevious, &QRadioButton::clicked, this, [this] { optPrevious_Click(); });
    connect(cboTarget, &QComboBox::activated, this, [this](int) { cboTarget_Click(); });
}

void frmMain::FocusSearchButton() {
    if (isVisible()) cmdSearch->setFocus(Qt::OtherFocusReason);
}

void frmMain::optNext_Click() {
    optNext->setChecked(true);
    state_.searchNext = true;
    SetCaptionColour(optNext, kColourOn);
    SetCaptionColour(optPrevious, kColourOff);
    FocusSearchButton();
}

void frmMain::optPrevious_Click() {
    optPrevious->setChecked(true);
    state_.searchNext = false;
    SetCaptionColour(optPrevious, kColourOn);
    SetCaptionColour(optNext, kColourOff);
    FocusSearchButton();
}

void frmMain::cboTarget_Click() {
    state_.targetIndex = static_cast<int16_t>(cboTarget->currentIndex());
    SetTheFocus();
}

void frmMain::cmdSearch_Click() {
    ses::State state = ReadControls();
    state.searchNext = !optPrevious->isChecked();
    state.targetIndex = static_cast<int16_t>(cboTarget->currentIndex());
    const bool coincidence = state.targetIndex == ses::kTargetCoincidence;
    if (coincidence) {
        lblSearching->setVisible(true);
        lblSearching->repaint();
    }
    const ses::ActionResult result = ses::Search(state);
    lblSearching->setVisible(false);
    // A hit ends Now mode: its clock stops so that no tick moves the moment.
    if (result.kind == ses::ResultKind::Done) Clock->stop();
    Apply(result);
    if (cboTarget->currentIndex() != state_.targetIndex) cboTarget->setCurrentIndex(state_.targetIndex);
}
