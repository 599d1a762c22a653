#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include "store/DateFormat.h"

namespace ui {

// Dates in the user's short date format. A two-digit year is widened to four
// digits so that a date never loses its century; typed dates are read
// leniently: with or without leading zeros, with a two-digit year when the
// user's format has one, and as ISO text.
class LocaleDateFormat : public store::DateFormat {
 public:
  explicit LocaleDateFormat(const QLocale& locale);

  std::string ToDisplay(std::string_view iso) const override;
  std::optional<std::string> ToIso(std::string_view display) const override;

  const QString& DisplayFormat() const { return display_; }
  static QString WidenYear(QString format);
  // The locale whose dates the user sees: the system's, except that a C or
  // POSIX locale, whose short format is an English one, gives way to
  // Traditional Chinese (yyyy/M/d) beside the program's Chinese labels.
  static QLocale ForDates(const QLocale& system);

 private:
  QLocale locale_;
  QString display_;
  QStringList accepted_;
  QStringList twoDigitYear_;  // the user's own formats when they have a two-digit year
};

}  // namespace ui
