#include "Ratios.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

namespace bench {

namespace {

std::map<std::string, std::vector<double>>& Samples() {
  static std::map<std::string, std::vector<double>> samples;
  return samples;
}

std::vector<std::pair<std::string, double>>& Ratios() {
  static std::vector<std::pair<std::string, double>> ratios;
  return ratios;
}

std::vector<std::function<void()>>& Finishers() {
  static std::vector<std::function<void()>> finishers;
  return finishers;
}

}  // namespace

void RecordSample(const std::string& name, double seconds) { Samples()[name].push_back(seconds); }

double Median(const std::string& name) {
  auto found = Samples().find(name);
  if (found == Samples().end() || found->second.empty()) return 0;
  std::vector<double> values = found->second;
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Ratio(const std::string& name, const std::string& floor) {
  const double below = Median(floor);
  return below > 0 ? Median(name) / below : 0;
}

void ReportRatio(const std::string& name, double value) { Ratios().emplace_back(name, value); }

bool AddFinisher(std::function<void()> finisher) {
  Finishers().push_back(std::move(finisher));
  return true;
}

void RunFinishers() {
  for (auto& finisher : Finishers()) finisher();
}

void PrintRatios() {
  for (const auto& [name, value] : Ratios()) std::printf("ratio %s %.4g\n", name.c_str(), value);
  std::fflush(stdout);
}

}  // namespace bench
