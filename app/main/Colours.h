// Caption colours of the main window: the chosen item's caption in colourOn,
// the others in colourOff.
#ifndef TAVR_COLOURS_H
#define TAVR_COLOURS_H

#include <QColor>

inline const QColor kColourOn{255, 255, 255};
inline const QColor kColourOff{200, 200, 200};

#endif
