#pragma once

#include <string>
#include <vector>

namespace store {

// What differs between the stores in the quotation workspace's SQL. The
// summary table QuoSummary holds, per header key, the line count, the sum of
// the stored line totals and the lines' products and specifications, each
// enclosed in unit separators (char 31) so that a search term, which never
// holds one, matches within one text only. Triggers on QuoDilate keep it
// current whoever writes the lines; the tables the windows read stay as they are.
struct WorkspaceSql {
  // One row, one number: 1 when the summary table is there.
  std::string summaryExists;
  // Creates the summary, fills it from the lines, then its triggers and the
  // indexes of the searches; run in order, in one transaction.
  std::vector<std::string> setup;
  // A function (text, part) giving part's 1-based place in text, 0 when absent.
  std::string position;
  // Written after a column so that it compares in code-point order, as a
  // range over a prefix needs; such ranges have an index in that order.
  std::string codePointOrder;
};

// The text that follows every text starting with a prefix, in code-point order:
// the prefix then the highest code point.
std::string AfterPrefix(const std::string& prefix);

}  // namespace store
