#pragma once

#include <string>
#include <vector>

#include "store/Field.h"

namespace store {

class RowCache;

struct SourceColumn {
  std::string name;
  FieldKind kind;
};

// Where an open record set's rows come from: one statement's result, read in
// slices from one consistent snapshot of the store. The snapshot is held from
// the first row until the last one has been read or the source is destroyed,
// so rows written elsewhere meanwhile are never part of the result.
class RowSource {
 public:
  virtual ~RowSource() = default;

  virtual const std::vector<SourceColumn>& Columns() const = 0;
  // Adds up to `limit` rows to `rows`. Returns whether rows remain; once it
  // returns false the snapshot is released.
  virtual bool Read(RowCache& rows, int limit) = 0;
};

}  // namespace store
