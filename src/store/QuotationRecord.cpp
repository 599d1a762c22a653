#include "store/QuotationRecord.h"

#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/QuotationNumbers.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

namespace store {

namespace {

// The record sets' own texts for a row that another user changed or removed.
constexpr const char* kUpdateConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";
constexpr const char* kDeleteConflict =
    "Row cannot be located for deleting. Some values may have been changed since it was last read.";

struct HeaderField {
  const char* column;
  std::string QuotationDraft::*member;
};
constexpr HeaderField kHeaderFields[] = {{"Cust_no", &QuotationDraft::custNo},
                                         {"quotation_number", &QuotationDraft::number},
                                         {"pay_mode", &QuotationDraft::payMode},
                                         {"pay_condition", &QuotationDraft::payCondition},
                                         {"consign_mode", &QuotationDraft::consignMode},
                                         {"money_type", &QuotationDraft::currency},
                                         {"tax_type", &QuotationDraft::taxType},
                                         {"tax_rate", &QuotationDraft::taxRate},
                                         {"quotation_date", &QuotationDraft::date},
                                         {"availability_date", &QuotationDraft::validUntil},
                                         {"sales", &QuotationDraft::sales}};

struct LineField {
  const char* column;
  std::string DraftLine::*member;
};
constexpr LineField kLineFields[] = {{"name_number", &DraftLine::product}, {"standard", &DraftLine::spec},
                                     {"width", &DraftLine::width},         {"high", &DraftLine::high},
                                     {"length", &DraftLine::length},       {"amount", &DraftLine::amount},
                                     {"price", &DraftLine::price},         {"totle", &DraftLine::total}};

std::vector<std::string> RowTexts(RecordSet& set) {
  std::vector<std::string> texts;
  for (int f = 0; f < set.FieldCount(); ++f) texts.push_back(set.FieldAt(f).AsString());
  return texts;
}

std::string Replaced(std::string text, const std::string& value) {
  return text.replace(text.find("%1"), 2, value);
}

}  // namespace

QuotationRecord::QuotationRecord(Connection& connection)
    : connection_(connection),
      header_(std::make_unique<CommandRecordSet>(connection, "QuotationHeader")),
      lines_(std::make_unique<CommandRecordSet>(connection, "QuotationLines")) {
  header_->SetCommandText("select * from Quomaster where Cust_no = :c and quotation_number = :q");
  lines_->SetCommandText(
      "select * from QuoDilate where Cust_no = :c and quotation_number = :q order by serial_number");
}

QuotationRecord::~QuotationRecord() = default;

void QuotationRecord::OpenSets(const std::string& custNo, const std::string& number) {
  for (CommandRecordSet* set : {header_.get(), lines_.get()}) {
    set->Close();
    set->Params().Set("c", custNo);
    set->Params().Set("q", number);
    set->Open();
    set->ReadAll();
  }
}

QuotationRecord::Snapshot QuotationRecord::Read() {
  Snapshot snapshot;
  if (!header_->IsEmpty()) snapshot.header = RowTexts(*header_);
  for (lines_->First(); !lines_->Eof(); lines_->Next()) snapshot.lines.push_back(RowTexts(*lines_));
  return snapshot;
}

bool QuotationRecord::Load(const std::string& custNo, const std::string& number) {
  OpenSets(custNo, number);
  if (header_->IsEmpty()) return false;
  snapshot_ = Read();
  loaded_ = {};
  for (const HeaderField& field : kHeaderFields)
    loaded_.*field.member = header_->FieldByName(field.column).AsString();
  for (lines_->First(); !lines_->Eof(); lines_->Next()) {
    DraftLine& line = loaded_.lines.emplace_back();
    for (const LineField& field : kLineFields)
      line.*field.member = lines_->FieldByName(field.column).AsString();
  }
  stored_ = true;
  return true;
}

void QuotationRecord::Start() {
  loaded_ = {};
  snapshot_ = {};
  stored_ = false;
}

void QuotationRecord::CheckUnchanged(const char* conflict) {
  OpenSets(loaded_.custNo, loaded_.number);
  if (Read() != snapshot_) throw StoreError(conflict);
}

void QuotationRecord::Write(const QuotationDraft& draft) {
  for (const HeaderField& field : kHeaderFields)
    header_->FieldByName(field.column).SetAsString(draft.*field.member);
  header_->Post();
  if (stored_)
    while (!lines_->IsEmpty()) {
      lines_->First();
      lines_->Delete();
    }
  for (std::size_t n = 0; n < draft.lines.size(); ++n) {
    lines_->Append();
    lines_->FieldByName("Cust_no").SetAsString(draft.custNo);
    lines_->FieldByName("quotation_number").SetAsString(draft.number);
    lines_->FieldByName("serial_number").SetAsString(std::to_string(n + 1));
    for (const LineField& field : kLineFields)
      lines_->FieldByName(field.column).SetAsString(draft.lines[n].*field.member);
    lines_->Post();
  }
}

void QuotationRecord::Save(const QuotationDraft& draft) {
  if (draft.custNo.empty()) throw StoreError(kNoCustomer);
  if (draft.number.empty()) throw StoreError(kNoNumber);
  {
    Transaction transaction(connection_);
    if ((!stored_ || draft.number != loaded_.number) && QuotationNumbers(connection_).Taken(draft.number))
      throw StoreError(Replaced(kNumberTaken, draft.number));
    if (stored_) {
      CheckUnchanged(kUpdateConflict);
      header_->Edit();
    } else {
      OpenSets(draft.custNo, draft.number);
      header_->Append();
    }
    if (watchers_.beforeSave) watchers_.beforeSave(draft);
    Write(draft);
    if (watchers_.afterSave) watchers_.afterSave(draft);
    transaction.Commit();
  }
  Load(draft.custNo, draft.number);
}

void QuotationRecord::Remove() {
  if (!stored_) return Start();
  {
    Transaction transaction(connection_);
    CheckUnchanged(kDeleteConflict);
    if (watchers_.beforeRemove) watchers_.beforeRemove();
    // The header first: a line another user posts meanwhile then waits for it and is refused.
    header_->Delete();
    while (!lines_->IsEmpty()) {
      lines_->First();
      lines_->Delete();
    }
    transaction.Commit();
  }
  Start();
}

}  // namespace store
