#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace store {

// How dates look to the user. Dates are stored as ISO "YYYY-MM-DD"; the UI
// installs the user's short date format, the default shows ISO text.
class DateFormat {
 public:
  virtual ~DateFormat() = default;
  virtual std::string ToDisplay(std::string_view iso) const;
  // The ISO text of a typed date, or nothing when the text is not a date.
  virtual std::optional<std::string> ToIso(std::string_view display) const;

  static const DateFormat& Current();
  static void Install(std::shared_ptr<const DateFormat> format);  // nullptr restores the default
};

}  // namespace store
