#include "store/jet/JetTable.h"

namespace store::jet {

bool IsReadable(JetType type) {
  switch (type) {
    case JetType::Bool:
    case JetType::Byte:
    case JetType::Int:
    case JetType::LongInt:
    case JetType::Money:
    case JetType::Float:
    case JetType::Double:
    case JetType::DateTime:
    case JetType::Text:
    case JetType::Memo:
      return true;
    default:
      return false;
  }
}

std::string TypeName(JetType type) {
  switch (type) {
    case JetType::Bool: return "Yes/No";
    case JetType::Byte: return "Byte";
    case JetType::Int: return "Integer";
    case JetType::LongInt: return "Long Integer";
    case JetType::Money: return "Currency";
    case JetType::Float: return "Single";
    case JetType::Double: return "Double";
    case JetType::DateTime: return "Date/Time";
    case JetType::Binary: return "Binary";
    case JetType::Text: return "Text";
    case JetType::Ole: return "OLE Object";
    case JetType::Memo: return "Memo";
    case JetType::RepId: return "Replication ID";
    case JetType::Numeric: return "Decimal";
  }
  return "type " + std::to_string(static_cast<int>(type));
}

}  // namespace store::jet
