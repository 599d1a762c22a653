#include "store/QuotationRegister.h"

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/Transaction.h"
#include "store/WorkspaceSql.h"

namespace store {

namespace {

constexpr const char* kSelect =
    "select m.Cust_no, c.cust_name, m.quotation_number, m.quotation_date, m.availability_date, m.sales, "
    "m.money_type, m.tax_type, m.tax_rate, s.line_count, s.subtotal from Quomaster m "
    "left join customer c on c.cust_no = m.Cust_no "
    "left join QuoSummary s on s.Cust_no = m.Cust_no and s.quotation_number = m.quotation_number where 1 = 1";
constexpr const char* kOrder = " order by m.quotation_date desc, m.quotation_number";
constexpr const char* kSearched[] = {"m.Cust_no",          "c.cust_name", "c.all_name",
                                     "m.quotation_number", "m.sales",     "s.line_text"};

bool SummaryExists(Backend& store) {
  std::vector<TextRow> rows = store.Rows(store.Workspace().summaryExists, {});
  return !rows.empty() && rows[0][0] && *rows[0][0] != "0";
}

std::string Text(const std::optional<std::string>& value) { return value.value_or(""); }

RegisterRow ToRow(const TextRow& row) {
  RegisterRow out{Text(row[0]), Text(row[1]), Text(row[2]), Text(row[3]), Text(row[4]),
                  Text(row[5]), Text(row[6]), Text(row[7]), Text(row[8]), 0,
                  Text(row[10])};
  if (row[9]) out.lineCount = std::stoi(*row[9]);
  return out;
}

}  // namespace

QuotationRegister::QuotationRegister(Connection& connection) : connection_(connection) {
  Prepare(connection);
}

void QuotationRegister::Prepare(Connection& connection) {
  connection.Open();
  Backend& store = connection.Store();
  if (SummaryExists(store)) return;
  try {
    Transaction transaction(connection);
    for (const std::string& statement : store.Workspace().setup) store.Run(statement, {});
    transaction.Commit();
  } catch (const StoreError&) {
    // Another program made it meanwhile.
    if (!SummaryExists(store)) throw;
  }
}

std::string QuotationRegister::SearchTerm(const std::string& typed) {
  std::string term;
  for (char c : typed)
    if (static_cast<unsigned char>(c) >= 32 && c != 127) term += c;
  return term;
}

std::vector<RegisterRow> QuotationRegister::Find(const RegisterFilter& filter) const {
  Backend& store = connection_.Store();
  std::string sql = kSelect;
  std::vector<BoundValue> values;
  if (!filter.from.empty()) {
    sql += " and m.quotation_date >= ?";
    values.push_back({FieldKind::Text, filter.from});
  }
  if (!filter.to.empty()) {
    sql += " and m.quotation_date <= ?";
    values.push_back({FieldKind::Text, filter.to});
  }
  if (const std::string term = SearchTerm(filter.text); !term.empty()) {
    std::string any;
    for (const char* column : kSearched) {
      any += (any.empty() ? "" : " or ") + store.Workspace().position + "(" + column + ", ?) > 0";
      values.push_back({FieldKind::Text, term});
    }
    sql += " and (" + any + ")";
  }
  std::vector<RegisterRow> rows;
  for (const TextRow& row : store.Rows(sql + kOrder, values)) rows.push_back(ToRow(row));
  return rows;
}

}  // namespace store
