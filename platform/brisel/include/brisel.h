// Public interface of the solar astronomy library.
#ifndef BRISEL_H
#define BRISEL_H

#include "tavr_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

// Sun's apparent longitude (radians, 0..2 pi) at a Julian date; `distance`, when not
// null, receives the radius vector (astronomical units). Non-finite dates give 0.
TAVR_API(double) brisel_app(double jd, double* distance);

#ifdef __cplusplus
}
#endif

#endif
