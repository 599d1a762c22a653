#pragma once

#include "documents/QuotationDocument.h"

namespace store {
class RecordSet;
}

namespace documents {

// Reads the header that is current in a header set, with its customer and
// its lines, through the header set's own connection. Throws MissingData when
// no header is current or its customer number is in no customer row, and the
// store's errors as they come.
class QuotationReader {
 public:
  static QuotationDocument Read(store::RecordSet& headers);

  static constexpr const char* kNoHeader = "目前沒有報價單：請先查詢並選定一筆報價單。";
  static constexpr const char* kNoCustomerNumber = "這筆報價單沒有客戶編號：請先填入客戶編號並存檔。";
  // Followed by the customer number and kUnknownCustomerEnd.
  static constexpr const char* kUnknownCustomer = "客戶編號「";
  static constexpr const char* kUnknownCustomerEnd = "」不在客戶資料中：請先更正報價單的客戶編號。";
};

}  // namespace documents
