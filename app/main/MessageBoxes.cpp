#include "main/MessageBoxes.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <iterator>

namespace tavr::ui {

int TitleRoom(const QFont& font, const QString& title) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics fm(bold);
    // The window's icon and three buttons, each about a line high with its
    // padding, and the frame's margins on both sides.
    const int line = fm.height();
    return fm.horizontalAdvance(title) + 4 * (line + 10) + 2 * line;
}

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const MessageRequest& request) {
    auto box = std::make_unique<QMessageBox>(parent);
    const QString title = QString::fromStdString(request.title);
    // An empty title would be shown as the program's name; a blank shows nothing.
    box->setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
    box->setText(QString::fromStdString(request.text));
    // The icons in the order of MessageIcon.
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                   QMessageBox::Warning, QMessageBox::Critical,
                                                   QMessageBox::Question};
    static_assert(std::size(kIcons) == static_cast<size_t>(MessageIcon::Question) + 1);
    if (request.icon != MessageIcon::None) box->setIcon(kIcons[static_cast<int>(request.icon)]);
    switch (request.buttons) {
    case MessageButtons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
        break;
    }
    // The box sizes itself to its layout when shown: a row of the title's
    // width under everything keeps it wide enough for the title bar.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()); grid && !title.isEmpty())
        grid->addItem(
            new QSpacerItem(TitleRoom(box->font(), title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

MessageAnswer QtMessageBoxes::Show(const MessageRequest& request) {
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(parent_, request);
    switch (box->exec()) {
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace tavr::ui
