#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace store::jet {

// Column types as a Jet file numbers them.
enum class JetType : int {
  Bool = 0x01,
  Byte = 0x02,
  Int = 0x03,
  LongInt = 0x04,
  Money = 0x05,
  Float = 0x06,
  Double = 0x07,
  DateTime = 0x08,
  Binary = 0x09,
  Text = 0x0a,
  Ole = 0x0b,
  Memo = 0x0c,
  RepId = 0x0f,
  Numeric = 0x10,
};

// Whether values of the type are read; the others come as null.
bool IsReadable(JetType type);
// The type as Access names it ("Text", "Currency", "OLE Object").
std::string TypeName(JetType type);

struct JetColumn {
  std::string name;
  JetType type;
};

// A table of an Access file: its columns in their order and the number of
// rows the file declares for it.
struct JetTableInfo {
  std::string name;
  std::vector<JetColumn> columns;
  std::int64_t declaredRows = 0;
};

// A value as text: Text and Memo in UTF-8, numbers in shortest exact decimal,
// Currency with four decimals, Date/Time "YYYY-MM-DDTHH:MM:SS", Yes/No "1" or
// "0"; nothing for NULL.
using JetValue = std::optional<std::string>;
using JetRow = std::vector<JetValue>;

}  // namespace store::jet
