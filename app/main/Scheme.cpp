#include "main/Scheme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

#include "main/Colours.h"

namespace tavr::ui {

namespace {

// A band of `width` just inside `rect`.
void FillBand(QPainter* painter, const QRectF& rect, qreal width, const QColor& colour) {
    QPainterPath band;
    band.addRect(rect);
    band.addRect(rect.adjusted(width, width, -width, -width));
    painter->fillPath(band, colour);
}

// Set by FrameLine on the frames of the main window, which are QFrame
// subclasses of their own.
constexpr char kGroupFrameProperty[] = "tavrGroupFrame";

// A group frame: a plain QFrame (not a label or another QFrame control) or a
// frame of the main window, with a styled panel.
bool IsGroupFrame(const QWidget* widget) {
    const auto* frame = qobject_cast<const QFrame*>(widget);
    return frame && frame->frameShape() == QFrame::StyledPanel &&
           (frame->metaObject() == &QFrame::staticMetaObject ||
            frame->property(kGroupFrameProperty).toBool());
}

} // namespace

QPalette SchemePalette() {
    const QColor button(224, 224, 232);
    QPalette p(button, kNavy);
    p.setColor(QPalette::Window, kNavy);
    p.setColor(QPalette::WindowText, kColourOff);
    p.setColor(QPalette::Base, QColor(255, 255, 255));
    p.setColor(QPalette::AlternateBase, QColor(236, 236, 244));
    p.setColor(QPalette::Text, QColor(0, 0, 0));
    p.setColor(QPalette::PlaceholderText, QColor(110, 110, 110));
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, QColor(0, 0, 0));
    p.setColor(QPalette::BrightText, QColor(255, 255, 255));
    p.setColor(QPalette::Light, kFrameLine.lighter(130));
    p.setColor(QPalette::Midlight, kFrameLine.lighter(115));
    p.setColor(QPalette::Mid, kFrameLine);
    p.setColor(QPalette::Dark, kFrameLine);
    p.setColor(QPalette::Shadow, QColor(0, 0, 40));
    p.setColor(QPalette::Highlight, QColor(38, 110, 200));
    p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    p.setColor(QPalette::Link, QColor(150, 190, 255));
    p.setColor(QPalette::LinkVisited, QColor(200, 160, 255));
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    p.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledCaption);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 140));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(232, 232, 236));
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(200, 200, 210));
    return p;
}

QFont SchemeFont() {
    QFont f({"Arial", "Liberation Sans"}, QApplication::font().pointSize());
    f.setStyleHint(QFont::SansSerif);
    return f;
}

FocusRingColours FocusRingFor(const QPalette& palette) {
    const bool darkGround = palette.color(QPalette::Window).lightness() < 128;
    const bool lightFace = palette.color(QPalette::Button).lightness() >= 128;
    return {darkGround ? QColor(255, 196, 0) : QColor(0, 84, 204),
            lightFace ? QColor(0, 0, 0) : QColor(255, 255, 255)};
}

void DrawFocusRing(QPainter* painter, const QRect& rect, const QPalette& palette) {
    const FocusRingColours c = FocusRingFor(palette);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    const QRectF r(rect);
    FillBand(painter, r, 2, c.outer);
    FillBand(painter, r.adjusted(2, 2, -2, -2), 1, c.inner);
    painter->restore();
}

SchemeStyle::SchemeStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int SchemeStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const {
    // A list that drops below the box and shows maxVisibleItems entries
    // around the current one, instead of a menu as tall as the screen.
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QSize SchemeStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                    const QWidget* widget) const {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    // Check boxes and option buttons keep room for the ring around them.
    if (type == CT_CheckBox || type == CT_RadioButton) s += QSize(2 * kFocusRingWidth, 2 * kFocusRingWidth);
    return s;
}

void SchemeStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    switch (element) {
    case CE_CheckBox:
    case CE_RadioButton:
        if (const auto* b = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            QStyleOptionButton inside(*b);
            inside.rect =
                b->rect.adjusted(kFocusRingWidth, kFocusRingWidth, -kFocusRingWidth, -kFocusRingWidth);
            inside.state &= ~State_HasFocus;
            QProxyStyle::drawControl(element, &inside, painter, widget);
            if (b->state & State_HasFocus) DrawFocusRing(painter, b->rect, b->palette);
            return;
        }
        break;
    case CE_PushButton:
        QProxyStyle::drawControl(element, option, painter, widget);
        if (option->state & State_HasFocus) DrawFocusRing(painter, option->rect, option->palette);
        return;
    case CE_ShapedFrame:
        if (IsGroupFrame(widget)) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, true);
            painter->setPen(QPen(option->palette.color(QPalette::Mid), 1));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
            painter->restore();
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
        // Text areas, lists and focusable labels.
        if ((option->state & State_HasFocus) && widget && widget->focusPolicy() != Qt::NoFocus)
            DrawFocusRing(painter, option->rect, option->palette);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void SchemeStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if ((control == CC_ComboBox || control == CC_SpinBox) && (option->state & State_HasFocus))
        DrawFocusRing(painter, option->rect, option->palette);
}

void SchemeStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // A line edit with a frame of its own (not the edit part of a combo box).
    if (element == PE_PanelLineEdit && (option->state & State_HasFocus)) {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (frame && frame->lineWidth > 0) DrawFocusRing(painter, option->rect, option->palette);
    }
}

void CentredComboBox::showPopup() {
    QComboBox::showPopup();
    view()->scrollTo(view()->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void InstallScheme() {
    if (dynamic_cast<SchemeStyle*>(QApplication::style())) return;
    // The style first: setting a style puts back its own palette.
    QApplication::setStyle(new SchemeStyle);
    QApplication::setPalette(SchemePalette());
    QApplication::setFont(SchemeFont());
}

void FrameLine(QFrame* frame) {
    frame->setProperty(kGroupFrameProperty, true);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Plain);
}

void Describe(QWidget* w, const QString& name, const QString& toolTip) {
    w->setAccessibleName(name);
    w->setToolTip(toolTip);
}

} // namespace tavr::ui
