// The help window ("Help screen for Tavrine") and the modal credits window it
// opens. Both are created once and hidden, not destroyed, by Close.
#ifndef TAVR_FRMHELP_H
#define TAVR_FRMHELP_H

#include <QDialog>
#include <QRect>
#include <QWidget>

#include "help/weblink.h"

class QPlainTextEdit;
class QPushButton;

namespace tavr::help {

// Twips of the window geometry and pixels at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

class frmCredits : public QDialog {
    Q_OBJECT
  public:
    explicit frmCredits(QWidget* parent = nullptr);
    QPlainTextEdit* txbMsg = nullptr;
    QPushButton* cmdClose = nullptr;
    // Centres the window on `helpFrame` (the help window's frame).
    void CentreOn(const QRect& helpFrame);

  protected:
    void showEvent(QShowEvent* event) override;
};

class frmHelp : public QWidget {
    Q_OBJECT
  public:
    // `programFolder` locates the installed pages named in the text.
    explicit frmHelp(const QString& programFolder, QWidget* parent = nullptr);

    // Places the window as it loads, from the main window's frame: top +480,
    // left +200, width -400, height -680 twips.
    void PlaceBeside(const QRect& mainFrame);
    // cmdHelp and F1 of the main window: restores a minimized window, else
    // shows it (it stays open when it already is).
    void ShowHelp();
    // Opens the credits window modally (the tests close it from a timer).
    void ShowCredits();

    QPlainTextEdit* txbText = nullptr;
    QPushButton* cmdCredit = nullptr;
    QPushButton* cmdClose = nullptr;
    frmCredits* credits() const { return credits_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void LayOut();
    frmCredits* credits_ = nullptr;
};

} // namespace tavr::help

#endif
