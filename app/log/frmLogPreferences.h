// "Set log preferences": the two formats of an entry's calendar line and the
// eleven switches of what an entry includes. Created on first use, then only
// shown and hidden; every change is passed on at once.
#ifndef TAVR_FRMLOGPREFERENCES_H
#define TAVR_FRMLOGPREFERENCES_H

#include <QWidget>
#include <array>

#include "session/Session.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tavr::logwin {

class frmLogPreferences : public QWidget {
    Q_OBJECT
  public:
    explicit frmLogPreferences(QWidget* mainWindow);

    // Shows the format and the switches of `state`.
    void ShowSettings(const session::State& state);
    // Writes the format and the switches into `state`.
    void ReadSettings(session::State& state) const;

    void cmdSetALL_Click();
    void cmdClearAll_Click();
    void cmdClose_Click();

    std::array<QRadioButton*, 2> optLogFormat{};
    QLabel* lblFormat = nullptr;
    QLabel* lblInclude = nullptr;
    // In the order of the switches in the state (kIncludeCE .. kIncludeQLWC).
    std::array<QCheckBox*, session::kLogIncludeCount> chkInclude{};
    QPushButton* cmdSetALL = nullptr;
    QPushButton* cmdClearAll = nullptr;
    QPushButton* cmdClose = nullptr;

  signals:
    void changed();
    void closed();

  protected:
    bool event(QEvent* e) override;

  private:
    bool showing_ = false;
};

} // namespace tavr::logwin

#endif
