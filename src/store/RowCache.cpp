#include "store/RowCache.h"

#include <cstring>

namespace store {

namespace {
constexpr std::size_t kChunkSize = 256 * 1024;
}

RowCache::RowCache(int columns) : columns_(columns), nullBytes_((columns + 7) / 8) {}

RowCache::~RowCache() = default;

char* RowCache::Allocate(std::size_t size) {
  if (size == 0) return nullptr;
  if (size > kChunkSize / 4) {
    // Large rows get a chunk of their own so the current one is not wasted.
    chunks_.push_back(std::unique_ptr<char[]>(new char[size]));
    chunkBytes_ += size;
    return chunks_.back().get();
  }
  if (size > chunkLeft_) {
    // Not value-initialised: every byte handed out is written before it is read.
    chunks_.push_back(std::unique_ptr<char[]>(new char[kChunkSize]));
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
  std::uint8_t* nulls = nulls_.data() + static_cast<std::size_t>(row) * nullBytes_;
  std::memset(nulls, 0, nullBytes_);
  const bool wide = total >= kWide;
  std::vector<std::uint32_t>* wideEnds = nullptr;
  if (wide) {
    wideEnds = &wide_[row];
    wideEnds->assign(columns_, 0);
  } else if (!wide_.empty()) {
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
    if (cells[c].null) nulls[c >> 3] |= static_cast<std::uint8_t>(1u << (c & 7));
  }
  if (wide) ends[0] = kWide;
}

int RowCache::Add(std::int64_t rowId, const Cell* cells) {
  int row = static_cast<int>(rows_.size());
  rows_.push_back({nullptr, rowId});
  ends_.resize(ends_.size() + columns_);
  nulls_.resize(nulls_.size() + nullBytes_);
  Store(row, cells);
  return row;
}

void RowCache::MarkDeleted(int row) {
  // Kept only once something was deleted: most sets never delete.
  if (deleted_.size() < rows_.size()) deleted_.resize(rows_.size(), false);
  deleted_[row] = true;
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

namespace {
// Copying a vector to trim it costs time: only worth it when much is spare.
template <typename Vector>
void Trim(Vector& vector) {
  if (vector.capacity() - vector.size() > vector.size() / 8) vector.shrink_to_fit();
}
}  // namespace

void RowCache::Compact() {
  Trim(rows_);
  Trim(ends_);
  Trim(nulls_);
  Trim(deleted_);
}

std::size_t RowCache::MemoryBytes() const {
  std::size_t bytes = sizeof(*this) + chunkBytes_ + rows_.capacity() * sizeof(Row) +
                      ends_.capacity() * sizeof(std::uint16_t) + nulls_.capacity() + deleted_.capacity() / 8 +
                      chunks_.capacity() * sizeof(chunks_[0]);
  for (const auto& [row, ends] : wide_) bytes += ends.capacity() * sizeof(std::uint32_t) + 32;
  return bytes;
}

}  // namespace store
