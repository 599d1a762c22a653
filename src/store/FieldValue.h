#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/Field.h"

namespace store {

// Room for any double in plain decimal, the smallest subnormal included.
constexpr std::size_t kFormattedDoubleSize = 400;

// The shortest plain decimal that reads back as the same double: "12" for
// 12.0, "100000" (never "1e+05"), "0.1". Writes into [first, first +
// kFormattedDoubleSize) and returns the end.
char* FormatDouble(double value, char* first);
std::string FormatDouble(double value);

// Stored form of text typed into a column of `kind`: ISO dates, canonical
// numbers; nullopt for empty text. Throws StoreError naming the text when it
// does not convert.
std::optional<std::string> ToStoredValue(FieldKind kind, std::string_view text);

// A number as the user or a store wrote it ("+12", " 0.5 "); nullopt when it is not one.
std::optional<double> ParseDouble(std::string_view text);
std::optional<std::int64_t> ParseInteger(std::string_view text);

}  // namespace store
