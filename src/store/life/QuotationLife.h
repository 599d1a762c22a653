#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/life/QuotationKey.h"
#include "store/life/QuotationSnapshot.h"
#include "store/life/QuotationState.h"

namespace store {
class Backend;
class Connection;
}  // namespace store

namespace store::life {

// A quotation's life as stored; a quotation without one is a Draft of
// revision 0 (every quotation made before the life tables, or by the
// quotation window, which knows nothing of them).
struct LifeRecord {
  std::int64_t id = 0;  // 0 while nothing is stored
  QuotationKey key;
  QuotationState state = QuotationState::Draft;
  std::string reason;  // why it was declined
  int revision = 0;
  bool operator==(const LifeRecord&) const = default;
};

// What was sent to the customer, kept as it was.
struct IssuedCopy {
  int revision = 0;
  std::string number;  // as printed: "Q2024001" or "Q2024001-R2"
  QuotationSnapshot snapshot;
  std::string pdf;  // the bytes
  std::string sha256;
  std::string issuedBy, issuedAt;
  bool superseded = false;  // a later revision exists
};

// One row of the history: who, when (UTC, ISO 8601), what, old -> new.
struct HistoryEntry {
  std::string at, by, what, line, field;
  std::optional<std::string> before, after;
};

// The history's kinds of change.
namespace what {
inline constexpr const char* kCreated = "created";
inline constexpr const char* kHeader = "header";
inline constexpr const char* kLineAdded = "line added";
inline constexpr const char* kLineChanged = "line changed";
inline constexpr const char* kLineDeleted = "line deleted";
inline constexpr const char* kState = "state";
inline constexpr const char* kIssued = "issued";
inline constexpr const char* kRevision = "revision";
inline constexpr const char* kDeleted = "deleted";
}  // namespace what

// The number printed for a revision: "Q1" for the first, "Q1-R1", "Q1-R2"...
std::string RevisionNumber(std::string_view number, int revision);

enum class StateChangeResult { Done, AskExpired };

// A quotation's life as the register shows it.
struct LifeSummary {
  QuotationKey key;
  QuotationState state = QuotationState::Draft;  // as stored
  int revision = 0;
  std::string sent;  // the number of the newest issued copy, what the customer has ("" when none)
};

// A quotation's states, issued copies, revisions, copies and history on one
// connection. Every write goes into the connection's open transaction, or a
// transaction of its own when none is open, together with its history rows.
// A record read before that the store no longer holds (another user changed
// it) is refused with the update conflict message and nothing is written.
class QuotationLife {
 public:
  explicit QuotationLife(Connection& connection);  // makes the life tables when missing

  Backend& Store() const;
  LifeRecord Record(const QuotationKey& key) const;
  std::vector<IssuedCopy> IssuedCopies(const QuotationKey& key) const;  // by revision
  std::vector<HistoryEntry> History(const QuotationKey& key) const;     // as written
  // The quotation as stored now, to compare with its issued copies.
  QuotationSnapshot Current(const QuotationKey& key) const;
  // The customer's e-mail address ("" when none), to send a quotation to.
  std::string CustomerEmail(const std::string& customer) const;
  // Every stored life, for the register (a quotation without one is a Draft).
  std::vector<LifeSummary> Summaries() const;

  // Accept, decline (with a reason), cancel, or undo an acceptance or decline.
  // Accepting an expired quotation returns AskExpired, writing nothing, unless
  // the user has already said yes.
  StateChangeResult ChangeState(const LifeRecord& asRead, QuotationState to, const std::string& reason,
                                std::chrono::year_month_day today, bool expiredConfirmed = false);
  // Stores the issued copy of a Draft: the header and lines as stored now, the
  // PDF made from them, who and when; the quotation becomes Issued.
  IssuedCopy Issue(const LifeRecord& asRead, std::string_view pdf);
  // A new Draft `to` with the lines of `from` at their prices, dated today and
  // valid for `validDays`; it starts with no history.
  void Copy(const QuotationKey& from, const QuotationKey& to, std::chrono::year_month_day today,
            int validDays);
  // Before the quotation's rows are deleted: refused once it has been issued
  // (it is cancelled instead); records the deletion.
  void Delete(const LifeRecord& asRead);

 private:
  friend class QuotationSave;
  LifeRecord Current(const LifeRecord& asRead) const;  // refuses a stale record
  // Stores `now` over `asRead` (refused when the store no longer holds it); returns the life's number.
  std::int64_t Put(const LifeRecord& asRead, const LifeRecord& now);
  std::int64_t Create(const LifeRecord& now);
  void Stamp();  // the moment of the change about to be written
  void Write(std::int64_t id, const std::string& what, const std::string& line, const std::string& field,
             const std::optional<std::string>& before, const std::optional<std::string>& after);

  Connection& connection_;
  std::string who_;
  std::string when_;  // the moment of the change being written
};

}  // namespace store::life
