#include <stdint.h>

#include "tavr_abi.h"

TAVR_API(int32_t) probe_twice(int32_t x);
TAVR_API(int32_t) probe_twice(int32_t x) {
    return 2 * x;
}
