#include "CpuTime.h"

#include <ctime>

namespace bench {

double CpuSeconds(CpuClock clock) {
  timespec now{};
  clock_gettime(clock == CpuClock::Process ? CLOCK_PROCESS_CPUTIME_ID : CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace bench
