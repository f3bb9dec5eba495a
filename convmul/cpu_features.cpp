#include "convmul/cpu_features.h"

#ifdef CONVMUL_FOUR_LANES
namespace {

int fourLanes = -1; // not asked yet

} // namespace

bool fourLanesUsable()
{
    if (fourLanes < 0)
        fourLanes = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? 1 : 0;
    return fourLanes == 1;
}
#endif
