#include "main/DatesFrame.h"

#include <QGridLayout>

#include "main/Latin1.h"
#include "main/Scheme.h"

namespace ses = tavr::session;

namespace tavr::ui {

namespace {

// The rows' labels and their object names, in the order of the calendar codes.
struct RowLabels {
    LabelPair DatesFrame::*pair;
    const char* name;
};
constexpr RowLabels kRows[ses::kCalendarCount] = {
    {&DatesFrame::lblCommonEraDate, "lblCommonEraDate"},
    {&DatesFrame::lblJulianCalendarDate, "lblJulianCalendarDate"},
    {&DatesFrame::lblSarvenesDate, "lblSarvenesDate"},
    {&DatesFrame::lblVoskoRindalSLCDate, "lblVoskoRindalSLCDate"},
    {&DatesFrame::lblDTCLunarDate, "lblDTCLunarDate"},
    {&DatesFrame::lblTVGDate, "lblTVGDate"},
    {&DatesFrame::lblChronologicalJulianDate, "lblChronologicalJulianDate"},
    {&DatesFrame::lblAstronomicalJulianDate, "lblAstronomicalJulianDate"},
    {&DatesFrame::lblQuorvaneLWCDate, "lblQuorvaneLWCDate"}};

} // namespace

DatesFrame::DatesFrame(QWidget* parent) : QFrame(parent) {
    setObjectName("fraDates");
    FrameLine(this);
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(6);
    int line = 0;
    for (int16_t calendar : ses::kWindowOrder) {
        LabelPair& pair = Row(calendar);
        pair = NewPair(this, kRows[calendar].name, Q(tavr::CalendarAt(calendar)->rowCaption));
        NameAfterCaption(pair);
        SetCaptionColour(pair[1], kValueText);
        for (int k = 0; k < 2; ++k) {
            pair[k]->setCursor(Qt::PointingHandCursor);
            grid->addWidget(pair[k], line, k, Qt::AlignLeft | Qt::AlignVCenter);
            connect(pair[k], &ClickLabel::clicked, this,
                    [this, calendar, k] { emit rowClicked(calendar, k); });
        }
        ++line;
    }
    // The value column takes the room the window gains.
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(line, 1);
}

LabelPair& DatesFrame::Row(int i) {
    static LabelPair none{};
    return i >= 0 && i < ses::kCalendarCount ? this->*kRows[i].pair : none;
}

void DatesFrame::ShowRows(const ses::Display& display) {
    for (int i = 0; i < ses::kCalendarCount; ++i) {
        const ses::Row& row = display.rows[static_cast<size_t>(i)];
        Row(i)[1]->SetValue(Q(row.value));
        Row(i)[1]->setToolTip(Q(row.toolTip));
    }
}

void DatesFrame::ClearValues() {
    for (int i = 0; i < ses::kCalendarCount; ++i) {
        Row(i)[1]->SetValue(QString());
        Row(i)[1]->setToolTip(QString());
    }
}

void DatesFrame::Highlight(const ses::State& state) {
    for (int i = 0; i < ses::kCalendarCount; ++i)
        SetCaptionColour(Row(i)[0], ses::CaptionHighlighted(state, i) ? kColourOn : kColourOff);
}

void DatesFrame::SetValueColumnMinimum(int width) {
    static_cast<QGridLayout*>(layout())->setColumnMinimumWidth(1, width);
}

} // namespace tavr::ui
