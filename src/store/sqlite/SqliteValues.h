#pragma once

#include <optional>
#include <string_view>

#include "store/Field.h"

namespace store::sqlite {

class Statement;

// Binds a stored value with its native type, so that numbers compare exactly.
void BindStoredValue(Statement& statement, int index, FieldKind kind, std::optional<std::string_view> value);

// Kind of a column from its declared type.
FieldKind KindOfDeclaredType(const char* declared);

}  // namespace store::sqlite
