#include "main/SearchFrame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "main/Controls.h"
#include "main/Latin1.h"
#include "main/Scheme.h"
#include "session/Search.h"

namespace ses = tavr::session;

namespace tavr::ui {

SearchFrame::SearchFrame(QWidget* parent) : QFrame(parent) {
    setObjectName("fraSearch");
    FrameLine(this);
    auto* grid = new QGridLayout(this);
    cmdSearch = NewControl<QPushButton>(this, "cmdSearch", "Search for");
    optNext = NewControl<QRadioButton>(this, "optNext", "next");
    optPrevious = NewControl<QRadioButton>(this, "optPrevious", "previous");
    cboTarget = NewControl<QComboBox>(this, "cboTarget");
    for (int i = 0; i < ses::kTargetCount; ++i) {
        const int16_t phase = ses::TargetPhase(i);
        cboTarget->addItem(Q(ses::TargetText(i)), phase >= 0 ? QVariant(phase) : QVariant());
    }
    lblSearching = NewControl<QLabel>(this, "lblSearching", "Searching ...");
    lblSearching->setVisible(false);

    grid->addWidget(cmdSearch, 0, 0);
    grid->addWidget(optNext, 0, 1);
    grid->addWidget(optPrevious, 0, 2);
    grid->addWidget(cboTarget, 0, 3);
    grid->addWidget(lblSearching, 0, 4);
    grid->setColumnStretch(3, 1);
}

void SearchFrame::ShowNext(bool next) {
    ShowChoice(next ? optNext : optPrevious, next ? optPrevious : optNext);
}

void SearchFrame::ShowTarget(int index) {
    if (index >= 0 && index < cboTarget->count() && cboTarget->currentIndex() != index)
        cboTarget->setCurrentIndex(index);
}

} // namespace tavr::ui
