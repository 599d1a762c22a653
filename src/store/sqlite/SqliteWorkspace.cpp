#include <sqlite3.h>

#include "store/FieldValue.h"
#include "store/sqlite/SqliteBackend.h"
#include "store/sqlite/SqliteValues.h"
#include "store/sqlite/Statement.h"
#include "store/WorkspaceSql.h"

namespace store::sqlite {

namespace {

// A text the search cannot match across: group_concat with distinct would
// join by commas, so the distinct texts are joined in a subquery instead.
constexpr const char* kLineText =
    "char(31) || (select group_concat(t, char(31)) from (select distinct coalesce(d.name_number, '') || "
    "char(31) || coalesce(d.standard, '') t from QuoDilate d where d.Cust_no = q.Cust_no and "
    "d.quotation_number = q.quotation_number)) || char(31)";

std::string Summarise(const std::string& where) {
  return std::string(
             "insert or replace into QuoSummary select Cust_no, quotation_number, count(*), sum(totle), ") +
         kLineText + " from QuoDilate q where " + where + " group by Cust_no, quotation_number";
}

// Recomputes the summary of the header that the trigger's `row` ("new", "old") names.
std::string Refresh(const std::string& row) {
  std::string key = "Cust_no = " + row + ".Cust_no and quotation_number = " + row + ".quotation_number";
  return "delete from QuoSummary where " + key + "; " + Summarise(key) + "; ";
}

WorkspaceSql MakeSql() {
  return {
      "select count(*) from sqlite_master where type = 'table' and name = 'QuoSummary'",
      {"create table QuoSummary (Cust_no text not null, quotation_number text not null, "
       "line_count integer not null, subtotal real, line_text text, primary key (Cust_no, quotation_number))",
       Summarise("Cust_no is not null and quotation_number is not null"),
       "create trigger QuoSummary_insert after insert on QuoDilate begin " + Refresh("new") + "end",
       "create trigger QuoSummary_delete after delete on QuoDilate begin " + Refresh("old") + "end",
       "create trigger QuoSummary_update after update on QuoDilate begin " + Refresh("old") + Refresh("new") +
           "end",
       "create index if not exists QuoDilate_product on QuoDilate (name_number)",
       "create index if not exists QuoDilate_customer_product on QuoDilate (Cust_no, name_number)",
       "create index if not exists Quomaster_number on Quomaster (quotation_number)",
       "create index if not exists Quomaster_date on Quomaster (quotation_date)"},
      "instr",
      ""};
}

std::optional<std::string> CellText(sqlite3_stmt* stmt, int column) {
  switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
      return std::nullopt;
    case SQLITE_FLOAT:
      return FormatDouble(sqlite3_column_double(stmt, column));
    default:
      return std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                         static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)));
  }
}

}  // namespace

std::vector<TextRow> SqliteBackend::Rows(const std::string& sql, const std::vector<BoundValue>& values) {
  Statement statement(db_, sql);
  for (std::size_t i = 0; i < values.size(); ++i)
    BindStoredValue(statement, static_cast<int>(i) + 1, values[i].kind, values[i].value);
  std::vector<TextRow> rows;
  const int columns = sqlite3_column_count(statement.Handle());
  while (statement.Step()) {
    TextRow& row = rows.emplace_back(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) row[static_cast<std::size_t>(c)] = CellText(statement.Handle(), c);
  }
  return rows;
}

const WorkspaceSql& SqliteBackend::Workspace() const {
  static const WorkspaceSql sql = MakeSql();
  return sql;
}

}  // namespace store::sqlite
