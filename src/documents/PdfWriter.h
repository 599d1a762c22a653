#pragma once

#include <QString>

#include "documents/QuotationDocument.h"

namespace documents {

// Writes the quotation as a PDF on A4 with 15 mm margins, the CJK font
// embedded as a subset, through DocumentFile. Throws WriteFailure.
class PdfWriter {
 public:
  static void Write(const QuotationDocument& document, const QString& path);
};

}  // namespace documents
