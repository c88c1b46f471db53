// Colours of the main window: the chosen item's caption in colourOn, the
// others in colourOff, on a navy ground with values in a pale yellow.
#ifndef TAVR_COLOURS_H
#define TAVR_COLOURS_H

#include <QColor>

inline const QColor kColourOn{255, 255, 255};
inline const QColor kColourOff{200, 200, 200};
inline const QColor kNavy{0, 0, 128};
inline const QColor kFrameLine{72, 72, 176};
inline const QColor kValueText{255, 255, 170};
inline const QColor kDisabledCaption{130, 130, 170};

#endif
