#pragma once

#include <QString>

#include "documents/QuotationDocument.h"

namespace documents {

// Writes the quotation as a PDF on A4 with 15 mm margins, the CJK font
// embedded as a subset. The file is written beside the target under a
// temporary name and renamed over it only when complete. Throws WriteFailure.
class PdfWriter {
 public:
  static void Write(const QuotationDocument& document, const QString& path);
};

// "無法寫入檔案「path」：reason" — the message of a file that could not be written.
std::string WriteFailureText(const QString& path, const QString& reason);

}  // namespace documents
