// Public interface of the solar astronomy library.
#ifndef BRISEL_H
#define BRISEL_H

#include "tavr_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

// Sun's apparent longitude (radians) at a Julian date; `distance` receives the radius vector.
TAVR_API(double) brisel_app(double jd, double* distance);

#ifdef __cplusplus
}
#endif

#endif
