#pragma once

#include <QString>
#include <optional>
#include <string>

#include "documents/QuotationDocument.h"

class TQuotation;

// What the quotation window's Print and Excel buttons do with the header
// that is current: a pending header or line is first settled with the
// question asked before a search; with no header, or a customer number that
// is in no customer row, a notice says what is missing and nothing is made.
class QuotationOutput {
 public:
  // Opens the print preview of the current quotation.
  static void Preview(TQuotation& window);
  // Saves the current quotation as a workbook, under a name the user confirms.
  static void SaveWorkbook(TQuotation& window);

  // "<documents folder>/<quotation number>.<suffix>" (the home folder when there
  // is no documents folder), the number made safe as a file name.
  static QString DefaultPath(const std::string& quotationNumber, const QString& suffix);
  // The short date format the window shows dates in (Qt's notation).
  static QString WindowDateFormat();

 private:
  static std::optional<documents::QuotationDocument> CurrentQuotation(TQuotation& window);
};
