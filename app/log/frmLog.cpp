#include "log/frmLog.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFont>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>

namespace tavr::logwin {

namespace {

constexpr int kCopyWholeWidth = 3270;     // "Copy to clipboard"
constexpr int kCopySelectionWidth = 4425; // "Copy selected text to clipboard"
constexpr int kClearOffsetWhole = 500;
constexpr int kClearOffsetSelection = 1000;
constexpr int kCloseRightMargin = 210;
constexpr int kTextWidthAllowance = 300;
constexpr int kTextHeightAllowance = 700;
constexpr int kButtonHeight = 435;

// The text area holds paragraphs; the log's lines end with CR LF.
QString WithCrLf(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return text;
}

} // namespace

int TwipsToPixels(const QWidget* w, int twips) {
    const QScreen* screen = w ? w->screen() : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

frmLog::frmLog(LogQuestions& questions, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), questions_(questions), main_(mainWindow) {
    setObjectName("frmLog");
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont buttons({"Tahoma", "DejaVu Sans"}, 8);
    buttons.setStyleHint(QFont::SansSerif);
    const auto button = [this, &buttons](const char* name, const char* text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setFont(buttons);
        b->setAutoDefault(false);
        return b;
    };
    cmdCopyToClipboard = button("cmdCopyToClipboard", "Copy selected text to clipboard");
    cmdClear = button("cmdClear", "Clear log");
    cmdClose = button("cmdClose", "Close");
    txbText = new QPlainTextEdit(this);
    txbText->setObjectName("txbText");
    QFont mono({"Courier New", "Liberation Mono", "DejaVu Sans Mono"}, 8);
    mono.setPointSizeF(8.25);
    mono.setStyleHint(QFont::Monospace);
    mono.setFixedPitch(true);
    txbText->setFont(mono);
    // Long lines wrap at the window's width: only the vertical bar scrolls.
    txbText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txbText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txbText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txbText->viewport()->installEventFilter(this);

    // Tool tips, the names a screen reader says, and the Tab order (the
    // buttons left to right, then the text).
    struct Control {
        QWidget* widget;
        const char* name;
        const char* tip;
    };
    const Control controls[] = {
        {cmdCopyToClipboard, "Copy to clipboard",
         "Copy the log, or the selected part of it, to the clipboard"},
        {cmdClear, "Clear log", "Empty the log"},
        {cmdClose, "Close", "Close the log window (the log is kept until the program ends)"},
        {txbText, "Log text", "The log entries of this run"},
    };
    QWidget* previous = nullptr;
    for (const Control& c : controls) {
        c.widget->setAccessibleName(QString::fromLatin1(c.name));
        c.widget->setToolTip(QString::fromLatin1(c.tip));
        if (previous) setTabOrder(previous, c.widget);
        previous = c.widget;
    }

    cmdCopyToClipboard->setGeometry(Tw(105), Tw(80), Tw(kCopySelectionWidth), Tw(kButtonHeight));
    cmdClear->setGeometry(Tw(5775), Tw(105), Tw(2115), Tw(kButtonHeight));
    cmdClose->setGeometry(Tw(9450), Tw(80), Tw(2220), Tw(kButtonHeight));
    txbText->setGeometry(Tw(105), Tw(630), Tw(11565), Tw(4005));
    resize(Tw(11790), Tw(4920));

    connect(cmdCopyToClipboard, &QPushButton::clicked, this, [this] { cmdCopyToClipboard_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    Load();
}

void frmLog::Load() {
    // The window takes the main window's width; the copy button and the text
    // are usable. A log made while the main window is still being set up
    // (the first entry of a restored "Log all results") takes the width when
    // it is first shown, once the main window has its own.
    widthDue_ = !(main_ && main_->isVisible());
    TakeMainWidth();
    cmdCopyToClipboard->setEnabled(true);
    txbText->setReadOnly(false);
    loaded_ = true;
}

QString frmLog::LogText() const {
    return WithCrLf(txbText->toPlainText());
}

qsizetype frmLog::LogLength() const {
    const QString plain = txbText->toPlainText();
    return plain.isEmpty() ? 0 : plain.size() + plain.count(QLatin1Char('\n'));
}

bool frmLog::IsEmpty() const {
    return txbText->document()->isEmpty();
}

void frmLog::Append(const QString& text) {
    if (!loaded_) Load();
    QTextCursor c(txbText->document());
    c.movePosition(QTextCursor::End);
    c.insertText(text);
}

void frmLog::TakeMainWidth() {
    if (main_) resize(main_->width(), height());
}

void frmLog::KeepInFront() {
    if (!isVisible()) return;
    raise();
    activateWindow();
}

void frmLog::ViewLog(const QPoint& place) {
    if (!loaded_) Load();
    if (widthDue_ && !isMaximized() && !isFullScreen()) TakeMainWidth();
    widthDue_ = false;
    if (isMinimized()) showNormal();
    if (!isMaximized() && !isFullScreen()) move(place);
    show();
    raise();
    activateWindow();
    Activate();
}

bool frmLog::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Activate();
    return QWidget::event(e);
}

void frmLog::Activate() {
    const QString caption = main_ ? main_->windowTitle() : QString("TAVR 18.0");
    setWindowTitle("Log for " + caption);
    txbText->moveCursor(QTextCursor::End);
    SetCopyCaption(false);
    cmdCopyToClipboard->setEnabled(true);
    cmdClose->setFocus(Qt::OtherFocusReason);
}

void frmLog::SetCopyCaption(bool selection) {
    cmdCopyToClipboard->setText(selection ? "Copy selected text to clipboard" : "Copy to clipboard");
    cmdCopyToClipboard->resize(Tw(selection ? kCopySelectionWidth : kCopyWholeWidth),
                               cmdCopyToClipboard->height());
    PlaceButtons(selection ? kClearOffsetSelection : kClearOffsetWhole);
}

void frmLog::PlaceButtons(int clearOffsetTwips) {
    clearOffset_ = clearOffsetTwips;
    const int w = frameGeometry().width();
    cmdClear->move((w - cmdClear->width()) / 2 + Tw(clearOffset_), cmdClear->y());
    cmdClose->move(w - cmdClose->width() - Tw(kCloseRightMargin), cmdClose->y());
}

void frmLog::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FollowSize();
}

void frmLog::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FollowSize();
}

void frmLog::FollowSize() {
    if (!isVisible() || isMinimized()) return;
    const int w = frameGeometry().width();
    const int h = frameGeometry().height();
    txbText->resize(qMax(Tw(300), w - Tw(kTextWidthAllowance)),
                    qMax(Tw(300), h - cmdClose->height() - Tw(kTextHeightAllowance)));
    cmdClose->move(w - cmdClose->width() - Tw(kCloseRightMargin), cmdClose->y());
    cmdClear->move((w - cmdClear->width()) / 2 + Tw(kClearOffsetWhole), cmdClear->y());
}

bool frmLog::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txbText->viewport() && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        txbText_MouseUp();
    return QWidget::eventFilter(watched, e);
}

void frmLog::txbText_MouseUp() {
    if (!cmdCopyToClipboard->isEnabled()) return;
    SetCopyCaption(txbText->textCursor().hasSelection());
}

void frmLog::cmdCopyToClipboard_Click() {
    if (!IsEmpty()) {
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->clear();
        const QTextCursor c = txbText->textCursor();
        clipboard->setText(c.hasSelection() ? WithCrLf(c.selectedText()) : LogText());
        cmdCopyToClipboard->setText("Copy to clipboard");
        cmdCopyToClipboard->resize(Tw(kCopyWholeWidth), cmdCopyToClipboard->height());
    }
    cmdClose->setFocus(Qt::OtherFocusReason);
}

void frmLog::cmdClear_Click() {
    const session::Message question{"Clear log", "Erase all data in the log?", session::Icon::Question,
                                    session::Buttons::OkCancel};
    if (!questions_.Confirm(question)) {
        // The question's box gave the activation back to the main window.
        KeepInFront();
        return;
    }
    txbText->clear();
    emit logEmptied();
    cmdClose_Click();
}

void frmLog::cmdClose_Click() {
    hide();
    emit focusReturned();
}

void frmLog::Unload() {
    txbText->clear();
    loaded_ = false;
    hide();
    emit logEmptied();
    emit unloaded();
}

void frmLog::closeEvent(QCloseEvent* e) {
    e->accept();
    Unload();
}

} // namespace tavr::logwin
