// A label that reports a left click, for the calendar rows, the time label and
// the link labels of the main window. A link label also takes the keyboard
// focus and reports Enter and Space as a click.
#ifndef TAVR_CLICKLABEL_H
#define TAVR_CLICKLABEL_H

#include <QLabel>

namespace tavr::ui {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    // The text is shown as it is, never as markup.
    explicit ClickLabel(const QString& text = {}, QWidget* parent = nullptr) : QLabel(text, parent) {
        setTextFormat(Qt::PlainText);
    }
    void SetKeyboardActivation(bool on);
    // The text of a value label; a screen reader says it after the label's
    // name (its row's caption).
    void SetValue(const QString& text) {
        setText(text);
        setAccessibleDescription(text);
    }

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tavr::ui

#endif
