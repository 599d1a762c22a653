// The benchmark program: runs every registered benchmark, then the finishers
// that turn the collected medians into "ratio NAME VALUE" lines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include <cstring>

#include "BenchDatabase.h"
#include "Ratios.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], "--first-paint-in") == 0)
    return bench::FirstPaintInFreshProcess(argv[2]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bench::RunFinishers();
  bench::PrintRatios();
  return 0;
}
