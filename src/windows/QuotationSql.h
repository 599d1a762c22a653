#pragma once

#include <QString>
#include <string>

namespace store {
class CommandRecordSet;
class QueryRecordSet;
}  // namespace store

namespace quotation {

inline constexpr const char* kInitialHeaderStatement = "select  * from Quomaster";
inline constexpr const char* kCustomerStatement = "select * from customer";
inline constexpr const char* kLineStatement = "select * from QuoDilate";
// "where 0" would be a file-only shorthand: a server wants a condition.
inline constexpr const char* kNoLineStatement = "select * from QuoDilate where 1 = 0";
inline constexpr const char* kLinkFields = "Cust_no;Quotation_number";

// The text with every character whose code is below 33 removed from both ends.
std::string Trimmed(const QString& text);

// Gives the header set the search statement for the two criteria. User text
// is bound as parameters, so a quote is searched as a quote while "%" and "_"
// keep their pattern meaning. Emptiness is judged on the untrimmed text.
void SetHeaderSearch(store::CommandRecordSet& headers, const QString& custNo, const QString& quotationNumber);

// Gives the customer set the statement of the customers whose number contains
// the trimmed text; the set is closed by the change.
void SetCustomerLookup(store::QueryRecordSet& customers, const QString& custNo);

}  // namespace quotation
