#pragma once

#include <string>
#include <string_view>

namespace store {

class RecordSet;

enum class FieldKind { Text, Integer, Float, Date };

// A column of an open record set, read and written on the current row.
// Owned by the record set; valid until it closes.
class Field {
 public:
  Field(RecordSet& owner, int index, std::string name, FieldKind kind);

  const std::string& FieldName() const { return name_; }
  FieldKind Kind() const { return kind_; }
  int Index() const { return index_; }

  // The current row's value as the user sees it; "" for null.
  std::string AsString() const;
  bool IsNull() const;
  // Writes into the pending row (edit or insert state, else "Dataset not in
  // edit or insert mode"). Text is converted to the column's kind; text that
  // does not convert fails with "'%s' is not a valid date" (or floating point
  // value, or integer value) and nothing is written. Empty text writes null.
  void SetAsString(std::string_view text);

 private:
  RecordSet& owner_;
  int index_;
  std::string name_;
  FieldKind kind_;
};

}  // namespace store
