#pragma once

namespace ui {

class DataSource;

// A bound control's side of its data source. Calls arrive as plain C++ calls
// (not Qt signals) so that an error raised while writing a field travels back
// to the record-set operation that asked for it (a Post, a move).
class DataLink {
 public:
  virtual ~DataLink() = default;
  virtual void ActiveChanged() {}   // the set opened or closed
  virtual void DataSetChanged() {}  // rows added, removed or re-restricted; refresh everything
  virtual void RowsRead() {}        // rows read from the store were added at the end, or the reading ended
  virtual void RecordChanged() {}   // the current row moved or its values changed
  virtual void StateChanged() {}    // Browse / Edit / Insert changed
  virtual void UpdateData() {}      // write pending text into the field now (may throw)
  // The data source is being destroyed while the link still uses it: forget it.
  virtual void DataSourceDestroyed() {}
};

}  // namespace ui
