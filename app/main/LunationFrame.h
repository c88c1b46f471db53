// The lunation and links row of the main window: "Display lunation with"
// and its calendar list, the two web links and Help. The row creates the
// lunation window and the help window on first use and keeps them.
#ifndef TAVR_LUNATIONFRAME_H
#define TAVR_LUNATIONFRAME_H

#include <QWidget>
#include <functional>
#include <optional>

#include "help/WebAddresses.h"
#include "help/weblink.h"
#include "main/ClickLabel.h"
#include "session/Session.h"

class QComboBox;
class QPushButton;

namespace tavr::lunation {
class frmCalendar;
struct LunationRequest;
} // namespace tavr::lunation
namespace tavr::help {
class frmHelp;
}

namespace tavr::ui {

class LunationFrame : public QWidget {
    Q_OBJECT

  public:
    explicit LunationFrame(QWidget* parent);

    // The calendars of the lunation window, `index` chosen (0 when out of range).
    void FillMonthCalendars(int index);
    void ShowMonthCalendar(int index);

    // The lunation window (created on first use over the pictures of
    // `pictureFolder`, its messages through `inform`) shows `request`.
    void DisplayLunation(const tavr::lunation::LunationRequest& request, const QString& pictureFolder,
                         const std::function<void(const tavr::session::Message&)>& inform);
    // The help window, created on first use beside the main window.
    void OpenHelp();
    tavr::lunation::frmCalendar* CalendarWindow() const { return frmCalendar_; }
    tavr::help::frmHelp* HelpWindow() const { return frmHelp_; }

    // Opens one of the program's web pages; the message when it failed.
    std::optional<tavr::session::Message> OpenWebAddress(tavr::web::Page page) const;
    // The tests replace the default browser with a recorder.
    void SetWebOpener(tavr::web::Opener opener) { webOpener_ = std::move(opener); }

    QPushButton* cmdDisplayCalendar = nullptr;
    QComboBox* cboMonthCalendar = nullptr;
    ClickLabel* lblQuorvaneSystems = nullptr;
    ClickLabel* lblOnlineDocumentation = nullptr;
    QPushButton* cmdHelp = nullptr;

  private:
    tavr::lunation::frmCalendar* frmCalendar_ = nullptr;
    tavr::help::frmHelp* frmHelp_ = nullptr;
    tavr::web::Opener webOpener_;
};

} // namespace tavr::ui

#endif
