#pragma once

#include <QString>

namespace store {
class Field;
}

namespace ui {

class DataLink;
class DataSource;

// The half that the bound edit box and pick list share: which column they
// show and whether the text on screen holds a change not yet written into it.
// A change belongs to the pending row it was made on; once that row is posted,
// dropped or left, the control shows the column again.
class BoundField {
 public:
  explicit BoundField(DataLink* link) : link_(link) {}
  ~BoundField();
  BoundField(const BoundField&) = delete;
  BoundField& operator=(const BoundField&) = delete;

  void SetDataSource(DataSource* source);
  DataSource* Source() const { return source_; }
  void ForgetSource() { source_ = nullptr; }
  void SetFieldName(const QString& name) { name_ = name; }
  const QString& FieldName() const { return name_; }

  // The current row's text of the column; empty when closed or absent.
  QString FieldText() const;

  // Before taking a change of the text: auto edit. False when the set does not
  // accept writes (no set, closed, automatic edit off). May throw.
  bool Begin();
  void MarkModified();
  void ClearModified() { modified_ = false; }
  bool Modified() const { return modified_; }
  // The unwritten change still belongs to the pending row on screen.
  bool Pending() const;
  // Whether a notification from the set may replace the text on screen.
  bool MayRedisplay() const { return !taking_ && !Pending(); }

  // Writes a held change into the column; on a conversion error it throws
  // and the change stays held.
  void Write(const QString& text);

 private:
  store::Field* FindField() const;

  DataLink* link_;
  DataSource* source_ = nullptr;
  QString name_;
  bool modified_ = false;
  bool taking_ = false;
  int row_ = -1;
};

}  // namespace ui
