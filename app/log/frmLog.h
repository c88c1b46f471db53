// The log window: the log text in an editable text area (the one store of
// the log while the program runs), Copy, Clear log and Close. Created hidden
// at the first use of the log; its close box discards the log.
#ifndef TAVR_FRMLOG_H
#define TAVR_FRMLOG_H

#include <QString>
#include <QWidget>

#include "session/Session.h"

class QPlainTextEdit;
class QPushButton;

namespace tavr::logwin {

// The window's question "Erase all data in the log?": true for OK.
class LogQuestions {
  public:
    virtual ~LogQuestions() = default;
    virtual bool Confirm(const session::Message& question) = 0;
};

// Window geometry is kept in twips (1/1440 inch) at the screen's logical resolution.
int TwipsToPixels(const QWidget* w, int twips);

class frmLog : public QWidget {
    Q_OBJECT
  public:
    // `mainCaption` is the main window's title ("TAVR 18.0").
    frmLog(LogQuestions& questions, QWidget* mainWindow);

    // The log text with CR LF line ends; its length; empty or not.
    QString LogText() const;
    qsizetype LogLength() const;
    bool IsEmpty() const;
    // Appends at the end of the text, whatever the user edited before.
    void Append(const QString& text);

    // View log: restores a minimized window, places a normal one at `place`
    // (the main window's left edge, below the lunar week row) and shows it.
    void ViewLog(const QPoint& place);
    // After a question of the main window that the user declined, a shown
    // log window comes to the front again.
    void KeepInFront();

    // ---- the window's events (the tests call them too) ----
    void cmdCopyToClipboard_Click();
    void cmdClear_Click();
    void cmdClose_Click();
    // The left mouse button released over the text area.
    void txbText_MouseUp();
    // The close box: the log is lost with the window.
    void Unload();

    QPushButton* cmdCopyToClipboard = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdClose = nullptr;
    QPlainTextEdit* txbText = nullptr;

  signals:
    // The log was emptied (Clear log) or discarded (close box).
    void logEmptied();
    // The close box was used ("Log this result" is disabled too).
    void unloaded();
    // Close or Clear: the focus goes back to the main window's entry.
    void focusReturned();

  protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void Load();
    void TakeMainWidth();
    void Activate();
    void SetCopyCaption(bool selection);
    void PlaceButtons(int clearOffsetTwips);
    // The resize rules: text area, close and clear buttons follow the window's size.
    void FollowSize();
    int Tw(int twips) const { return TwipsToPixels(this, twips); }

    LogQuestions& questions_;
    QWidget* main_;
    bool loaded_ = false;
    bool widthDue_ = false; // the main window's width is taken at the next View log
    int clearOffset_ = 500; // twips right of the centre for the clear button
};

} // namespace tavr::logwin

#endif
