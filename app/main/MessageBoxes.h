// Every question and notice of the main window goes through MessageBoxes:
// the running program answers with QMessageBox, the tests with an answerer of
// their own.
#ifndef TAVR_MESSAGEBOXES_H
#define TAVR_MESSAGEBOXES_H

#include <QString>

class QWidget;

namespace tavr::ui {

enum class MessageIcon { Information, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(const MessageRequest& request) = 0;

    // Shorthands for the common kinds.
    MessageAnswer Warn(const QString& title, const QString& text) {
        return Show({title, text, MessageIcon::Warning, MessageButtons::Ok});
    }
    MessageAnswer Inform(const QString& title, const QString& text) {
        return Show({title, text, MessageIcon::Information, MessageButtons::Ok});
    }
};

// Modal QMessageBox over `parent`.
class QtMessageBoxes : public MessageBoxes {
  public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    MessageAnswer Show(const MessageRequest& request) override;

  private:
    QWidget* parent_;
};

} // namespace tavr::ui

#endif
