#include "store/Field.h"

#include "store/RecordSet.h"

namespace store {

Field::Field(RecordSet& owner, int index, std::string name, FieldKind kind)
    : owner_(owner), index_(index), name_(std::move(name)), kind_(kind) {}

std::string Field::AsString() const { return owner_.DisplayText(index_, owner_.CurrentValue(index_)); }

bool Field::IsNull() const { return !owner_.CurrentValue(index_); }

void Field::SetAsString(std::string_view text) { owner_.SetFieldText(index_, text); }

}  // namespace store
