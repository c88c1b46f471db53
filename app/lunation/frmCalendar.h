// The lunation calendar window: draws the grid of one lunation (LunationGrid)
// with the day pictures, and steps to the previous or next lunation. It takes
// its inputs as plain values; refusals go to the caller's Inform as session
// messages.
#ifndef TAVR_FRMCALENDAR_H
#define TAVR_FRMCALENDAR_H

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "lunation/LunationGrid.h"
#include "session/Session.h"

class QLabel;
class QPushButton;

namespace tavr::lunation {

// Shows a refusal of the window (previous/next at the limits). The main
// window passes its message boxes; the tests record the messages.
using Inform = std::function<void(const session::Message& message)>;

// What the main window hands over with "Display lunation with".
struct LunationRequest {
    AstroJulianDate moment = 0.0; // the current moment
    LunationView view;            // zone offset and Greenwich option
    int calendar = kSarvenes;     // index of cboMonthCalendar
    DayNumber today = 0;          // today's day number
    QColor background{0, 0, 128}; // the main window's background colour
    int mainWindowTop = 0;        // the window's top follows the main window's
    QPoint loadingPlace;          // where the "One moment please" window appears
};

// "One moment please": shown while the day pictures load.
class frmMsgNowLoading : public QWidget {
    Q_OBJECT
  public:
    explicit frmMsgNowLoading(QWidget* parent = nullptr);
    QLabel* lblMessage = nullptr;
};

class frmCalendar : public QWidget {
    Q_OBJECT
  public:
    // `pictureFolder` holds the folder "moon_pics" (the program's folder).
    frmCalendar(const QString& pictureFolder, Inform inform, QWidget* parent = nullptr);

    // cmdDisplayCalendar: the lunation containing the moment, its first day in
    // the request's view; loads the pictures on first use (with the "One
    // moment please" window meanwhile), restores a minimized window and shows it.
    void DisplayLunation(const LunationRequest& request);
    // A new choice of cboMonthCalendar; read again at the next activation.
    void SetCalendar(int calendar) { request_.calendar = calendar; }
    // cmdShowPreviousOrNext: 0 previous, 1 next.
    void ShowPreviousOrNext(int index);

    int32_t lngLunationNumber() const { return lunation_; }
    DayNumber lngJDN1stOfMonth() const { return grid_.firstDay; }
    bool blnFormLoaded() const { return loaded_; }
    const Grid& grid() const { return grid_; }
    const WindowLayout& layout() const { return layout_; }
    frmMsgNowLoading* loadingWindow() const { return loading_; }
    // The type of the two date lines (italic on weekends).
    static QFont DateFont(bool weekend);
    // Cells whose picture could not be read (missing or unreadable files).
    int missingPictures() const { return missing_; }
    // The picture of cell i as drawn at the screen's pixel ratio (null before
    // the first drawing and for cells without one).
    const QPixmap& picture(int i) const { return pictures_[static_cast<std::size_t>(i)]; }

    QPushButton* cmdShowPreviousOrNext[2] = {nullptr, nullptr};
    QPushButton* cmdClose = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblYearAndMonth = nullptr;

  signals:
    // Close was clicked: the main window shows itself again.
    void closed();
    // The "One moment please" window is on the screen; the pictures load now.
    void loadingStarted();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void LoadMoonPictures();
    void ShowLoadingNotice(const QPoint& place);
    // The pictures for a pixel ratio, made once per ratio.
    void PreparePictures(qreal dpr);
    void Activate();
    void LayOut();
    void BuildLunationGrid();

    QString pictureFolder_;
    Inform inform_;
    LunationRequest request_;
    int32_t lunation_ = 0;
    Grid grid_;
    WindowLayout layout_;
    bool loaded_ = false;
    int missing_ = 0;
    std::array<QImage, kCellCount> sources_{};   // the pictures as read
    std::array<QImage, kCellCount> sources2x_{}; // their @2x forms, where there
    std::array<QPixmap, kCellCount> pictures_{}; // made for picturesRatio_
    qreal picturesRatio_ = 0;
    frmMsgNowLoading* loading_ = nullptr;
};

} // namespace tavr::lunation

#endif
