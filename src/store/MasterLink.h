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
// Link values compare as text; null and empty text are the same value. While
// the master is closed the restriction is lifted: every line shows. An open
// master without a current row shows no lines. While the master is adding a
// row, only the lines entered since show: they belong to that row whatever
// its values are, and take them when it is written.
class MasterLink {
 public:
  enum class Mode { Lifted, Keyed, Nothing, NewHeader };
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

  // The link fields as the list names them.
  const std::vector<std::string>& Names() const { return names_; }
  // The detail's columns of the link fields, in list order.
  const std::vector<int>& DetailColumns() const { return detailColumns_; }
  // The master's current values for the link fields (null when it has no current row).
  std::vector<std::optional<std::string>> MasterValues() const;
  // The values the master's current row holds in the store, before its pending change.
  std::vector<std::optional<std::string>> StoredMasterValues() const;

  // Rows written while the master was adding a row, in the order written.
  const std::vector<int>& Entered() const { return entered_; }
  void AddEntered(int row) { entered_.push_back(row); }
  void ForgetEntered() { entered_.clear(); }
  void ForgetEntered(int row) { std::erase(entered_, row); }

  std::string KeyOf(const RowCache& rows, int row) const;
  static std::string KeyOf(const std::vector<std::optional<std::string>>& values);
  void Add(int row, const std::string& key);
  void Remove(int row, const std::string& key);
  std::size_t MemoryBytes() const;

 private:
  RecordSet& detail_;
  RecordSet& master_;
  std::vector<std::string> names_;
  std::vector<int> detailColumns_;
  std::unordered_map<std::string, std::vector<int>> index_;
  std::vector<int> entered_;
  Restriction current_;
};

}  // namespace store
