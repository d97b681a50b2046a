// CPU time of the calling thread: on a busy machine the time spent waiting
// for a core does not count.
#pragma once

#include <ctime>

inline double thread_seconds() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}
