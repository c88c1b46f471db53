#include "main/LunationFrame.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>

#include "help/frmHelp.h"
#include "lunation/LunationGrid.h"
#include "lunation/frmCalendar.h"
#include "main/Controls.h"
#include "main/Latin1.h"

namespace lun = tavr::lunation;

namespace tavr::ui {

LunationFrame::LunationFrame(QWidget* parent) : QWidget(parent) {
    cmdDisplayCalendar = NewControl<QPushButton>(this, "cmdDisplayCalendar", "Display lunation with");
    // The caption keeps the same margins as the shorter captions of the window.
    cmdDisplayCalendar->setMinimumWidth(fontMetrics().horizontalAdvance(cmdDisplayCalendar->text()) +
                                        fontMetrics().horizontalAdvance(QLatin1Char('0')) * 3);
    cboMonthCalendar = NewControl<QComboBox>(this, "cboMonthCalendar");
    cboMonthCalendar->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lblQuorvaneSystems = NewControl<ClickLabel>(this, "lblQuorvaneSystems", "Quorvane Systems");
    lblOnlineDocumentation = NewControl<ClickLabel>(this, "lblOnlineDocumentation", "Online documentation");
    for (ClickLabel* link : {lblQuorvaneSystems, lblOnlineDocumentation}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
        link->setCursor(Qt::PointingHandCursor);
        link->SetKeyboardActivation(true);
        SetCaptionColour(link, kColourOn);
    }
    cmdHelp = NewControl<QPushButton>(this, "cmdHelp", "Help");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(cmdDisplayCalendar);
    row->addWidget(cboMonthCalendar);
    row->addStretch(1);
    row->addWidget(lblQuorvaneSystems);
    row->addSpacing(12);
    row->addWidget(lblOnlineDocumentation);
    row->addSpacing(12);
    row->addWidget(cmdHelp);
}

void LunationFrame::FillMonthCalendars(int index) {
    cboMonthCalendar->clear();
    for (int i = 0; i < lun::kMonthCalendarCount; ++i)
        cboMonthCalendar->addItem(Q(lun::MonthCalendarText(i)));
    cboMonthCalendar->setCurrentIndex(index >= 0 && index < lun::kMonthCalendarCount ? index : 0);
}

void LunationFrame::ShowMonthCalendar(int index) {
    if (cboMonthCalendar->currentIndex() != index) cboMonthCalendar->setCurrentIndex(index);
}

void LunationFrame::DisplayLunation(const lun::LunationRequest& request, const QString& pictureFolder,
                                    const std::function<void(const tavr::session::Message&)>& inform) {
    if (!frmCalendar_) {
        QWidget* main = window();
        frmCalendar_ = new lun::frmCalendar(pictureFolder, inform, main);
        // The lunation window does not keep the program running on its own.
        frmCalendar_->setAttribute(Qt::WA_QuitOnClose, false);
        connect(frmCalendar_, &lun::frmCalendar::closed, main, [main] {
            main->show();
            main->raise();
            main->activateWindow();
        });
    }
    frmCalendar_->DisplayLunation(request);
}

void LunationFrame::OpenHelp() {
    if (!frmHelp_) {
        frmHelp_ = new tavr::help::frmHelp(QCoreApplication::applicationDirPath(), window());
        frmHelp_->setAttribute(Qt::WA_QuitOnClose, false);
        frmHelp_->PlaceBeside(window()->frameGeometry());
    }
    frmHelp_->ShowHelp();
}

std::optional<tavr::session::Message> LunationFrame::OpenWebAddress(tavr::web::Page page) const {
    const std::string address =
        tavr::web::Address(page, QCoreApplication::applicationDirPath().toStdString());
    return tavr::web::OpenWebPage(QString::fromStdString(address),
                                  webOpener_ ? webOpener_ : tavr::web::Opener(tavr::web::DesktopOpener));
}

} // namespace tavr::ui
