#include "ui/data/BoundField.h"

#include "store/Field.h"
#include "store/RecordSet.h"
#include "ui/data/DataSource.h"

namespace ui {

BoundField::~BoundField() {
  if (source_) source_->RemoveLink(link_);
}

void BoundField::SetDataSource(DataSource* source) {
  if (source == source_) return;
  if (source_) source_->RemoveLink(link_);
  source_ = source;
  modified_ = false;
  if (source_) source_->AddLink(link_);
}

store::Field* BoundField::FindField() const {
  if (!source_ || name_.isEmpty()) return nullptr;
  store::RecordSet* set = source_->DataSet();
  if (!set || !set->Active()) return nullptr;
  return set->FindField(name_.toStdString());
}

QString BoundField::FieldText() const {
  store::Field* field = FindField();
  if (!field || source_->DataSet()->RecNo() < 0) return {};
  return QString::fromStdString(field->AsString());
}

bool BoundField::Begin() {
  if (!source_) return false;
  // The edit may append a row (empty set) and notify; the text being taken must survive that.
  taking_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{taking_};
  return source_->BeginUserEdit();
}

void BoundField::MarkModified() {
  modified_ = true;
  row_ = source_ && source_->DataSet() ? source_->DataSet()->RecNo() : -1;
}

bool BoundField::Pending() const {
  return modified_ && source_ && source_->Editing() && source_->DataSet()->RecNo() == row_;
}

void BoundField::Write(const QString& text) {
  if (!modified_) return;
  if (!Pending()) {  // its row is gone: never write it into another one
    modified_ = false;
    return;
  }
  source_->DataSet()->FieldByName(name_.toStdString()).SetAsString(text.toStdString());
  modified_ = false;
}

}  // namespace ui
