#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace store::life {

// The states a quotation is stored in. Expired is never stored: it is what an
// Issued quotation shows once its valid-until day has passed. Superseded is
// what an issued copy shows once a later revision exists.
enum class QuotationState { Draft, Issued, Accepted, Declined, Cancelled, Expired };

// The stored names ("Draft", "Issued", ...).
std::string_view StateName(QuotationState state);
// Nothing for a name no state has.
std::optional<QuotationState> StateNamed(std::string_view name);

// Whether a user may move a stored state to another by a state change:
// Issued to Accepted, Declined or Cancelled; Accepted and Declined back to
// Issued. Draft becomes Issued only by issuing (which stores the issued copy).
bool ChangeAllowed(QuotationState from, QuotationState to);

// What the quotation shows on `today`: Expired for an Issued one whose
// valid-until day (ISO "YYYY-MM-DD") is before today; the day itself still
// counts. An empty or unreadable date never expires.
QuotationState ShownState(QuotationState stored, std::string_view validUntil,
                          std::chrono::year_month_day today);

// The calendar day of an instant in the local time zone (TZ), which is the
// day the user sees: a quotation expires by the user's calendar, not by UTC.
std::chrono::year_month_day LocalDate(std::chrono::system_clock::time_point instant);
std::chrono::year_month_day LocalToday();

// An ISO date; nothing when the text is not one.
std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text);
std::string IsoDate(std::chrono::year_month_day day);

}  // namespace store::life
