#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace store {

// The rows of an open record set. Cell text lives in large chunks, each row's
// cells back to back; per cell only a 16-bit end offset and a null bit are
// kept, so 100,000 rows cost little more than their text. Rows never move:
// a row is addressed by its index for the set's lifetime.
class RowCache {
 public:
  struct Cell {
    const char* data = nullptr;
    std::size_t size = 0;
    bool null = true;
  };

  explicit RowCache(int columns);
  ~RowCache();

  int Columns() const { return columns_; }
  int Size() const { return static_cast<int>(rows_.size()); }

  // Stores a row of Columns() cells; returns its index.
  int Add(std::int64_t rowId, const Cell* cells);
  // Gives a stored row new values (after an update was posted).
  void Replace(int row, const Cell* cells);
  void MarkDeleted(int row);
  bool Deleted(int row) const { return row < static_cast<int>(deleted_.size()) && deleted_[row]; }

  std::int64_t RowId(int row) const { return rows_[row].rowId; }
  bool IsNull(int row, int column) const {
    return (nulls_[static_cast<std::size_t>(row) * nullBytes_ + (column >> 3)] >> (column & 7)) & 1;
  }
  std::string_view Text(int row, int column) const;
  std::optional<std::string_view> Value(int row, int column) const {
    if (IsNull(row, column)) return std::nullopt;
    return Text(row, column);
  }

  // Releases spare capacity once loading is done.
  void Compact();
  std::size_t MemoryBytes() const;

 private:
  struct Row {
    const char* data;
    std::int64_t rowId;
  };
  static constexpr std::uint16_t kWide = 0xFFFF;  // first end offset of a row kept in wide_

  char* Allocate(std::size_t size);
  void Store(int row, const Cell* cells);

  int columns_;
  int nullBytes_;  // per row: one bit per cell
  std::vector<Row> rows_;
  std::vector<std::uint16_t> ends_;  // per cell: end of its text, relative to the row's start
  std::vector<std::uint8_t> nulls_;
  std::vector<bool> deleted_;                                 // empty until a row is deleted
  std::unordered_map<int, std::vector<std::uint32_t>> wide_;  // rows of 64 KiB text or more
  std::vector<std::unique_ptr<char[]>> chunks_;
  char* chunkFree_ = nullptr;
  std::size_t chunkLeft_ = 0;
  std::size_t chunkBytes_ = 0;
};

}  // namespace store
