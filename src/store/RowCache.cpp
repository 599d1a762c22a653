#include "store/RowCache.h"

#include <cstring>

namespace store {

namespace {
constexpr std::size_t kChunkSize = 256 * 1024;
}

RowCache::RowCache(int columns) : columns_(columns) {}

RowCache::~RowCache() = default;

char* RowCache::Allocate(std::size_t size) {
  if (size == 0) return nullptr;
  if (size > kChunkSize / 4) {
    // Large rows get a chunk of their own so the current one is not wasted.
    chunks_.push_back(std::make_unique<char[]>(size));
    chunkBytes_ += size;
    return chunks_.back().get();
  }
  if (size > chunkLeft_) {
    chunks_.push_back(std::make_unique<char[]>(kChunkSize));
    chunkBytes_ += kChunkSize;
    chunkFree_ = chunks_.back().get();
    chunkLeft_ = kChunkSize;
  }
  char* start = chunkFree_;
  chunkFree_ += size;
  chunkLeft_ -= size;
  return start;
}

void RowCache::Store(int row, const Cell* cells) {
  std::size_t total = 0;
  for (int c = 0; c < columns_; ++c) total += cells[c].size;
  char* data = Allocate(total);
  rows_[row].data = data;
  std::uint16_t* ends = ends_.data() + static_cast<std::size_t>(row) * columns_;
  bool wide = total >= kWide;
  std::vector<std::uint32_t>* wideEnds = nullptr;
  if (wide) {
    wideEnds = &wide_[row];
    wideEnds->assign(columns_, 0);
  } else {
    wide_.erase(row);
  }
  std::size_t offset = 0;
  for (int c = 0; c < columns_; ++c) {
    if (cells[c].size) std::memcpy(data + offset, cells[c].data, cells[c].size);
    offset += cells[c].size;
    if (wide)
      (*wideEnds)[c] = static_cast<std::uint32_t>(offset);
    else
      ends[c] = static_cast<std::uint16_t>(offset);
    std::size_t bit = static_cast<std::size_t>(row) * columns_ + c;
    std::uint8_t mask = static_cast<std::uint8_t>(1u << (bit & 7));
    if (cells[c].null)
      nulls_[bit >> 3] |= mask;
    else
      nulls_[bit >> 3] &= static_cast<std::uint8_t>(~mask);
  }
  if (wide) ends[0] = kWide;
}

int RowCache::Add(std::int64_t rowId, const Cell* cells) {
  int row = static_cast<int>(rows_.size());
  rows_.push_back({nullptr, rowId});
  ends_.resize(ends_.size() + columns_);
  nulls_.resize((rows_.size() * columns_ + 7) / 8);
  deleted_.push_back(false);
  Store(row, cells);
  return row;
}

void RowCache::Replace(int row, const Cell* cells) { Store(row, cells); }

std::string_view RowCache::Text(int row, int column) const {
  const std::uint16_t* ends = ends_.data() + static_cast<std::size_t>(row) * columns_;
  std::size_t begin, end;
  if (columns_ > 0 && ends[0] == kWide) {
    const auto& wideEnds = wide_.at(row);
    begin = column ? wideEnds[column - 1] : 0;
    end = wideEnds[column];
  } else {
    begin = column ? ends[column - 1] : 0;
    end = ends[column];
  }
  if (end == begin) return {};
  return std::string_view(rows_[row].data + begin, end - begin);
}

void RowCache::Compact() {
  rows_.shrink_to_fit();
  ends_.shrink_to_fit();
  nulls_.shrink_to_fit();
  deleted_.shrink_to_fit();
}

std::size_t RowCache::MemoryBytes() const {
  std::size_t bytes = sizeof(*this) + chunkBytes_ + rows_.capacity() * sizeof(Row) +
                      ends_.capacity() * sizeof(std::uint16_t) + nulls_.capacity() + deleted_.capacity() / 8 +
                      chunks_.capacity() * sizeof(chunks_[0]);
  for (const auto& [row, ends] : wide_) bytes += ends.capacity() * sizeof(std::uint32_t) + 32;
  return bytes;
}

}  // namespace store
