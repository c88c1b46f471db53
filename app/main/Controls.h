// Small helpers the frames of the main window share: a control created with
// its object name, the caption colours of a choice, the row label pairs.
#ifndef TAVR_CONTROLS_H
#define TAVR_CONTROLS_H

#include <QAbstractButton>
#include <QColor>
#include <QPalette>
#include <QWidget>
#include <array>
#include <utility>

#include "main/ClickLabel.h"
#include "main/Colours.h"

namespace tavr::ui {

// Caption (index 0) and value (index 1) of one row of the window.
using LabelPair = std::array<ClickLabel*, 2>;

// A new control of `parent` named `name`; `args` come before the parent
// (a caption for labels and buttons).
template <class T, class... Args> T* NewControl(QWidget* parent, const char* name, Args&&... args) {
    auto* control = new T(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// The caption's colour: WindowText only, since the option buttons draw their
// mark in Text on Base.
inline void SetCaptionColour(QWidget* w, const QColor& colour) {
    if (!w) return;
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

// The two labels of row `name` ("name_0", "name_1"), the value empty.
inline LabelPair NewPair(QWidget* parent, const char* name, const QString& caption) {
    LabelPair pair;
    pair[0] = new ClickLabel(caption, parent);
    pair[0]->setObjectName(QString("%1_0").arg(QLatin1String(name)));
    pair[1] = new ClickLabel(QString(), parent);
    pair[1]->setObjectName(QString("%1_1").arg(QLatin1String(name)));
    return pair;
}

// Both labels named as a screen reader says the row: the caption without
// its closing colon.
inline void NameAfterCaption(const LabelPair& pair) {
    QString name = pair[0]->text().trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    pair[0]->setAccessibleName(name);
    pair[1]->setAccessibleName(name);
}

// Checks `chosen` and shows the choice: its caption bright, the other's dim.
inline void ShowChoice(QAbstractButton* chosen, QAbstractButton* other) {
    chosen->setChecked(true);
    SetCaptionColour(chosen, kColourOn);
    SetCaptionColour(other, kColourOff);
}

} // namespace tavr::ui

#endif
