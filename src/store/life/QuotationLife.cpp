#include "store/life/QuotationLife.h"

#include <ctime>

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/Parameters.h"
#include "store/StoreError.h"
#include "store/Stores.h"
#include "store/Text.h"
#include "store/life/IssuedBytes.h"
#include "store/life/LifeRows.h"
#include "store/life/LifeSchema.h"
#include "store/life/LifeWrites.h"

namespace store::life {

namespace {

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::int64_t ToNumber(const std::string& text) { return text.empty() ? 0 : std::stoll(text); }

Parameters IdParameter(std::int64_t id) {
  Parameters params;
  params.Set("id", std::to_string(id));
  return params;
}

}  // namespace

void QuotationLife::Stamp() { when_ = UtcNow(); }

std::string RevisionNumber(std::string_view number, int revision) {
  return revision == 0 ? std::string(number) : std::string(number) + "-R" + std::to_string(revision);
}

QuotationLife::QuotationLife(Connection& connection) : connection_(connection) {
  EnsureLifeTables(connection_.Store());
  who_ = Store().UserName();
}

Backend& QuotationLife::Store() const { return connection_.Store(); }

LifeRecord QuotationLife::Record(const QuotationKey& key) const {
  LifeRows rows(Store(), "select * from QuoLife where cust_no = :customer and quotation_number = :number",
                KeyParameters(key));
  LifeRecord record;
  record.key = key;
  if (rows.Count() == 0) return record;
  record.id = ToNumber(rows.Text(0, "life_id"));
  record.state = StateNamed(rows.Text(0, "state")).value_or(QuotationState::Draft);
  record.reason = rows.Text(0, "reason");
  record.revision = static_cast<int>(ToNumber(rows.Text(0, "revision")));
  return record;
}

LifeRecord QuotationLife::Current(const LifeRecord& asRead) const {
  LifeRecord now = Record(asRead.key);
  if (now != asRead) Conflict();
  return now;
}

std::int64_t QuotationLife::Create(const LifeRecord& now) {
  LifeRows last(Store(), "select * from QuoLife order by life_id desc limit 1", Parameters());
  const std::int64_t id = last.Count() ? ToNumber(last.Text(0, "life_id")) + 1 : 1;
  try {
    Store().Run(
        "insert into QuoLife (life_id, cust_no, quotation_number, state, reason, revision) values "
        "(?, ?, ?, ?, ?, ?)",
        {Number(id), Text(now.key.customer), Text(now.key.number), Text(std::string(StateName(now.state))),
         Text(Optional(now.reason)), Number(now.revision)});
  } catch (const StoreError&) {
    Conflict();  // another user gave the quotation a life at the same moment
  }
  return id;
}

std::int64_t QuotationLife::Put(const LifeRecord& asRead, const LifeRecord& now) {
  if (asRead.id == 0) return Create(now);
  const std::int64_t changed = Store().Run(
      "update QuoLife set cust_no = ?, quotation_number = ?, state = ?, reason = ?, revision = ? "
      "where life_id = ? and state = ? and revision = ?",
      {Text(now.key.customer), Text(now.key.number), Text(std::string(StateName(now.state))),
       Text(Optional(now.reason)), Number(now.revision), Number(asRead.id),
       Text(std::string(StateName(asRead.state))), Number(asRead.revision)});
  if (changed == 0) Conflict();
  return asRead.id;
}

void QuotationLife::Write(std::int64_t id, const std::string& what, const std::string& line,
                          const std::string& field, const std::optional<std::string>& before,
                          const std::optional<std::string>& after) {
  Store().Run(
      "insert into QuoHistory (life_id, changed_at, changed_by, what, line, field, old_value, "
      "new_value) values (?, ?, ?, ?, ?, ?, ?, ?)",
      {Number(id), Text(when_), Text(who_), Text(what), Text(Optional(line)), Text(Optional(field)),
       Text(before), Text(after)});
}

std::vector<IssuedCopy> QuotationLife::IssuedCopies(const QuotationKey& key) const {
  const LifeRecord record = Record(key);
  std::vector<IssuedCopy> copies;
  if (record.id == 0) return copies;
  LifeRows rows(Store(), "select * from QuoIssued where life_id = :id order by revision",
                IdParameter(record.id));
  for (int row = 0; row < rows.Count(); ++row) {
    IssuedCopy copy;
    copy.revision = static_cast<int>(ToNumber(rows.Text(row, "revision")));
    copy.number = rows.Text(row, "quotation_number");
    copy.snapshot = QuotationSnapshot::Decode(rows.Text(row, "header"), rows.Text(row, "lines"));
    copy.pdf = FromBase64(rows.Text(row, "pdf_base64"));
    copy.sha256 = rows.Text(row, "pdf_sha256");
    copy.issuedBy = rows.Text(row, "issued_by");
    copy.issuedAt = rows.Text(row, "issued_at");
    copy.superseded = copy.revision < record.revision;
    copies.push_back(std::move(copy));
  }
  return copies;
}

std::vector<HistoryEntry> QuotationLife::History(const QuotationKey& key) const {
  const LifeRecord record = Record(key);
  std::vector<HistoryEntry> entries;
  if (record.id == 0) return entries;
  LifeRows rows(Store(),
                std::string("select * from QuoHistory where life_id = :id order by ") + Store().RowIdColumn(),
                IdParameter(record.id));
  for (int row = 0; row < rows.Count(); ++row)
    entries.push_back({rows.Text(row, "changed_at"), rows.Text(row, "changed_by"), rows.Text(row, "what"),
                       rows.Text(row, "line"), rows.Text(row, "field"), rows.Value(row, "old_value"),
                       rows.Value(row, "new_value")});
  return entries;
}

QuotationSnapshot QuotationLife::Current(const QuotationKey& key) const {
  return QuotationSnapshot::Read(Store(), key);
}

std::string QuotationLife::CustomerEmail(const std::string& customer) const {
  Parameters params;
  params.Set("customer", customer);
  LifeRows rows(Store(), "select * from customer where cust_no = :customer", params);
  return rows.Count() ? std::string(TrimBlanks(rows.Text(0, "email"))) : "";
}

std::vector<LifeSummary> QuotationLife::Summaries() const {
  const std::vector<TextRow> rows = Store().Rows(
      "select l.cust_no, l.quotation_number, l.state, l.revision, (select max(i.revision) from QuoIssued i "
      "where i.life_id = l.life_id) from QuoLife l",
      {});
  std::vector<LifeSummary> summaries;
  for (const TextRow& row : rows) {
    LifeSummary summary{{row[0].value_or(""), row[1].value_or("")},
                        StateNamed(row[2].value_or("")).value_or(QuotationState::Draft),
                        static_cast<int>(ToNumber(row[3].value_or(""))),
                        ""};
    if (row[4]) summary.sent = RevisionNumber(summary.key.number, static_cast<int>(ToNumber(*row[4])));
    summaries.push_back(std::move(summary));
  }
  return summaries;
}

}  // namespace store::life
