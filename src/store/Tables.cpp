#include "store/Tables.h"

#include "store/Text.h"

namespace store {

namespace {

using K = FieldKind;

std::vector<TableDescription> Describe() {
  return {
      {"customer",
       {{"cust_no", K::Text, true},
        {"cust_name", K::Text},
        {"all_name", K::Text},
        {"incaddr", K::Text},
        {"linkman", K::Text},
        {"tel1", K::Text},
        {"tel2", K::Text},
        {"fax", K::Text},
        {"PostalCode", K::Text},
        {"email", K::Text},
        {"sales", K::Text},
        {"ap_user", K::Text},
        {"ed_user", K::Text},
        {"create_date", K::Date},
        {"last_date", K::Date}},
       {"primary key (cust_no)"},
       {}},
      {"Quomaster",
       {{"Cust_no", K::Text, true},
        {"quotation_number", K::Text, true},
        {"pay_mode", K::Text},
        {"pay_condition", K::Text},
        {"consign_mode", K::Text},
        {"money_type", K::Text},
        {"tax_type", K::Text},
        {"tax_rate", K::Float},
        {"quotation_date", K::Date},
        {"availability_date", K::Date},
        {"sales", K::Text},
        {"ap_user", K::Text},
        {"ed_user", K::Text},
        {"ap_date", K::Date},
        {"ed_data", K::Date}},
       {"unique (Cust_no, quotation_number)"},
       {}},
      {"QuoDilate",
       {{"Cust_no", K::Text},
        {"quotation_number", K::Text},
        {"serial_number", K::Integer},
        {"name_number", K::Text},
        {"standard", K::Text},
        {"width", K::Float},
        {"high", K::Float},
        {"length", K::Float},
        {"amount", K::Float},
        {"price", K::Float},
        {"totle", K::Float},
        {"ap_user", K::Text},
        {"ed_user", K::Text},
        {"ap_date", K::Date}},
       {},
       {"create index QuoDilate_header on QuoDilate (Cust_no, quotation_number)"}},
  };
}

std::string TableSql(const TableDescription& table, const TableDialect& dialect) {
  std::string sql = std::string("create table ") + table.name + " (";
  const char* separator = "\n  ";
  for (const ColumnDescription& column : table.columns) {
    sql.append(separator).append(column.name).append(" ").append(dialect.typeName(column.kind));
    if (column.notNull) sql += " not null";
    separator = ",\n  ";
  }
  if (!dialect.extraColumn.empty()) sql.append(separator).append(dialect.extraColumn);
  for (const std::string& constraint : table.constraints) sql.append(separator).append(constraint);
  return sql + "\n);\n";
}

}  // namespace

const std::vector<TableDescription>& DatabaseTables() {
  static const std::vector<TableDescription> tables = Describe();
  return tables;
}

const ColumnDescription* FindColumn(std::string_view table, std::string_view column) {
  for (const TableDescription& description : DatabaseTables()) {
    if (!SameText(description.name, table)) continue;
    for (const ColumnDescription& candidate : description.columns)
      if (SameText(candidate.name, column)) return &candidate;
  }
  return nullptr;
}

std::string CreateTablesSql(const TableDialect& dialect) {
  std::string sql;
  for (const TableDescription& table : DatabaseTables()) sql += TableSql(table, dialect);
  for (const TableDescription& table : DatabaseTables())
    for (const std::string& index : table.indexes) sql += index + ";\n";
  return sql;
}

}  // namespace store
