// The writes of a quotation's life other than a save: state changes, issuing,
// copying and deleting.
#include <chrono>

#include "store/Text.h"
#include "store/life/IssuedBytes.h"
#include "store/life/LifeWrites.h"
#include "store/life/QuotationLife.h"
#include "store/life/StateCaption.h"

namespace store::life {

namespace {

// The header's columns that the program never shows or writes: a copy leaves them empty.
bool Hidden(const std::string& column) {
  for (const char* name : {"ap_user", "ed_user", "ap_date", "ed_data"})
    if (SameText(column, name)) return true;
  return false;
}

void InsertRow(Backend& store, const std::string& table, const Fields& fields) {
  std::string names, marks;
  std::vector<BoundValue> values;
  for (const auto& [name, value] : fields) {
    names += (names.empty() ? "" : ", ") + store.Identifier(name);
    marks += marks.empty() ? "?" : ", ?";
    values.push_back(Text(value));
  }
  store.Run("insert into " + table + " (" + names + ") values (" + marks + ")", values);
}

// The fields of a row of the copy: the new key and dates, hidden columns left out.
Fields CopiedFields(const Fields& from, const QuotationKey& to, const std::string& date,
                    const std::string& until) {
  Fields fields{{"Cust_no", to.customer}, {"quotation_number", to.number}};
  for (const auto& [name, value] : from) {
    if (Hidden(name) || SameText(name, "Cust_no") || SameText(name, "quotation_number")) continue;
    if (SameText(name, "quotation_date"))
      fields.emplace_back(name, date);
    else if (SameText(name, "availability_date"))
      fields.emplace_back(name, until);
    else
      fields.emplace_back(name, value);
  }
  return fields;
}

}  // namespace

StateChangeResult QuotationLife::ChangeState(const LifeRecord& asRead, QuotationState to,
                                             const std::string& reason, std::chrono::year_month_day today,
                                             bool expiredConfirmed) {
  if (!ChangeAllowed(asRead.state, to)) throw StoreError(RefusedChange(asRead.state, to));
  if (to == QuotationState::Declined && TrimBlanks(reason).empty()) throw StoreError(kDeclineNeedsReason);
  WriteScope scope(connection_);
  const LifeRecord now = Current(asRead);
  const QuotationSnapshot quotation = QuotationSnapshot::Read(Store(), now.key);
  if (quotation.header.empty()) throw StoreError(kNoSuchQuotation);
  if (to == QuotationState::Accepted && !expiredConfirmed &&
      ShownState(now.state, quotation.HeaderValue("availability_date").value_or(""), today) ==
          QuotationState::Expired)
    return StateChangeResult::AskExpired;
  LifeRecord next = now;
  next.state = to;
  next.reason = to == QuotationState::Declined ? std::string(TrimBlanks(reason)) : "";
  Stamp();
  Put(now, next);
  Write(now.id, what::kState, "", "state", std::string(StateName(now.state)), std::string(StateName(to)));
  if (next.reason != now.reason)
    Write(now.id, what::kState, "", "reason", Optional(now.reason), Optional(next.reason));
  scope.Commit();
  return StateChangeResult::Done;
}

IssuedCopy QuotationLife::Issue(const LifeRecord& asRead, std::string_view pdf) {
  WriteScope scope(connection_);
  const LifeRecord now = Current(asRead);
  if (now.state != QuotationState::Draft) throw StoreError(kOnlyDraftIssues);
  IssuedCopy copy;
  copy.snapshot = QuotationSnapshot::Read(Store(), now.key);
  if (copy.snapshot.header.empty()) throw StoreError(kNoSuchQuotation);
  LifeRecord next = now;
  next.state = QuotationState::Issued;
  Stamp();
  const std::int64_t id = Put(now, next);
  copy = {now.revision,
          RevisionNumber(now.key.number, now.revision),
          std::move(copy.snapshot),
          std::string(pdf),
          Sha256Hex(pdf),
          who_,
          when_,
          false};
  Store().Run(
      "insert into QuoIssued (life_id, revision, quotation_number, header, lines, pdf_base64, "
      "pdf_sha256, issued_by, issued_at) values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
      {Number(id), Number(copy.revision), Text(copy.number), Text(copy.snapshot.EncodedHeader()),
       Text(copy.snapshot.EncodedLines()), Text(ToBase64(pdf)), Text(copy.sha256), Text(who_), Text(when_)});
  Write(id, what::kIssued, "", "quotation_number", std::nullopt, copy.number);
  Write(id, what::kState, "", "state", std::string(StateName(now.state)), std::string(StateName(next.state)));
  scope.Commit();
  return copy;
}

void QuotationLife::Copy(const QuotationKey& from, const QuotationKey& to, std::chrono::year_month_day today,
                         int validDays) {
  WriteScope scope(connection_);
  const QuotationSnapshot source = QuotationSnapshot::Read(Store(), from);
  if (source.header.empty()) throw StoreError(kNoSuchQuotation);
  const std::string date = IsoDate(today);
  const std::string until =
      IsoDate(std::chrono::year_month_day(std::chrono::sys_days(today) + std::chrono::days(validDays)));
  InsertRow(Store(), "Quomaster", CopiedFields(source.header, to, date, until));
  for (const Fields& line : source.lines) {
    Fields fields{{"Cust_no", to.customer}, {"quotation_number", to.number}};
    for (const auto& field : line)
      if (!Hidden(field.first)) fields.push_back(field);
    InsertRow(Store(), "QuoDilate", fields);
  }
  scope.Commit();
}

void QuotationLife::Delete(const LifeRecord& asRead) {
  WriteScope scope(connection_);
  const LifeRecord now = Current(asRead);
  if (!IssuedCopies(now.key).empty()) throw StoreError(kIssuedNotDeleted);
  Stamp();
  // The life stays, so that its history goes on should the number be used again.
  const std::int64_t id = Put(now, now);
  Write(id, what::kDeleted, "", "quotation_number", now.key.number, std::nullopt);
  scope.Commit();
}

}  // namespace store::life
