#include "store/pg/ServerBackend.h"

#include <cctype>

#include "store/Parameters.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"
#include "store/life/LifeSchema.h"
#include "store/pg/NumberedParameters.h"
#include "store/pg/ServerRows.h"

namespace store::pg {

namespace {

std::optional<std::string> Owned(std::optional<std::string_view> value) {
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

void AddOriginals(PgValues& values, std::int64_t rowId, const RowCache::Cell* originals,
                  std::size_t columns) {
  values.push_back(std::to_string(rowId));
  for (std::size_t c = 0; c < columns; ++c)
    values.push_back(originals[c].null
                         ? std::nullopt
                         : std::optional<std::string>(std::string(originals[c].data, originals[c].size)));
}

PgValues Texts(const std::vector<ColumnValue>& values, std::vector<int>& columns) {
  PgValues texts;
  for (const ColumnValue& value : values) {
    columns.push_back(value.column);
    texts.push_back(Owned(value.value));
  }
  return texts;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

ServerBackend::ServerBackend(std::string uri) : connection_(std::move(uri)) {}

const ServerStatements& ServerBackend::StatementsFor(const std::string& table) {
  std::unique_ptr<ServerStatements>& statements = tables_[Lower(table)];
  if (!statements) {
    try {
      statements = std::make_unique<ServerStatements>(table, ServerColumns(connection_, table));
    } catch (...) {
      tables_.erase(Lower(table));
      throw;
    }
  }
  return *statements;
}

std::unique_ptr<RowSource> ServerBackend::Select(const SelectStatement& statement, const Parameters& params) {
  const ServerStatements& table = StatementsFor(statement.table);
  NumberedParameters numbered =
      NumberedParameters::From(ServerSelect(table.Columns(), statement.table, statement.rest));
  PgValues values;
  for (const std::string& name : numbered.names) {
    const std::optional<std::string>* value = params.Find(name);
    values.push_back(value ? *value : std::nullopt);
  }
  return std::make_unique<ServerRows>(connection_.Execute(numbered.sql, values));
}

StoredRow ServerBackend::Insert(const std::string& table, const std::vector<SourceColumn>& /*columns*/,
                                const std::vector<ColumnValue>& values) {
  std::vector<int> written;
  PgValues texts = Texts(values, written);
  auto row = FirstRow(connection_.Execute(StatementsFor(table).Insert(written), texts));
  if (!row) throw StoreError("The server returned no row for the insert");
  return *row;
}

std::optional<StoredRow> ServerBackend::Update(const std::string& table,
                                               const std::vector<SourceColumn>& columns,
                                               const std::vector<ColumnValue>& values, std::int64_t rowId,
                                               const RowCache::Cell* originals) {
  std::vector<int> written;
  PgValues texts = Texts(values, written);
  AddOriginals(texts, rowId, originals, columns.size());
  return FirstRow(connection_.Execute(StatementsFor(table).Update(written), texts));
}

bool ServerBackend::Delete(const std::string& table, const std::vector<SourceColumn>& columns,
                           std::int64_t rowId, const RowCache::Cell* originals) {
  PgValues texts;
  AddOriginals(texts, rowId, originals, columns.size());
  return connection_.Execute(StatementsFor(table).Delete(), texts).AffectedRows() > 0;
}

std::int64_t ServerBackend::Run(const std::string& sql, const std::vector<BoundValue>& values) {
  PgValues texts;
  for (const BoundValue& value : values) texts.push_back(value.value);
  return connection_.Execute(NumberedParameters::From(sql).sql, texts).AffectedRows();
}

// The same rule as CustomerSerial: after the first character (of any width)
// three digits and the digits that follow, or one or two digits to the end;
// the largest int has no next number and takes no part.
std::optional<int> ServerBackend::HighestCustomerSerial() {
  PgResult result = connection_.Execute(
      "select max(serial) from (select substring(cust_no from '^.([0-9]{3}[0-9]*|[0-9]{1,2}$)')::numeric "
      "as serial from customer) numbers where serial < 2147483647");
  if (result.IsNull(0, 0)) return std::nullopt;
  return std::stoi(std::string(result.Text(0, 0)));
}
const std::vector<std::string>& ServerBackend::LifeTableStatements() const {
  return life::LifeTableStatements(true);
}

std::string ServerBackend::UserName() { return std::string(connection_.Execute("select current_user").Text(0, 0)); }

std::string ServerBackend::Identifier(std::string_view name) const {
  std::string quoted = "\"";
  return quoted.append(Lower(std::string(name))).append("\"");
}

void ServerBackend::Savepoint() {
  ownTransaction_ = !connection_.InTransaction();
  if (ownTransaction_)
    connection_.Begin();
  else
    connection_.Execute("savepoint linked_rows");
}

void ServerBackend::ReleaseSavepoint() {
  if (ownTransaction_) {
    ownTransaction_ = false;
    connection_.Commit();
  } else {
    connection_.Execute("release savepoint linked_rows");
  }
}

void ServerBackend::UndoSavepoint() {
  if (ownTransaction_) {
    ownTransaction_ = false;
    return connection_.Rollback();
  }
  try {
    connection_.Execute("rollback to savepoint linked_rows");
    connection_.Execute("release savepoint linked_rows");
  } catch (const StoreError&) {
    // The session went with the transaction: nothing is left to undo.
  }
}

}  // namespace store::pg
