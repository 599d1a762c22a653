#include "store/life/SnapshotComparison.h"

#include <map>

#include "store/Text.h"

namespace store::life {

namespace {

const std::optional<std::string>* Find(const Fields& fields, const std::string& column) {
  for (const auto& [name, value] : fields)
    if (SameText(name, column)) return &value;
  return nullptr;
}

std::optional<std::string> ValueOf(const Fields& fields, const std::string& column) {
  const std::optional<std::string>* value = Find(fields, column);
  return value ? *value : std::nullopt;
}

// Fields of either row that differ, in the newer row's order then the older's leftovers.
void CompareFields(const Fields& older, const Fields& newer, Difference::Kind kind, const std::string& line,
                   std::vector<Difference>& out) {
  for (const auto& [name, value] : newer)
    if (ValueOf(older, name) != value) out.push_back({kind, line, name, ValueOf(older, name), value});
  for (const auto& [name, value] : older)
    if (value && !Find(newer, name)) out.push_back({kind, line, name, value, std::nullopt});
}

using LineKey = std::pair<std::string, int>;  // line number, occurrence

std::map<LineKey, const Fields*> Keyed(const std::vector<Fields>& lines) {
  std::map<LineKey, const Fields*> keyed;
  std::map<std::string, int> seen;
  for (const Fields& line : lines) {
    const std::string number = ValueOf(line, "serial_number").value_or("");
    keyed[{number, seen[number]++}] = &line;
  }
  return keyed;
}

}  // namespace

std::vector<Difference> Compare(const QuotationSnapshot& older, const QuotationSnapshot& newer) {
  std::vector<Difference> out;
  CompareFields(older.header, newer.header, Difference::Kind::Header, "", out);
  const auto before = Keyed(older.lines), after = Keyed(newer.lines);
  for (const auto& [key, line] : before) {
    auto match = after.find(key);
    if (match == after.end())
      out.push_back({Difference::Kind::LineDeleted, key.first, "", LineSummary(*line), std::nullopt});
    else
      CompareFields(*line, *match->second, Difference::Kind::LineChanged, key.first, out);
  }
  for (const auto& [key, line] : after)
    if (!before.contains(key))
      out.push_back({Difference::Kind::LineAdded, key.first, "", std::nullopt, LineSummary(*line)});
  return out;
}

}  // namespace store::life
