#pragma once

#include <QString>
#include <string>

#include "documents/QuotationDocument.h"

namespace documents {

// Writes the quotation as an .xlsx workbook of one sheet: the title, the
// customer and header fields as label/value rows, then the lines as a table
// with a title row and the total. Numbers are numeric cells as stored, dates
// are spreadsheet dates shown in `dateFormat` (Qt's notation, the window's
// short format), everything else is text. Written through DocumentFile.
// Throws WriteFailure.
class XlsxWriter {
 public:
  static void Write(const QuotationDocument& document, const QString& path, const QString& dateFormat);

  // Qt's date notation as a spreadsheet number format: "yyyy/M/d" -> yyyy"/"m"/"d".
  static std::string SpreadsheetDateFormat(const QString& qtFormat);
};

}  // namespace documents
