#include "windows/WorkspaceSettings.h"

#include <QSettings>

#include "store/QuotationNumbers.h"

namespace {

constexpr int kDefaultValidDays = 30;
constexpr int kDefaultDecimals = 2;
constexpr int kMostDecimals = 6;

}  // namespace

QString WorkspaceSettings::NumberPattern() {
  return QSettings("samplequote", "samplequote")
      .value("quotationNumberPattern", QString::fromLatin1(store::QuotationNumbers::kDefaultPattern))
      .toString();
}

int WorkspaceSettings::ValidDays() {
  return QSettings("samplequote", "samplequote").value("validDays", kDefaultValidDays).toInt();
}

int WorkspaceSettings::Decimals(const QString& currency) {
  bool ok = false;
  const int places = QSettings("samplequote", "samplequote")
                         .value("decimals/" + currency.trimmed(), kDefaultDecimals)
                         .toInt(&ok);
  return ok && places >= 0 && places <= kMostDecimals ? places : kDefaultDecimals;
}
