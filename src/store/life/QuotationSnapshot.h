#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/life/QuotationKey.h"

namespace store {
class Backend;
}

namespace store::life {

// Column names and values of one row, in the table's order; nullopt is null.
using Fields = std::vector<std::pair<std::string, std::optional<std::string>>>;

// A quotation's header and lines as text, as the store held them at one
// moment: what an issued copy keeps and what a save compares.
struct QuotationSnapshot {
  Fields header;              // empty when there is no such quotation
  std::vector<Fields> lines;  // by line number, without the columns naming the header

  std::optional<std::string> HeaderValue(std::string_view column) const;

  // Text forms that read back as the same snapshot.
  std::string EncodedHeader() const;
  std::string EncodedLines() const;
  static QuotationSnapshot Decode(std::string_view header, std::string_view lines);

  // The quotation as the store holds it now.
  static QuotationSnapshot Read(Backend& store, const QuotationKey& key);
};

// A line's values as one short text: "name_number=彩盒; amount=500".
std::string LineSummary(const Fields& line);

}  // namespace store::life
