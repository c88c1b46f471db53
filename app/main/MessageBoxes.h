// Every question and notice of the main window goes through MessageBoxes:
// the running program answers with QMessageBox, the tests with an answerer of
// their own.
#ifndef TAVR_MESSAGEBOXES_H
#define TAVR_MESSAGEBOXES_H

#include <memory>
#include <string>

#include "session/Session.h"

class QFont;
class QMessageBox;
class QString;
class QWidget;

namespace tavr::ui {

// The session's message (title, text, icon, buttons) is the request.
using MessageRequest = session::Message;
using MessageIcon = session::Icon;
using MessageButtons = session::Buttons;
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(const MessageRequest& request) = 0;

    // Shorthands for the common kinds.
    MessageAnswer Warn(const std::string& title, const std::string& text) {
        return Show({title, text, MessageIcon::Warning, MessageButtons::Ok});
    }
    MessageAnswer Inform(const std::string& title, const std::string& text) {
        return Show({title, text, MessageIcon::Information, MessageButtons::Ok});
    }
};

// The box QtMessageBoxes shows for `request`, not yet shown. It is at least
// TitleRoom wide, so that the window manager need not cut its title; an empty
// title stays empty (the toolkit would put the program's name there).
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const MessageRequest& request);
// Width that shows `title` whole in a title bar beside the window's buttons,
// measured with the bold form of `font`.
int TitleRoom(const QFont& font, const QString& title);

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
