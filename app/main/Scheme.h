// The program's look, set once for the whole application before the first
// window is built: the navy palette, the type, and a style that draws a plain
// focus ring on every control and keeps combo box lists to their visible
// item count. Message boxes, the other windows, tool tips and lists follow it
// because it is the application's, not a window's.
#ifndef TAVR_SCHEME_H
#define TAVR_SCHEME_H

#include <QComboBox>
#include <QFont>
#include <QPalette>
#include <QProxyStyle>

class QFrame;
class QPainter;

namespace tavr::ui {

QPalette SchemePalette();
QFont SchemeFont();

// The two colours of the focus ring: the outer one stands out from the
// window's ground, the inner one from the face of the control.
struct FocusRingColours {
    QColor outer;
    QColor inner;
};
FocusRingColours FocusRingFor(const QPalette& palette);
// Draws the ring just inside `rect`.
void DrawFocusRing(QPainter* painter, const QRect& rect, const QPalette& palette);
// Room the ring takes at each side of a control.
inline constexpr int kFocusRingWidth = 3;

class SchemeStyle : public QProxyStyle {
  public:
    SchemeStyle();
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// A combo box whose list opens with the current entry in its middle (for
// long lists such as the zones).
class CentredComboBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    void showPopup() override;
};

// Makes the scheme the application's (once; later calls change nothing).
void InstallScheme();

// The thin rounded line around a group of the main window.
void FrameLine(QFrame* frame);

// Tool tip and accessible name of a control in one call.
void Describe(QWidget* w, const QString& name, const QString& toolTip);

} // namespace tavr::ui

#endif
