#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace store {

class RecordSet;
class RowCache;

// The detail side of a master link. Lines are indexed by their link values so
// that following the master costs in proportion to one header's lines.
//
// Link values compare as text; null and empty text are the same value, so a
// blank header shows (and its new lines get) the lines with blank link values.
// While the master is closed the restriction is lifted: every line shows. An
// open master without a current row shows no lines.
class MasterLink {
 public:
  enum class Mode { Lifted, Keyed, Nothing };
  struct Restriction {
    Mode mode = Mode::Lifted;
    std::string key;
    bool operator==(const Restriction&) const = default;
  };

  MasterLink(RecordSet& detail, RecordSet& master, const std::string& fieldList);

  // Indexes every stored row of the detail (after it opened).
  void Build(const RowCache& rows);
  // The restriction the master's current row asks for now.
  Restriction Wanted() const;
  const Restriction& Current() const { return current_; }
  void SetCurrent(Restriction restriction) { current_ = std::move(restriction); }
  // The stored rows of a key, in storage order.
  const std::vector<int>& Rows(const std::string& key) const;

  // The detail's columns of the link fields, in list order.
  const std::vector<int>& DetailColumns() const { return detailColumns_; }
  // The master's current values for the link fields (null when it has no current row).
  std::vector<std::optional<std::string>> MasterValues() const;

  std::string KeyOf(const RowCache& rows, int row) const;
  void Add(int row, const std::string& key);
  void Remove(int row, const std::string& key);
  std::size_t MemoryBytes() const;

 private:
  RecordSet& detail_;
  RecordSet& master_;
  std::vector<std::string> names_;
  std::vector<int> detailColumns_;
  std::unordered_map<std::string, std::vector<int>> index_;
  Restriction current_;
};

}  // namespace store
