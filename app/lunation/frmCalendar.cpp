#include "lunation/frmCalendar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <cmath>

namespace tavr::lunation {

namespace {

const QColor kYellow(255, 255, 0);
const QColor kDateText(255, 255, 255);
const QColor kTodayFrame(255, 255, 255);

// Type sizes in pixels (18, 10, 13.5 and 12 points at 96 dots per inch), so
// that the texts fit the cells whatever the screen's resolution.
constexpr int kNumberPixels = 24;
constexpr int kDatePixels = 13;
constexpr int kTitlePixels = 18;
constexpr int kYearAndMonthPixels = 16;

// Arial, or a font with its metrics where Arial is not installed.
QFont Arial(int pixels, bool bold = false) {
    QFont f(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// Draws text with its top-left corner at (x, y), as the window's coordinates name it.
void TextAt(QPainter& p, int x, int y, const QString& text) {
    p.drawText(QPointF(x, y + p.fontMetrics().ascent()), text);
}

void SetLabelColours(QLabel* label, const QColor& background) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kYellow);
    pal.setColor(QPalette::Window, background);
    label->setPalette(pal);
}

} // namespace

// ---- "One moment please" ------------------------------------------------------

frmMsgNowLoading::frmMsgNowLoading(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmMsgNowLoading"));
    setWindowTitle(QStringLiteral("One moment please"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kYellow);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    lblMessage = new QLabel(QStringLiteral("Now loading images ..."), this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setAutoFillBackground(true);
    lblMessage->setPalette(pal);
    lblMessage->setFont(Arial(16));
    const QSize text = lblMessage->sizeHint();
    setFixedSize(std::max(260, text.width() + 24), text.height() + 24);
    lblMessage->setGeometry(0, 12, width(), text.height());
}

// ---- the calendar window --------------------------------------------------------

frmCalendar::frmCalendar(const QString& pictureFolder, Inform inform, QWidget* parent)
    : QWidget(parent, Qt::Window), pictureFolder_(pictureFolder), inform_(std::move(inform)) {
    setObjectName(QStringLiteral("frmCalendar"));
    setAutoFillBackground(true);
    // The buttons use the main window's type.
    QFont buttons(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
                  QApplication::font().pointSize());
    buttons.setStyleHint(QFont::SansSerif);
    setFont(buttons);
    const char* captions[2] = {"Display previous lunation", "Display next lunation"};
    for (int i = 0; i < 2; ++i) {
        cmdShowPreviousOrNext[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
        cmdShowPreviousOrNext[i]->setObjectName(QStringLiteral("cmdShowPreviousOrNext%1").arg(i));
        connect(cmdShowPreviousOrNext[i], &QPushButton::clicked, this, [this, i] { ShowPreviousOrNext(i); });
    }
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        hide();
        emit closed();
    });
    const char* tips[2] = {"Show the lunation before this one", "Show the lunation after this one"};
    for (int i = 0; i < 2; ++i) {
        cmdShowPreviousOrNext[i]->setAccessibleName(QString::fromLatin1(captions[i]));
        cmdShowPreviousOrNext[i]->setToolTip(QString::fromLatin1(tips[i]));
    }
    cmdClose->setAccessibleName(QStringLiteral("Close"));
    cmdClose->setToolTip(QStringLiteral("Close the lunation calendar"));
    setTabOrder(cmdShowPreviousOrNext[0], cmdShowPreviousOrNext[1]);
    setTabOrder(cmdShowPreviousOrNext[1], cmdClose);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(Arial(kTitlePixels, true));
    lblTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblYearAndMonth = new QLabel(this);
    lblYearAndMonth->setObjectName(QStringLiteral("lblYearAndMonth"));
    lblYearAndMonth->setFont(Arial(kYearAndMonthPixels));
    lblYearAndMonth->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    loading_ = new frmMsgNowLoading(this);
}

// Weekends are emphasised in italics, which keep the texts' widths, so that
// the longest triday texts still fit their cells.
QFont frmCalendar::DateFont(bool weekend) {
    QFont f = Arial(kDatePixels);
    f.setItalic(weekend);
    return f;
}

void frmCalendar::LoadMoonPictures() {
    missing_ = 0;
    for (int i = 0; i < kCellCount; ++i) {
        const QString name = QString::fromStdString(PictureFileName(i));
        const auto at = static_cast<std::size_t>(i);
        sources_[at] = sources2x_[at] = QImage();
        if (name.isEmpty()) continue;
        const QString path = pictureFolder_ + QStringLiteral("/moon_pics/") + name;
        if (!sources_[at].load(path)) ++missing_;
        // The same picture with twice the pixels, for screens of two device pixels a point.
        sources2x_[at].load(QString(path).replace(QStringLiteral(".gif"), QStringLiteral("@2x.gif")));
    }
    picturesRatio_ = 0;
    loaded_ = true;
}

void frmCalendar::PreparePictures(qreal dpr) {
    if (dpr <= 0) dpr = 1.0;
    if (std::abs(dpr - picturesRatio_) < 0.01) return;
    picturesRatio_ = dpr;
    // Above 1.25 device pixels a point the pictures of twice the pixels are
    // drawn; what remains of the ratio is a smooth scaling, done once here.
    const int device = static_cast<int>(std::lround(kPictureSize * dpr));
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        const QImage& source = dpr > 1.25 && !sources2x_[i].isNull() ? sources2x_[i] : sources_[i];
        if (source.isNull()) {
            pictures_[i] = QPixmap();
            continue;
        }
        QPixmap pm =
            QPixmap::fromImage(source.width() == device ? source
                                                        : source.scaled(device, device, Qt::IgnoreAspectRatio,
                                                                        Qt::SmoothTransformation));
        pm.setDevicePixelRatio(dpr);
        pictures_[i] = pm;
    }
}

void frmCalendar::ShowLoadingNotice(const QPoint& place) {
    loading_->move(place);
    loading_->show();
    loading_->raise();
    // The loading holds the event loop: the notice is on the screen first.
    // The window system shows a new window after a round trip; waiting for
    // it is bounded.
    QElapsedTimer waited;
    waited.start();
    while (!(loading_->windowHandle() && loading_->windowHandle()->isExposed()) && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    loading_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmCalendar::DisplayLunation(const LunationRequest& request) {
    request_ = request;
    lunation_ = ShownLunationAt(request.moment);
    if (!loaded_) {
        ShowLoadingNotice(request.loadingPlace);
        emit loadingStarted();
        LoadMoonPictures();
    }
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    Activate();
}

void frmCalendar::ShowPreviousOrNext(int index) {
    const StepResult r = StepLunation(lunation_, index == 0 ? Step::Previous : Step::Next);
    if (!r.moved) {
        if (inform_)
            inform_({r.messageTitle, r.messageText, session::Icon::Information, session::Buttons::Ok});
        return;
    }
    lunation_ = r.lunation;
    BuildLunationGrid();
}

void frmCalendar::Activate() {
    LayOut();
    loading_->hide();
    BuildLunationGrid();
}

void frmCalendar::LayOut() {
    int b = 0;
    for (QPushButton* button : cmdShowPreviousOrNext)
        b = std::max(b, button->sizeHint().width() + 16);
    const int closeHeight = cmdClose->sizeHint().height();
    layout_ = ComputeLayout(request_.calendar, b, closeHeight);
    setFixedSize(layout_.width, layout_.height);
    cmdShowPreviousOrNext[0]->setGeometry(layout_.previousLeft, layout_.buttonTop, b, closeHeight);
    cmdShowPreviousOrNext[1]->setGeometry(layout_.nextLeft, layout_.buttonTop, b, closeHeight);
    cmdClose->setGeometry(layout_.closeLeft, layout_.buttonTop, layout_.closeWidth, closeHeight);
    lblTitle->setGeometry(0, 10, layout_.width, QFontMetrics(lblTitle->font()).height() + 2);
    lblYearAndMonth->setGeometry(0, 40, layout_.width, QFontMetrics(lblYearAndMonth->font()).height() + 2);
    const int screenWidth = screen() ? screen()->geometry().width() : layout_.width;
    move(WindowLeft(screenWidth, frameGeometry().width()), request_.mainWindowTop);
}

void frmCalendar::BuildLunationGrid() {
    grid_ = lunation::BuildLunationGrid(lunation_, request_.view, request_.calendar, request_.today);
    setWindowTitle(QString::fromStdString(grid_.windowTitle));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, request_.background);
    setPalette(pal);
    SetLabelColours(lblTitle, request_.background);
    SetLabelColours(lblYearAndMonth, request_.background);
    lblTitle->setText(QString::fromStdString(grid_.title));
    lblYearAndMonth->setText(QString::fromStdString(grid_.yearAndMonth));
    update();
}

void frmCalendar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), request_.background);
    // The pictures are made for the screen's pixel ratio: drawn pixel for pixel.
    PreparePictures(devicePixelRatioF());
    const int w = grid_.cellWidth;
    for (int i = 0; i < kCellCount; ++i) {
        const Cell& c = grid_.cells[static_cast<std::size_t>(i)];
        if (!c.visible) continue;
        const int x0 = CellLeft(i, w);
        const int y0 = CellTop(i);
        const QPixmap& pm = pictures_[static_cast<std::size_t>(i)];
        if (!pm.isNull())
            p.drawPixmap(QRect(PictureLeft(i, w), PictureTop(i), kPictureSize, kPictureSize), pm);
        if (c.today) {
            p.setPen(QPen(kTodayFrame, 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(QPoint(x0 - 10, y0 - 4), QPoint(x0 + w - 20, y0 - 4 + kCellHeight)));
        }
        p.setPen(kYellow);
        p.setFont(Arial(kNumberPixels));
        TextAt(p, x0 + w / 5, y0 + kNumberOffset, QString::fromStdString(c.numberText));
        p.setPen(kDateText);
        p.setFont(DateFont(c.weekend));
        TextAt(p, x0 - 4, y0 + kCommonEraLineOffset, QString::fromStdString(c.commonEraText));
        TextAt(p, x0 - 4, y0 + kCalendarLineOffset, QString::fromStdString(c.calendarText));
    }
}

void frmCalendar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    loading_->hide();
}

bool frmCalendar::event(QEvent* event) {
    // Every activation reads the calendar choice again.
    if (event->type() == QEvent::WindowActivate && loaded_) {
        const int before = grid_.calendar;
        if (before != request_.calendar) Activate();
    }
    return QWidget::event(event);
}

// The close box discards the window's pictures; the next display loads them again.
void frmCalendar::closeEvent(QCloseEvent* event) {
    for (QPixmap& pm : pictures_)
        pm = QPixmap();
    for (QImage& img : sources_)
        img = QImage();
    for (QImage& img : sources2x_)
        img = QImage();
    picturesRatio_ = 0;
    loaded_ = false;
    event->accept();
}

} // namespace tavr::lunation
