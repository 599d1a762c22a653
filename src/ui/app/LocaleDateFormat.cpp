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

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LocaleDateFormat::LocaleDateFormat(const QLocale& locale)
    : locale_(locale), display_(WidenYear(locale.dateFormat(QLocale::ShortFormat))) {
  accepted_ << display_ << WithoutLeadingZeros(display_);
  accepted_.removeDuplicates();
}

QString LocaleDateFormat::WidenYear(QString format) {
  static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
  return format.replace(twoDigitYear, QStringLiteral("yyyy"));
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
  return store::DateFormat::ToIso(display);  // ISO and year-first dates
}

}  // namespace ui
