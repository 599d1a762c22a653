#pragma once

#include <functional>
#include <string>

// Shared by every benchmark file: timed samples kept by name, and ratio lines
// computed from them once all benchmarks have run. Each ratio is printed as
// "ratio NAME VALUE" on a line of its own at the end of the run.
namespace bench {

void RecordSample(const std::string& name, double seconds);
// Median of a name's samples in seconds; 0 when there are none.
double Median(const std::string& name);
// Median of `name` over the median of `floor`; 0 when the floor has no samples.
double Ratio(const std::string& name, const std::string& floor);

void ReportRatio(const std::string& name, double value);

// Registers work run after the benchmarks (usually: compute and report ratios).
// Returns a value so that it can initialise a static at namespace scope.
bool AddFinisher(std::function<void()> finisher);

// Called by the benchmark program's main.
void RunFinishers();
void PrintRatios();

}  // namespace bench
