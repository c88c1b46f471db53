#include "DateLib.h"
