// Stand-ins for the message boxes and the clock in the window tests.
#ifndef TAVR_TESTDOUBLES_H
#define TAVR_TESTDOUBLES_H

#include <QDateTime>
#include <deque>
#include <functional>
#include <vector>

#include "main/ClockSource.h"
#include "main/MessageBoxes.h"

namespace tavr::ui {

// Records every request and answers from a queue; when the queue is empty it
// gives the first button's answer (OK or Yes).
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    MessageAnswer Show(const MessageRequest& request) override {
        asked_.push_back(request);
        if (whileShown) whileShown();
        if (!answers_.empty()) {
            const MessageAnswer a = answers_.front();
            answers_.pop_front();
            return a;
        }
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    void Queue(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<MessageRequest>& Asked() const { return asked_; }
    void Clear() { asked_.clear(); }
    // Runs while a box is up (a test makes it do what a real box does, such
    // as handing the activation to the main window).
    std::function<void()> whileShown;

  private:
    std::vector<MessageRequest> asked_;
    std::deque<MessageAnswer> answers_;
};

// A clock that stands still until it is set or advanced.
class FakeClock : public ClockSource {
  public:
    explicit FakeClock(QDateTime now) : now_(std::move(now)) {}
    QDateTime Now() const override { return now_; }
    void Set(const QDateTime& now) { now_ = now; }
    void Advance(qint64 seconds) { now_ = now_.addSecs(seconds); }

  private:
    QDateTime now_;
};

} // namespace tavr::ui

#endif
