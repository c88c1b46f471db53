#include "main/ClickLabel.h"

#include <QMouseEvent>

namespace tavr::ui {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

} // namespace tavr::ui
