#include "main/MoonFrame.h"

#include <QLabel>
#include <QVBoxLayout>

#include "astro/picture/MoonPicture.h"
#include "main/Latin1.h"
#include "main/MoonPixmap.h"
#include "main/Scheme.h"

namespace tavr::ui {

MoonFrame::MoonFrame(QWidget* parent) : QFrame(parent) {
    setObjectName("fraMoon");
    FrameLine(this);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(4);
    picMoon = NewControl<QLabel>(this, "picMoon");
    picMoon->setFixedSize(moon::kPictureMax + 1, moon::kPictureMax + 1);
    picMoon->setAlignment(Qt::AlignCenter);
    picMoon->setAccessibleName("Picture of the Moon");
    column->addWidget(picMoon, 0, Qt::AlignHCenter);
    column->addSpacing(6);
    auto addPair = [&](LabelPair& pair, const char* name, const char* caption) {
        pair = NewPair(this, name, caption);
        NameAfterCaption(pair);
        SetCaptionColour(pair[1], kValueText);
        column->addWidget(pair[0]);
        column->addWidget(pair[1]);
    };
    addPair(lblPhaseOfMoon, "lblPhaseOfMoon", "Phase of Moon, illumination:");
    column->addSpacing(4);
    addPair(lblAgeOfMoon, "lblAgeOfMoon", "[Lunation] Age of Moon:");

    lblActualEclipseData = NewControl<QLabel>(this, "lblActualEclipseData");
    SetCaptionColour(lblActualEclipseData, kValueText);
    // The caption of a found eclipse has up to six lines: their room is kept
    // from the start, so that the window keeps its size and its controls
    // their places when one appears or goes.
    lblActualEclipseData->setTextFormat(Qt::PlainText);
    lblActualEclipseData->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblActualEclipseData->setText(QStringLiteral("Non-central annular-total solar eclipse\r\n"
                                                 "Lunation number = -64316\r\n"
                                                 "Saros number = -999\r\n"
                                                 "Penumbral phase starts 00:00 and lasts 10h 00m.\r\n"
                                                 "Umbral phase starts 00:00 and lasts 10h 00m.\r\n"
                                                 "Total phase starts 00:00 and lasts 10h 00m.\r\n"));
    lblActualEclipseData->setMinimumSize(lblActualEclipseData->sizeHint());
    lblActualEclipseData->clear();
    column->addWidget(lblActualEclipseData);
    column->addStretch(1);
}

void MoonFrame::ShowMoon(const tavr::moon::MoonReport& report, const QString& picDir) {
    lblAgeOfMoon[1]->SetValue(Q(report.ageLabel));
    if (report.error) return;
    lblPhaseOfMoon[1]->SetValue(Q(report.phaseLabel));
    const QPixmap picture = MoonPixmap(report, kNavy, picDir, picMoon->devicePixelRatioF());
    if (!picture.isNull()) picMoon->setPixmap(picture);
    picMoon->setAccessibleDescription(Q(report.phaseLabel));
    picMoon->setVisible(true);
}

void MoonFrame::ClearValues() {
    for (LabelPair* pair : {&lblPhaseOfMoon, &lblAgeOfMoon}) {
        SetCaptionColour((*pair)[0], kColourOff);
        (*pair)[1]->SetValue(QString());
    }
    picMoon->clear();
}

} // namespace tavr::ui
