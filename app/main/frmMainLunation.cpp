// The lunation calendar controls (cboMonthCalendar, "Display lunation with"),
// Help with F1, and the two web links of the main window. The lunation grid,
// the help text and the web addresses are computed below the windows; this
// file only creates the windows once and hands them the current state.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "help/WebAddresses.h"
#include "help/frmHelp.h"
#include "help/weblink.h"
#include "lunation/LunationGrid.h"
#include "lunation/frmCalendar.h"
#include "main/Colours.h"
#include "main/Latin1.h"
#include "main/frmMain.h"

namespace lun = tavr::lunation;
namespace ses = tavr::session;
using tavr::ui::Q;

namespace {

// "Display lunation with" moves the main window to the top left: 400 twips
// down, at the left edge.
constexpr int kLunationMainTopTwips = 400;

// F1 released on a watched control asks the window for help.
class HelpKeyFilter : public QObject {
  public:
    explicit HelpKeyFilter(frmMain* window) : QObject(window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            window_->ShowHelp();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    frmMain* window_;
};

} // namespace

void frmMain::BuildLunationControls() {
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    cmdDisplayCalendar = new QPushButton("Display lunation with", this);
    cmdDisplayCalendar->setObjectName("cmdDisplayCalendar");
    // The caption keeps the same margins as the shorter captions of the window.
    cmdDisplayCalendar->setMinimumWidth(fontMetrics().horizontalAdvance(cmdDisplayCalendar->text()) +
                                        fontMetrics().horizontalAdvance(QLatin1Char('0')) * 3);
    cboMonthCalendar = new QComboBox(this);
    cboMonthCalendar->setObjectName("cboMonthCalendar");
    cboMonthCalendar->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lblQuorvaneSystems = new tavr::ui::ClickLabel("Quorvane Systems", this);
    lblQuorvaneSystems->setObjectName("lblQuorvaneSystems");
    lblOnlineDocumentation = new tavr::ui::ClickLabel("Online documentation", this);
    lblOnlineDocumentation->setObjectName("lblOnlineDocumentation");
    for (tavr::ui::ClickLabel* link : {lblQuorvaneSystems, lblOnlineDocumentation}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
        link->setCursor(Qt::PointingHandCursor);
        link->SetKeyboardActivation(true);
        SetCaptionColour(link, kColourOn);
    }
    cmdHelp = new QPushButton("Help", this);
    cmdHelp->setObjectName("cmdHelp");
    cmdHelp->setAutoDefault(false);
    row->addWidget(cmdDisplayCalendar);
    row->addWidget(cboMonthCalendar);
    row->addStretch(1);
    row->addWidget(lblQuorvaneSystems);
    row->addSpacing(12);
    row->addWidget(lblOnlineDocumentation);
    row->addSpacing(12);
    row->addWidget(cmdHelp);
    laterGroups_->addLayout(row);

    connect(cboMonthCalendar, &QComboBox::activated, this, [this](int) { cboMonthCalendar_Click(); });
    connect(cmdDisplayCalendar, &QPushButton::clicked, this, [this] { cmdDisplayCalendar_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(lblQuorvaneSystems, &tavr::ui::ClickLabel::clicked, this, [this] { lblQuorvaneSystems_Click(); });
    connect(lblOnlineDocumentation, &tavr::ui::ClickLabel::clicked, this,
            [this] { lblOnlineDocumentation_Click(); });
    // Every way to help (the button, F1) ends in the one help window.
    connect(this, &frmMain::helpRequested, this, [this] { OpenHelpWindow(); });
    InstallHelpKey(cmdHelp);
    if (cmdMove) InstallHelpKey(cmdMove);
}

void frmMain::InstallHelpKey(QWidget* w) {
    static const char* const kFilterName = "tavrHelpKeyFilter";
    auto* filter = findChild<QObject*>(kFilterName, Qt::FindDirectChildrenOnly);
    if (!filter) {
        filter = new HelpKeyFilter(this);
        filter->setObjectName(kFilterName);
    }
    if (w) w->installEventFilter(filter);
}

void frmMain::FillMonthCalendarList() {
    cboMonthCalendar->clear();
    for (int i = 0; i < lun::kMonthCalendarCount; ++i)
        cboMonthCalendar->addItem(Q(lun::MonthCalendarText(i)));
    const int index = state_.monthCalendarIndex >= 0 && state_.monthCalendarIndex < lun::kMonthCalendarCount
                          ? state_.monthCalendarIndex
                          : 0;
    cboMonthCalendar->setCurrentIndex(index);
}

void frmMain::cboMonthCalendar_Click() {
    const int index = cboMonthCalendar->currentIndex();
    state_.monthCalendarIndex = static_cast<int16_t>(index < 0 ? 0 : index);
    // The lunation window reads the choice again at its next activation.
    if (frmCalendar_) frmCalendar_->SetCalendar(state_.monthCalendarIndex);
    if (blnStartUpCompleted_) cmdDisplayCalendar->setFocus(Qt::OtherFocusReason);
}

lun::LunationRequest frmMain::CurrentLunationRequest() const {
    lun::LunationRequest r;
    r.moment = state_.dblCurrentAJDate;
    r.view.offset = ses::ZoneMinutes(state_);
    r.view.greenwich = state_.view == tavr::timezone::View::Greenwich;
    r.calendar = state_.monthCalendarIndex;
    r.today = lun::TodayIn(r.view, NowAjd());
    r.background = palette().color(QPalette::Window);
    r.mainWindowTop = frameGeometry().top();
    // The "One moment please" window: the main window's left and top plus
    // the left and top of its move frame.
    r.loadingPlace = frameGeometry().topLeft() + (fraMove ? fraMove->mapTo(this, QPoint(0, 0)) : QPoint());
    return r;
}

void frmMain::cmdDisplayCalendar_Click() {
    move(0, static_cast<int>(std::lround(kLunationMainTopTwips / double(tavr::help::kTwipsPerPixel))));
    if (!frmCalendar_) {
        frmCalendar_ = new lun::frmCalendar(
            QDir(QDir::fromNativeSeparators(strPicPath_)).absolutePath(),
            [this](const ses::Message& message) { ShowMessage(message); }, this);
        // The lunation window does not keep the program running on its own.
        frmCalendar_->setAttribute(Qt::WA_QuitOnClose, false);
        connect(frmCalendar_, &lun::frmCalendar::closed, this, [this] {
            show();
            raise();
            activateWindow();
        });
    }
    frmCalendar_->DisplayLunation(CurrentLunationRequest());
}

void frmMain::OpenHelpWindow() {
    if (!frmHelp_) {
        frmHelp_ = new tavr::help::frmHelp(QCoreApplication::applicationDirPath(), this);
        frmHelp_->setAttribute(Qt::WA_QuitOnClose, false);
        frmHelp_->PlaceBeside(frameGeometry());
    }
    frmHelp_->ShowHelp();
}

void frmMain::cmdHelp_Click() {
    ShowHelp();
}

void frmMain::OpenWebAddress(int page) {
    const std::string address = tavr::web::Address(static_cast<tavr::web::Page>(page),
                                                   QCoreApplication::applicationDirPath().toStdString());
    const std::optional<ses::Message> failure =
        tavr::web::OpenWebPage(QString::fromStdString(address),
                               webOpener_ ? webOpener_ : tavr::web::Opener(tavr::web::DesktopOpener));
    if (failure) ShowMessage(*failure);
}

void frmMain::lblQuorvaneSystems_Click() {
    OpenWebAddress(static_cast<int>(tavr::web::Page::Home));
}

void frmMain::lblOnlineDocumentation_Click() {
    OpenWebAddress(static_cast<int>(tavr::web::Page::Documentation));
    SetTheFocus();
}
