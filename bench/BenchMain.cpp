// The benchmark program: runs every registered benchmark, then the finishers
// that turn the collected medians into "ratio NAME VALUE" lines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "Ratios.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bench::RunFinishers();
  bench::PrintRatios();
  return 0;
}
