#include "store/MasterLink.h"

#include <algorithm>

#include "store/RecordSet.h"
#include "store/RowCache.h"
#include "store/Text.h"

namespace store {

namespace {

// Each value goes in with its length in front, so that no two different
// value lists give the same key, whatever characters the values hold.
void AppendPart(std::string& key, std::string_view value) {
  key += std::to_string(value.size());
  key += ':';
  key += value;
}

const std::vector<int> kNoRows;

}  // namespace

MasterLink::MasterLink(RecordSet& detail, RecordSet& master, const std::string& fieldList)
    : detail_(detail), master_(master) {
  std::string_view rest = fieldList;
  while (!rest.empty()) {
    std::size_t semicolon = rest.find(';');
    std::string name(TrimBlanks(rest.substr(0, semicolon)));
    rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    if (name.empty()) continue;
    detailColumns_.push_back(detail_.FieldByName(name).Index());
    names_.push_back(std::move(name));
  }
}

std::string MasterLink::KeyOf(const RowCache& rows, int row) const {
  std::string key;
  // A null cell holds no text: null and "" are one value.
  for (int column : detailColumns_) AppendPart(key, rows.Text(row, column));
  return key;
}

std::string MasterLink::KeyOf(const std::vector<std::optional<std::string>>& values) {
  std::string key;
  for (const auto& value : values) AppendPart(key, value ? *value : std::string_view());
  return key;
}

void MasterLink::Build(const RowCache& rows) {
  index_.clear();
  for (int row = 0, size = rows.Size(); row < size; ++row) {
    if (rows.Deleted(row)) continue;
    std::string key = KeyOf(rows, row);
    auto found = index_.find(key);
    if (found == index_.end()) found = index_.emplace(key, std::vector<int>()).first;
    found->second.push_back(row);
  }
}

std::vector<std::optional<std::string>> MasterLink::MasterValues() const {
  std::vector<std::optional<std::string>> values;
  for (const std::string& name : names_) {
    int column = master_.FieldByName(name).Index();
    auto value = master_.CurrentValue(column);
    values.push_back(value ? std::optional<std::string>(*value) : std::nullopt);
  }
  return values;
}

std::vector<std::optional<std::string>> MasterLink::StoredMasterValues() const {
  std::vector<std::optional<std::string>> values;
  const int row = master_.PhysicalRow();
  for (const std::string& name : names_) {
    std::optional<std::string_view> value;
    if (row >= 0) value = master_.rows_->Value(row, master_.FieldByName(name).Index());
    values.push_back(value ? std::optional<std::string>(*value) : std::nullopt);
  }
  return values;
}

MasterLink::Restriction MasterLink::Wanted() const {
  if (!master_.Active()) return {Mode::Lifted, {}};
  if (master_.State() == DataSetState::Insert) return {Mode::NewHeader, {}};
  if (master_.RecNo() < 0) return {Mode::Nothing, {}};
  std::string key;
  for (const std::string& name : names_) {
    auto value = master_.CurrentValue(master_.FieldByName(name).Index());
    AppendPart(key, value ? *value : std::string_view());
  }
  return {Mode::Keyed, std::move(key)};
}

const std::vector<int>& MasterLink::Rows(const std::string& key) const {
  auto found = index_.find(key);
  return found == index_.end() ? kNoRows : found->second;
}

void MasterLink::Add(int row, const std::string& key) {
  auto& rows = index_[key];
  rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row);
}

void MasterLink::Remove(int row, const std::string& key) {
  auto found = index_.find(key);
  if (found == index_.end()) return;
  auto& rows = found->second;
  auto at = std::lower_bound(rows.begin(), rows.end(), row);
  if (at != rows.end() && *at == row) rows.erase(at);
  if (rows.empty()) index_.erase(found);
}

std::size_t MasterLink::MemoryBytes() const {
  std::size_t bytes = index_.bucket_count() * sizeof(void*) + entered_.capacity() * sizeof(int);
  for (const auto& [key, rows] : index_)
    bytes += sizeof(key) + key.capacity() + 32 + rows.capacity() * sizeof(int);
  return bytes;
}

}  // namespace store
