#pragma once

#include <QString>
#include <string>

#include "documents/QuotationDocument.h"

namespace documents {

// An issued quotation's PDF: made once, when it is issued, and from then on
// only its stored bytes are printed, saved or sent, so that what the customer
// got is reproduced byte for byte.
class IssuedPdf {
 public:
  // The bytes of the document as PdfWriter writes it. Throws WriteFailure.
  static std::string Make(const QuotationDocument& document);
  // Prints the document under a revision's number ("Q1-R2").
  static void PrintAs(QuotationDocument& document, const std::string& number);
  // Writes stored bytes to a file, as every document is written (DocumentFile). Throws WriteFailure.
  static void Save(const std::string& bytes, const QString& path);
};

}  // namespace documents
