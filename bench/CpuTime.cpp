#include "CpuTime.h"

#include <sys/resource.h>

#include <ctime>

namespace bench {

namespace {

double Seconds(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec * 1e-6; }

}  // namespace

double CpuSeconds(CpuClock clock) {
  if (clock == CpuClock::ProcessAndChildren) {
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return CpuSeconds(CpuClock::Process) + Seconds(children.ru_utime) + Seconds(children.ru_stime);
  }
  timespec now{};
  clock_gettime(clock == CpuClock::Process ? CLOCK_PROCESS_CPUTIME_ID : CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace bench
