#include "main/EntryFrame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "main/Controls.h"
#include "main/Scheme.h"

namespace tavr::ui {

EntryFrame::EntryFrame(QWidget* parent) : QFrame(parent) {
    setObjectName("fraConvert");
    FrameLine(this);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    lblEnterDateTime = NewControl<QLabel>(this, "lblEnterDateTime", "Enter date/time:");
    txbDate = NewControl<QLineEdit>(this, "txbDate");
    // Room for an entry such as "2001-12-31 CE 14:28"; the box grows with the window.
    txbDate->setMinimumWidth(digit * 22);
    cmdCompute = NewControl<QPushButton>(this, "cmdCompute", "Convert");
    cmdClearDate = NewControl<QPushButton>(this, "cmdClearDate", "Clear");
    txbPlusMinus = NewControl<QLineEdit>(this, "txbPlusMinus");
    txbPlusMinus->setMaximumWidth(digit * 12);
    optPlus = NewControl<QRadioButton>(this, "optPlus", "plus");
    optMinus = NewControl<QRadioButton>(this, "optMinus", "minus");
    lblDays = NewControl<QLabel>(this, "lblDays", "days");
    cmdReset = NewControl<QPushButton>(this, "cmdReset", "Reset");
    SetCaptionColour(lblEnterDateTime, kColourOn);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->addWidget(lblEnterDateTime, 0, 0);
    grid->addWidget(txbDate, 0, 1);
    grid->addWidget(cmdCompute, 0, 2);
    grid->addWidget(cmdClearDate, 0, 3);
    auto* days = new QHBoxLayout;
    days->setSpacing(10);
    days->addWidget(txbPlusMinus);
    days->addWidget(optPlus);
    days->addWidget(optMinus);
    days->addWidget(lblDays);
    days->addStretch(1);
    grid->addLayout(days, 1, 1);
    grid->addWidget(cmdReset, 1, 3);
    grid->setColumnStretch(1, 1);

    txbDate->installEventFilter(this);
    txbPlusMinus->installEventFilter(this);
}

void EntryFrame::ShowPlus(bool plus) {
    ShowChoice(plus ? optPlus : optMinus, plus ? optMinus : optPlus);
}

void EntryFrame::SetEntryText(const QString& text) {
    txbDate->setText(text);
    txbDate->setCursorPosition(static_cast<int>(text.size()));
}

bool EntryFrame::FocusEntry() {
    if (!txbDate->isEnabled()) return false;
    txbDate->setFocus(Qt::OtherFocusReason);
    txbDate->setCursorPosition(static_cast<int>(txbDate->text().size()));
    txbDate->deselect();
    return true;
}

bool EntryFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txbDate && watched != txbPlusMinus) return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const bool ready =
                !txbDate->text().isEmpty() && (watched == txbDate || !txbPlusMinus->text().isEmpty());
            if (ready) emit convertRequested();
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            emit helpRequested();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched == txbDate) {
        // The entry loses its surrounding blanks when the user leaves it.
        const QString trimmed = txbDate->text().trimmed();
        if (trimmed != txbDate->text()) txbDate->setText(trimmed);
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace tavr::ui
