// The calling thread's own CPU time, which other programs on a busy machine do not lengthen.
#pragma once

#include <ctime>

namespace tessel {

inline double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace tessel
