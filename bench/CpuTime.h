#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "Ratios.h"

namespace bench {

// Samples are processor time, so that builds sharing the machine do not count
// as work: the process's (every thread it runs), that with its children's once
// they have ended, or the calling thread's.
enum class CpuClock { Process, ProcessAndChildren, Thread };

double CpuSeconds(CpuClock clock);

struct Sampling {
  CpuClock clock = CpuClock::Process;
  int repeats = 1;      // runs per sample: short work would time the clock
  int itemsPerRun = 1;  // the sample is kept per item
};

// Each iteration is one sample of `work`, kept under `name`.
template <typename F>
void Timed(benchmark::State& state, const std::string& name, Sampling sampling, F work) {
  for (auto _ : state) {
    const double start = CpuSeconds(sampling.clock);
    for (int i = 0; i < sampling.repeats; ++i) work();
    const double seconds = (CpuSeconds(sampling.clock) - start) / sampling.repeats;
    state.SetIterationTime(seconds);
    RecordSample(name, seconds / sampling.itemsPerRun);
  }
}

template <typename F>
void Timed(benchmark::State& state, const std::string& name, F work) {
  Timed(state, name, Sampling{}, work);
}

}  // namespace bench
