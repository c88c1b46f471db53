#include "main/ClickLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "main/Scheme.h"

namespace tavr::ui {

void ClickLabel::SetKeyboardActivation(bool on) {
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    // Room for the focus ring around the text.
    const int room = on ? kFocusRingWidth + 1 : 0;
    setContentsMargins(room, room, room, room);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (focusPolicy() != Qt::NoFocus &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        event->modifiers() == Qt::NoModifier) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace tavr::ui
