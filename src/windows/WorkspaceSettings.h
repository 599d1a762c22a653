#pragma once

#include <QString>

// The workspace's settings, in the user's settings file beside "database=":
// quotationNumberPattern (QuotationNumbers' notation), validDays (how long a
// new quotation holds, 30 days unless set) and decimals/<currency> (the
// places a line total is rounded to, 2 unless set).
struct WorkspaceSettings {
  static QString NumberPattern();
  static int ValidDays();
  static int Decimals(const QString& currency);
};
