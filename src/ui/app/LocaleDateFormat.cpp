#include "ui/app/LocaleDateFormat.h"

#include <QDate>
#include <QRegularExpression>

namespace ui {

namespace {

// "dd" and "MM" demand two digits; their one-letter forms take one or two.
QString WithoutLeadingZeros(QString format) {
  static const QRegularExpression dayOrMonth(QStringLiteral("(?<![dM])(dd|MM)(?![dM])"));
  QRegularExpressionMatch match;
  while ((match = dayOrMonth.match(format)).hasMatch())
    format.replace(match.capturedStart(), 2, match.captured(1).left(1));
  return format;
}

// A two-digit year falls within the fifty years before and the forty-nine
// after this one.
int InCenturyWindow(int twoDigits) {
  const int base = QDate::currentDate().year() - 50;
  int year = base / 100 * 100 + twoDigits;
  if (year < base) year += 100;
  return year;
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LocaleDateFormat::LocaleDateFormat(const QLocale& locale)
    : locale_(locale), display_(WidenYear(locale.dateFormat(QLocale::ShortFormat))) {
  accepted_ << display_ << WithoutLeadingZeros(display_);
  accepted_.removeDuplicates();
  const QString own = locale.dateFormat(QLocale::ShortFormat);
  if (own != display_) {
    twoDigitYear_ << own << WithoutLeadingZeros(own);
    twoDigitYear_.removeDuplicates();
  }
}

QString LocaleDateFormat::WidenYear(QString format) {
  static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
  return format.replace(twoDigitYear, QStringLiteral("yyyy"));
}

QLocale LocaleDateFormat::ForDates(const QLocale& system) {
  if (system.language() != QLocale::C) return system;
  return QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
}

std::string LocaleDateFormat::ToDisplay(std::string_view iso) const {
  const QDate date = QDate::fromString(FromUtf8(iso), Qt::ISODate);
  if (!date.isValid()) return std::string(iso);
  return locale_.toString(date, display_).toStdString();
}

std::optional<std::string> LocaleDateFormat::ToIso(std::string_view display) const {
  const QString text = FromUtf8(display).trimmed();
  for (const QString& format : accepted_) {
    const QDate date = locale_.toDate(text, format);
    if (date.isValid()) return date.toString(Qt::ISODate).toStdString();
  }
  for (const QString& format : twoDigitYear_) {
    // Qt reads the year as 19yy; the day is checked again in the real year.
    QDate date = locale_.toDate(text, format);
    if (!date.isValid()) continue;
    date = QDate(InCenturyWindow(date.year() % 100), date.month(), date.day());
    if (date.isValid()) return date.toString(Qt::ISODate).toStdString();
  }
  return store::DateFormat::ToIso(display);  // ISO and year-first dates
}

}  // namespace ui
