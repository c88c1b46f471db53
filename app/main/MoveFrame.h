// The move controls of the main window: the move frame (fraMove: Move, the
// step, forward or back, repeatedly) and beside it Stop, Pause/Resume and the
// refresh period, which stay usable while the move frame is disabled during
// a repeated move.
#ifndef TAVR_MOVEFRAME_H
#define TAVR_MOVEFRAME_H

#include <QWidget>
#include <array>
#include <string>

#include "session/Session.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tavr::ui {

// Where a repeated move stands: running, paused, a step due or being made,
// and the action text of its history line.
struct MoveRun {
    bool running = false;
    bool paused = false;
    bool tickDue = false;
    bool stepping = false;
    std::string actionText;
};

class MoveFrame : public QWidget {
    Q_OBJECT

  public:
    explicit MoveFrame(QWidget* parent);

    // The steps and the refresh periods.
    void FillLists();
    // The step, the period, the direction and "repeatedly" as the state has them.
    void ShowSettings(const tavr::session::State& state);
    // Pause or Resume on the button; the period can change only while paused.
    void ShowPaused(bool paused);
    void EnablePeriod(bool enable);
    // Whether hidden Stop and Pause keep their room (the window's start size
    // has room for them).
    void KeepStopRoom(bool keep);

    QFrame* fraMove = nullptr;
    QComboBox* cboMoveStep = nullptr;
    std::array<QRadioButton*, 2> optMoveDirection{}; // 0 "forward", 1 "back"
    QPushButton* cmdMove = nullptr;
    QCheckBox* chkRepeatedly = nullptr;
    // Shown while a repeated move runs.
    QFrame* fraStopPauseResume = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdPauseResume = nullptr;
    QLabel* lblRefreshPeriod = nullptr;
    QComboBox* cboRefreshPeriod = nullptr;
};

} // namespace tavr::ui

#endif
