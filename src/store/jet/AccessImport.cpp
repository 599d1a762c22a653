#include "store/jet/AccessImport.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "store/Backend.h"
#include "store/FieldValue.h"
#include "store/StoreType.h"
#include "store/Stores.h"
#include "store/TargetDatabase.h"
#include "store/Text.h"
#include "store/jet/JetChildReader.h"
#include "store/jet/JetText.h"

namespace store::jet {

namespace {

constexpr std::size_t kBatchRows = 1024;
constexpr int kProgressEvery = 256;

using Row = Backend::ValueRow;

// Warnings grouped by kind, in the order the kinds first occur.
class Warnings {
 public:
  void Add(const std::string& kind, std::string item) {
    auto [entry, added] = index_.try_emplace(kind, kinds_.size());
    if (added) kinds_.push_back({kind, {}});
    kinds_[entry->second].items.push_back(std::move(item));
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const Kind& kind : kinds_)
      for (const std::string& item : kind.items) lines.push_back(kind.name + ": " + item);
    return lines;
  }

 private:
  struct Kind {
    std::string name;
    std::vector<std::string> items;
  };
  std::vector<Kind> kinds_;
  std::map<std::string, std::size_t> index_;
};

struct TableImport {
  std::string name;
  std::vector<SourceColumn> columns;  // the target's
  std::vector<int> source;            // per target column: the file's column, or -1
  std::vector<JetType> types;         // per target column: the file's type
  std::vector<int> key;               // target columns that name a row
  bool uniqueKey = false;
  std::int64_t declared = 0, read = 0;
  std::vector<Row> rows;  // as written, in order
  std::size_t written = 0;
  std::set<std::string> keys;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

int ColumnOf(const std::vector<SourceColumn>& columns, const char* name) {
  for (std::size_t c = 0; c < columns.size(); ++c)
    if (SameText(columns[c].name, name)) return static_cast<int>(c);
  return -1;
}

bool SameValue(FieldKind kind, const JetValue& written, std::optional<std::string_view> stored) {
  if (!written || !stored) return !written && !stored;
  if (*written == *stored) return true;
  if (kind == FieldKind::Float || kind == FieldKind::Integer)
    return std::strtod(written->c_str(), nullptr) == std::strtod(std::string(*stored).c_str(), nullptr);
  return *written == *stored;
}

class Importer {
 public:
  Importer(const std::string& source, const std::string& target, const ImportOptions& options)
      : source_(source), target_(target), options_(options) {}
  ImportSummary Run();

 private:
  void Catalog(const JetChildReader::Event& catalog);
  void Read(JetChildReader& reader);
  void StartTable(const JetTableInfo& info);
  void MapColumns(TableImport& table, const JetTableInfo& info);
  void AddRow(JetRow& row);
  bool Admit(TableImport& table, const Row& values);
  void HoldCurrency(const TableImport& table, Row& values);
  void Write(TableImport& table);
  void FinishTable();
  void Verify(const TableImport& table);
  void CheckLinks();
  void Discard() noexcept;
  std::string RowName(const TableImport& table, const Row& values) const;
  const TableImport* Find(const char* name) const;

  std::string source_, target_;
  const ImportOptions& options_;
  ImportSummary summary_;
  Warnings warnings_;
  std::unique_ptr<Backend> store_;
  bool made_ = false;
  std::vector<TableImport> tables_;
  std::int64_t done_ = 0, total_ = 0;
};

ImportSummary Importer::Run() {
  if (!IsAccessFile(source_)) throw StoreError("'" + source_ + "' is not an Access database file.");
  if (!options_.encoding.empty())
    CodePageText known(options_.encoding);  // a wrong name fails here, whatever the file
  JetChildReader reader(source_, {std::begin(kDatabaseTables), std::end(kDatabaseTables)}, options_.encoding,
                        options_.stallLimit);
  Catalog(reader.Next());
  try {
    store_ = OpenTarget(target_, made_);
    RefuseRows(*store_);
    store_->Begin();
    Read(reader);
    for (const TableImport& table : tables_) Verify(table);
    CheckLinks();
    store_->Commit();
  } catch (...) {
    Discard();
    throw;
  }
  for (const TableImport& table : tables_)
    summary_.tables.emplace_back(table.name, static_cast<std::int64_t>(table.rows.size()));
  summary_.warnings = warnings_.Lines();
  return summary_;
}

void Importer::Catalog(const JetChildReader::Event& catalog) {
  summary_.format = catalog.format + (catalog.encoding.empty() ? "" : ", text read as " + catalog.encoding);
  total_ = catalog.declaredRows;
  if (!options_.encoding.empty() && catalog.encoding.empty())
    warnings_.Add("encoding not used",
                  "the file's text is Unicode; " + options_.encoding + " applies to Access 97 files");
  std::vector<std::string> missing;
  for (const char* wanted : kDatabaseTables) {
    bool found = false;
    for (const std::string& name : catalog.names) found = found || SameText(name, wanted);
    if (!found) missing.push_back(wanted);
  }
  if (missing.size() == std::size(kDatabaseTables))
    throw StoreError("'" + source_ + "' holds none of the tables customer, Quomaster and QuoDilate" +
                     (catalog.names.empty() ? std::string(" (no table could be found in it: is it damaged?)")
                                            : "; its tables are " + Joined(catalog.names)) +
                     ". Nothing was imported.");
  for (const std::string& name : missing) warnings_.Add("table missing from the file, left empty", name);
}

void Importer::Read(JetChildReader& reader) {
  for (;;) {
    JetChildReader::Event& event = reader.Next();
    switch (event.kind) {
      case JetChildReader::Event::Kind::Table:
        StartTable(event.table);
        break;
      case JetChildReader::Event::Kind::Row:
        AddRow(event.row);
        break;
      case JetChildReader::Event::Kind::Note:
        warnings_.Add("value not read", event.text);
        break;
      case JetChildReader::Event::Kind::TableEnd:
        FinishTable();
        break;
      case JetChildReader::Event::Kind::Done:
        return;
      case JetChildReader::Event::Kind::Catalog:
        break;
    }
  }
}

void Importer::StartTable(const JetTableInfo& info) {
  TableImport table;
  for (const char* name : kDatabaseTables)
    if (SameText(name, info.name)) table.name = name;
  table.columns = ReadTable(*store_, table.name).columns;
  table.declared = info.declaredRows;
  MapColumns(table, info);
  for (const char* name : {"cust_no", "quotation_number", "serial_number"})
    if (int column = ColumnOf(table.columns, name); column >= 0) table.key.push_back(column);
  table.uniqueKey = table.name != "QuoDilate";  // lines have no key of their own
  tables_.push_back(std::move(table));
}

void Importer::MapColumns(TableImport& table, const JetTableInfo& info) {
  std::vector<std::string> missing, ignored;
  std::vector<bool> used(info.columns.size());
  for (const SourceColumn& column : table.columns) {
    int found = -1;
    for (std::size_t c = 0; c < info.columns.size(); ++c)
      if (SameText(info.columns[c].name, column.name)) found = static_cast<int>(c);
    table.source.push_back(found);
    table.types.push_back(found >= 0 ? info.columns[found].type : JetType::Text);
    if (found < 0)
      missing.push_back(column.name);
    else
      used[found] = true;
    if (found >= 0 && !IsReadable(info.columns[found].type))
      warnings_.Add("column of a type not imported, left empty",
                    table.name + "." + column.name + " (" + TypeName(info.columns[found].type) + ")");
  }
  for (std::size_t c = 0; c < info.columns.size(); ++c)
    if (!used[c]) ignored.push_back(info.columns[c].name + " (" + TypeName(info.columns[c].type) + ")");
  if (!missing.empty())
    warnings_.Add("columns missing from the file, left empty", table.name + ": " + Joined(missing));
  if (!ignored.empty())
    warnings_.Add("columns of the file not imported", table.name + ": " + Joined(ignored));
}

void Importer::AddRow(JetRow& row) {
  TableImport& table = tables_.back();
  ++table.read;
  Row values(table.columns.size());
  for (std::size_t c = 0; c < values.size(); ++c) {
    if (table.source[c] < 0 || !IsReadable(table.types[c])) continue;
    values[c] = std::move(row[table.source[c]]);
    // The program's own dates have no time; a time of day is kept when there is one.
    if (values[c] && table.columns[c].kind == FieldKind::Date && values[c]->ends_with("T00:00:00"))
      values[c]->resize(values[c]->size() - 9);
  }
  if (Admit(table, values)) {
    HoldCurrency(table, values);
    table.rows.push_back(std::move(values));
    if (table.rows.size() - table.written >= kBatchRows) Write(table);
  }
  if (++done_ % kProgressEvery == 0 && options_.progress && !options_.progress({table.name, done_, total_}))
    throw ImportCancelled();
}

// False for a row the target's key refuses (no key, or one seen before).
bool Importer::Admit(TableImport& table, const Row& values) {
  std::string key;
  for (int column : table.key) {
    if (!values[column] && table.uniqueKey) {
      warnings_.Add("row without its key, not imported", table.name + " " + RowName(table, values));
      return false;
    }
    key += values[column].value_or("\x1e") + '\x1f';
  }
  if (!table.keys.insert(key).second) {
    if (table.uniqueKey) {
      warnings_.Add("duplicate key, later row not imported", table.name + " " + RowName(table, values));
      return false;
    }
    warnings_.Add("duplicate line number (imported)", table.name + " " + RowName(table, values));
  }
  return true;
}

// Currency goes into a number column as the double nearest to it, in the
// store's own text; an amount that double cannot tell apart from its
// neighbours is named.
void Importer::HoldCurrency(const TableImport& table, Row& values) {
  for (std::size_t c = 0; c < values.size(); ++c) {
    if (table.types[c] != JetType::Money || !values[c] || table.columns[c].kind != FieldKind::Float) continue;
    std::string digits = *values[c];
    digits.erase(digits.size() - 5, 1);  // the point before the four decimals
    const long long tenThousandths = std::strtoll(digits.c_str(), nullptr, 10);
    const double held = static_cast<double>(tenThousandths) / 10000;
    if (std::llround(held * 10000) != tenThousandths)
      warnings_.Add("Currency value a number column cannot hold exactly",
                    table.name + " " + RowName(table, values) + " " + table.columns[c].name + ": " +
                        *values[c] + " stored as " + FormatDouble(held));
    values[c] = FormatDouble(held);
  }
}

void Importer::Write(TableImport& table) {
  store_->InsertRows(table.name, table.columns, std::span<const Row>(table.rows).subspan(table.written));
  table.written = table.rows.size();
}

void Importer::FinishTable() {
  TableImport& table = tables_.back();
  Write(table);
  if (table.read != table.declared)
    throw StoreError(
        "The Access file declares " + std::to_string(table.declared) + " rows in table " + table.name +
        " but " + std::to_string(table.read) +
        " could be read: the file is damaged. Repair it in Access (Compact and Repair) and import "
        "again.");
  if (options_.progress && !options_.progress({table.name, done_, total_})) throw ImportCancelled();
}

// Reads the table back: every value must be there as written, or be named.
void Importer::Verify(const TableImport& table) {
  const TableRows stored = ReadTable(*store_, table.name);
  if (stored.rows->Size() != static_cast<int>(table.rows.size()))
    throw StoreError("After the import table " + table.name + " holds " +
                     std::to_string(stored.rows->Size()) + " rows instead of " +
                     std::to_string(table.rows.size()));
  for (int r = 0; r < stored.rows->Size(); ++r)
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      const auto value = stored.rows->Value(r, static_cast<int>(c));
      if (SameValue(table.columns[c].kind, table.rows[r][c], value)) continue;
      warnings_.Add("value the target holds differently",
                    table.name + " " + RowName(table, table.rows[r]) + " " + table.columns[c].name + ": " +
                        table.rows[r][c].value_or("NULL") + " stored as " +
                        (value ? std::string(*value) : std::string("NULL")));
    }
}

void Importer::CheckLinks() {
  const TableImport* customers = Find("customer");
  const TableImport* headers = Find("Quomaster");
  const TableImport* lines = Find("QuoDilate");
  const auto part = [](const TableImport& table, const Row& row, std::size_t k) {
    return row[table.key[k]].value_or("");
  };
  std::set<std::string> numbers, folded;
  if (customers)
    for (const Row& row : customers->rows) {
      numbers.insert(part(*customers, row, 0));
      folded.insert(Lower(part(*customers, row, 0)));
    }
  std::set<std::pair<std::string, std::string>> keys;
  if (headers)
    for (const Row& row : headers->rows) {
      keys.emplace(part(*headers, row, 0), part(*headers, row, 1));
      if (numbers.count(part(*headers, row, 0))) continue;
      warnings_.Add("header without a customer",
                    RowName(*headers, row) + (folded.count(Lower(part(*headers, row, 0)))
                                                  ? " (a customer differs only in letter case)"
                                                  : ""));
    }
  if (lines)
    for (const Row& row : lines->rows)
      if (!keys.count({part(*lines, row, 0), part(*lines, row, 1)}))
        warnings_.Add("line without a header", RowName(*lines, row));
}

void Importer::Discard() noexcept {
  if (store_) {
    store_->Rollback();
    store_.reset();
  }
  if (made_) StoreFor(target_).Discard(target_);
}

std::string Importer::RowName(const TableImport& table, const Row& values) const {
  std::string name;
  for (std::size_t k = 0; k < table.key.size(); ++k)
    name += (k == 0 ? "" : k == 1 ? "/" : " #") + values[table.key[k]].value_or("(NULL)");
  return name;
}

const TableImport* Importer::Find(const char* name) const {
  for (const TableImport& table : tables_)
    if (table.name == name) return &table;
  return nullptr;
}

}  // namespace

bool IsAccessFile(const std::string& path) {
  char start[20] = {};
  std::ifstream file(path, std::ios::binary);
  file.read(start, sizeof start);
  const std::string_view magic(start + 4, 15);
  return file.gcount() == sizeof start && (magic == "Standard Jet DB" || magic == "Standard ACE DB");
}

std::string ImportSummary::Text() const {
  std::string text = "Access file: " + format + "\n";
  for (const auto& [table, rows] : tables) text += table + ": " + std::to_string(rows) + " rows imported\n";
  if (!warnings.empty()) text += "warnings:\n";
  for (const std::string& warning : warnings) text += "  " + warning + "\n";
  return text;
}

ImportSummary ImportAccessDatabase(const std::string& source, const std::string& target,
                                   const ImportOptions& options) {
  return Importer(source, target, options).Run();
}

}  // namespace store::jet
