#include "help/frmHelp.h"

#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "help/HelpText.h"

namespace tavr::help {

namespace {

int Px(int twips) {
    return twips / kTwipsPerPixel;
}

// Carriage return + line feed shown as one line end.
QString Displayed(const std::string& text) {
    QString t = QString::fromStdString(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

// A button named `name` showing `text`, which is also the name a screen reader
// says, with the tool tip `tip`.
QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, const char* tip) {
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString::fromLatin1(text));
    b->setToolTip(QString::fromLatin1(tip));
    return b;
}

QPlainTextEdit* MakeTextArea(QWidget* parent, const char* name, int pointSize) {
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setReadOnly(true);
    t->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(pointSize);
    t->setFont(f);
    return t;
}

} // namespace

// ---- credits --------------------------------------------------------------

frmCredits::frmCredits(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCredits"));
    setModal(true);
    setWindowTitle(QString::fromLatin1(kCreditsTitle));
    txbMsg = MakeTextArea(this, "txbMsg", 10);
    cmdClose = MakeButton(this, "cmdClose", "Close", "Close the credits");
    txbMsg->setAccessibleName(QStringLiteral("Credits text"));
    txbMsg->setToolTip(QStringLiteral("Who made the program"));
    setTabOrder(txbMsg, cmdClose);
    resize(540, 360);
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        hide();
        if (auto* help = qobject_cast<frmHelp*>(parentWidget())) help->cmdClose->setFocus();
    });
}

void frmCredits::CentreOn(const QRect& helpFrame) {
    move(helpFrame.left() + (helpFrame.width() - width()) / 2,
         helpFrame.top() + (helpFrame.height() - height()) / 2);
}

void frmCredits::showEvent(QShowEvent* event) {
    // Filled at every activation.
    setWindowTitle(QString::fromLatin1(kCreditsTitle));
    txbMsg->setPlainText(Displayed(CreditsText()));
    cmdClose->setText(QStringLiteral("Close"));
    const int margin = 12;
    const QSize button = cmdClose->sizeHint().expandedTo(QSize(90, 0));
    const int closeTop = height() - Px(1000) + Px(450);
    txbMsg->setGeometry(margin, margin, width() - 2 * margin, closeTop - 2 * margin);
    cmdClose->setGeometry((width() - button.width()) / 2, closeTop, button.width(), button.height());
    QDialog::showEvent(event);
}

// ---- help -----------------------------------------------------------------

frmHelp::frmHelp(const QString& programFolder, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QString::fromLatin1(kHelpTitle));
    txbText = MakeTextArea(this, "txbText", 11);
    txbText->setPlainText(Displayed(HelpText(programFolder.toStdString())));
    cmdCredit = MakeButton(this, "cmdCredit", "Credits", "Who made the program");
    cmdClose = MakeButton(this, "cmdClose", "Close", "Close the help window");
    cmdClose->installEventFilter(this);
    txbText->setAccessibleName(QStringLiteral("Help text"));
    txbText->setToolTip(QStringLiteral("How to use the program"));
    setTabOrder(txbText, cmdCredit);
    setTabOrder(cmdCredit, cmdClose);
    credits_ = new frmCredits(this);
    connect(cmdCredit, &QPushButton::clicked, this, &frmHelp::ShowCredits);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::hide);
    resize(760, 560);
}

void frmHelp::PlaceBeside(const QRect& mainFrame) {
    move(mainFrame.left() + Px(200), mainFrame.top() + Px(480));
    resize(std::max(320, mainFrame.width() - Px(400)), std::max(240, mainFrame.height() - Px(680)));
}

void frmHelp::ShowHelp() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void frmHelp::ShowCredits() {
    credits_->CentreOn(frameGeometry());
    credits_->exec();
}

bool frmHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdClose && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        hide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmHelp::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// The text area fills the window above the buttons (350 twips narrower than
// the window); Credits at the left, Close at the right, 1000 twips above the
// window's bottom edge counted with its title bar.
void frmHelp::LayOut() {
    const int margin = Px(150);
    const QSize credit = cmdCredit->sizeHint().expandedTo(QSize(90, 0));
    const QSize close = cmdClose->sizeHint().expandedTo(QSize(90, 0));
    const int buttonTop = height() - Px(1000) + Px(450);
    cmdCredit->setGeometry(margin, buttonTop, credit.width(), credit.height());
    cmdClose->setGeometry(width() - close.width() - Px(250), buttonTop, close.width(), close.height());
    txbText->setGeometry(margin, margin, width() - Px(350), buttonTop - margin - Px(150));
}

} // namespace tavr::help
