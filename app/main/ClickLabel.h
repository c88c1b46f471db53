// A label that reports a left click, for the calendar rows, the time label and
// the link labels of the main window.
#ifndef TAVR_CLICKLABEL_H
#define TAVR_CLICKLABEL_H

#include <QLabel>

namespace tavr::ui {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(const QString& text = {}, QWidget* parent = nullptr) : QLabel(text, parent) {}

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tavr::ui

#endif
