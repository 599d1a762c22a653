#include "store/jet/JetReader.h"

// libmdb's header expects GLib's types already declared.
#include <glib.h>
#include <mdbtools.h>
#include <strings.h>

#include <cmath>
#include <cstring>
#include <set>
#include <utility>

#include "store/FieldValue.h"
#include "store/StoreError.h"
#include "store/jet/JetText.h"
#include "store/jet/JetValues.h"

namespace store::jet {

namespace {

// Row offset flags of a data page.
constexpr unsigned kDeletedRow = 0x8000;  // also set on a moved row's new place
constexpr unsigned kMovedRow = 0x4000;    // the slot holds a pointer to the row's data
constexpr unsigned kOffsetMask = 0x1fff;
constexpr unsigned char kDataPage = 0x01;
constexpr std::uint32_t kMemoInline = 0x80000000u, kMemoOnePage = 0x40000000u, kMemoLength = 0x3fffffffu;
constexpr std::size_t kMemoHeader = 12;
constexpr int kMaxMemoPages = 1 << 20;

std::uint32_t Le(const unsigned char* at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

std::uint32_t Le(const std::string& text, std::size_t at, int bytes) {
  return Le(reinterpret_cast<const unsigned char*>(text.data()) + at, bytes);
}

template <typename T>
T FromBytes(const std::string& bytes) {
  T value{};
  if (bytes.size() == sizeof value) std::memcpy(&value, bytes.data(), sizeof value);  // the file is little-endian
  return value;
}

struct Span {
  const unsigned char* data;
  int start, end;
  unsigned flags;
};

[[noreturn]] void Damaged(const std::string& what) {
  throw StoreError("The Access file is damaged: " + what);
}

struct RawField {
  bool null = true;
  std::string bytes;
};

}  // namespace

struct JetReader::State {
  MdbHandle* mdb = nullptr;
  std::unique_ptr<CodePageText> codePage;
  std::vector<MdbTableDef*> tables;
  std::vector<std::string> notes;
  std::set<std::string> noted;

  ~State() {
    for (MdbTableDef* table : tables) mdb_free_tabledef(table);
    if (mdb) mdb_close(mdb);
  }

  int PageSize() const { return static_cast<int>(mdb->fmt->pg_size); }

  // Row `row` of a page, its bounds checked; nothing when the slot is not there.
  std::optional<Span> Row(const unsigned char* page, int row) const {
    const int counts = mdb->fmt->row_count_offset;
    const int count = static_cast<int>(Le(page + counts, 2));
    const int offsetsEnd = counts + 2 + 2 * count;
    if (row >= count || offsetsEnd > PageSize()) return std::nullopt;
    const unsigned word = Le(page + counts + 2 + 2 * row, 2);
    const int end = row == 0 ? PageSize() : static_cast<int>(Le(page + counts + 2 * row, 2) & kOffsetMask);
    const int start = static_cast<int>(word & kOffsetMask);
    if (start < offsetsEnd || start >= end || end > PageSize()) return std::nullopt;
    return Span{page, start, end, word & (kDeletedRow | kMovedRow)};
  }

  // A row reached by its page-and-row pointer, on the alternate page buffer.
  Span PointedRow(std::uint32_t pointer, const char* what) {
    const std::uint32_t page = pointer >> 8;
    if (mdb_read_alt_pg(mdb, page) != mdb->fmt->pg_size || mdb->alt_pg_buf[0] != kDataPage)
      Damaged(std::string(what) + " points to page " + std::to_string(page) + ", which is no data page");
    auto span = Row(mdb->alt_pg_buf, static_cast<int>(pointer & 0xff));
    if (!span) Damaged(std::string(what) + " points to a row that is not on page " + std::to_string(page));
    return *span;
  }

  void Note(const std::string& text) {
    if (noted.insert(text).second) notes.push_back(text);
  }

  std::string MemoBytes(const std::string& header, const std::string& where);
  std::vector<RawField> Crack(MdbTableDef* table, int start, int end);
  JetValue Decode(const MdbColumn& column, const RawField& raw, const std::string& where);
  std::string Text(const std::string& bytes) const {
    return codePage ? codePage->ToUtf8(bytes) : UnicodeTextToUtf8(bytes);
  }
};

std::string JetReader::State::MemoBytes(const std::string& header, const std::string& where) {
  if (header.size() < kMemoHeader) Damaged("a Memo value of " + where + " is cut short");
  const std::uint32_t word = Le(header, 0, 4);
  const std::size_t length = word & kMemoLength;
  if (word & kMemoInline) {
    if (header.size() < kMemoHeader + length) Damaged("a Memo value of " + where + " is cut short");
    return header.substr(kMemoHeader, length);
  }
  std::uint32_t pointer = Le(header, 4, 4);
  std::string bytes;
  for (int pages = 0; bytes.size() < length; ++pages) {
    if (pointer == 0 || pages > kMaxMemoPages) Damaged("a Memo value of " + where + " ends early");
    const Span span = PointedRow(pointer, ("a Memo value of " + where).c_str());
    const char* data = reinterpret_cast<const char*>(span.data) + span.start;
    const std::size_t size = static_cast<std::size_t>(span.end - span.start);
    if (word & kMemoOnePage) {
      bytes.assign(data, std::min(size, length));
      break;
    }
    if (size < 4) Damaged("a Memo value of " + where + " has a broken page chain");
    pointer = Le(reinterpret_cast<const unsigned char*>(data), 4);
    bytes.append(data + 4, size - 4);
  }
  if (bytes.size() < length) Damaged("a Memo value of " + where + " ends early");
  bytes.resize(length);
  return bytes;
}

// The raw bytes of each column of the row in the main page buffer.
std::vector<RawField> JetReader::State::Crack(MdbTableDef* table, int start, int end) {
  std::vector<MdbField> fields(table->num_cols);
  if (mdb_crack_row(table, start, static_cast<size_t>(end - start), fields.data()) <= 0)
    Damaged("a row of table " + std::string(table->name) + " cannot be read");
  std::vector<RawField> raws(table->num_cols);
  for (unsigned c = 0; c < table->num_cols; ++c) {
    const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, c));
    const MdbField& field = fields[c];
    if (column->col_type == MDB_BOOL) {
      raws[c] = {false, field.is_null ? "0" : "1"};  // a Yes/No value lives in the null mask
    } else if (!field.is_null) {
      if (field.start < 0 || field.siz < 0 || field.start + field.siz > PageSize())
        Damaged("a value of table " + std::string(table->name) + " lies outside its page");
      raws[c] = {false, std::string(reinterpret_cast<const char*>(mdb->pg_buf) + field.start,
                                    static_cast<std::size_t>(field.siz))};
    }
  }
  return raws;
}

JetValue JetReader::State::Decode(const MdbColumn& column, const RawField& raw, const std::string& where) {
  if (raw.null) return std::nullopt;
  const std::string& bytes = raw.bytes;
  switch (column.col_type) {
    case MDB_BOOL:
      return bytes;
    case MDB_TEXT:
      return Text(bytes);
    case MDB_MEMO:
      return Text(MemoBytes(bytes, where));
    case MDB_BYTE:
      return std::to_string(FromBytes<std::uint8_t>(bytes));
    case MDB_INT:
      return std::to_string(FromBytes<std::int16_t>(bytes));
    case MDB_LONGINT:
      return std::to_string(FromBytes<std::int32_t>(bytes));
    case MDB_MONEY:
      return CurrencyText(FromBytes<std::int64_t>(bytes));
    case MDB_FLOAT:
      return SingleText(FromBytes<float>(bytes));
    case MDB_DOUBLE: {
      const double value = FromBytes<double>(bytes);
      if (std::isfinite(value)) return FormatDouble(value);
      Note(where + ": a Double that is no number read as NULL");
      return std::nullopt;
    }
    case MDB_DATETIME: {
      const double days = FromBytes<double>(bytes);
      if (auto text = AccessDateText(days)) return text;
      Note(where + ": a Date/Time outside the years 1 to 9999 (day " + FormatDouble(days) + ") read as NULL");
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

JetReader::JetReader(const std::string& path, const std::string& encoding) : state_(std::make_unique<State>()) {
  state_->mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
  if (!state_->mdb) throw StoreError("'" + path + "' cannot be read as an Access database.");
  if (!mdb_read_catalog(state_->mdb, MDB_TABLE))
    Damaged("the list of tables of '" + path + "' cannot be read");
  if (IS_JET3(state_->mdb)) {
    const int codePage = state_->mdb->f->code_page ? state_->mdb->f->code_page : 1252;
    state_->codePage = std::make_unique<CodePageText>(encoding.empty() ? CodePageName(codePage) : encoding);
  }
}

JetReader::~JetReader() = default;

std::string JetReader::Format() const {
  switch (state_->mdb->f->jet_version) {
    case MDB_VER_JET3: return "Jet 3 (Access 97)";
    case MDB_VER_JET4: return "Jet 4 (Access 2000-2003)";
    case MDB_VER_ACCDB_2007: return "ACE 12 (Access 2007)";
    case MDB_VER_ACCDB_2010: return "ACE 14 (Access 2010)";
    case MDB_VER_ACCDB_2013: return "ACE 15 (Access 2013)";
    case MDB_VER_ACCDB_2016: return "ACE 16 (Access 2016)";
    case MDB_VER_ACCDB_2019: return "ACE 17 (Access 2019)";
  }
  return "Jet version " + std::to_string(state_->mdb->f->jet_version);
}

std::string JetReader::Encoding() const { return state_->codePage ? state_->codePage->Name() : ""; }

std::vector<std::string> JetReader::UserTables() const {
  std::vector<std::string> names;
  for (unsigned i = 0; i < state_->mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(state_->mdb->catalog, i));
    if (mdb_is_user_table(entry)) names.push_back(entry->object_name);
  }
  return names;
}

std::optional<JetTableInfo> JetReader::Table(const std::string& name) {
  for (unsigned i = 0; i < state_->mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(state_->mdb->catalog, i));
    if (!mdb_is_user_table(entry) || strcasecmp(entry->object_name, name.c_str()) != 0) continue;
    MdbTableDef* table = mdb_read_table(entry);
    if (!table || !mdb_read_columns(table)) Damaged("the definition of table " + name + " cannot be read");
    state_->tables.push_back(table);
    JetTableInfo info{table->name, {}, table->num_rows};
    for (unsigned c = 0; c < table->num_cols; ++c) {
      const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, c));
      info.columns.push_back({column->name, static_cast<JetType>(column->col_type)});
    }
    return info;
  }
  return std::nullopt;
}

void JetReader::ReadRows(const JetTableInfo& info, const std::function<void(const JetRow&)>& row) {
  MdbTableDef* table = nullptr;
  for (MdbTableDef* known : state_->tables)
    if (info.name == known->name) table = known;
  if (!table) throw StoreError("No table " + info.name + " was looked up in the Access file");
  MdbHandle* mdb = state_->mdb;
  std::vector<std::string> where;
  for (const JetColumn& column : info.columns) where.push_back(info.name + "." + column.name);
  mdb_rewind_table(table);
  JetRow values(table->num_cols);
  while (mdb_read_next_dpg(table)) {
    const int count = static_cast<int>(Le(mdb->pg_buf + mdb->fmt->row_count_offset, 2));
    for (int r = 0; r < count; ++r) {
      auto span = state_->Row(mdb->pg_buf, r);
      if (!span) Damaged("page " + std::to_string(table->cur_phys_pg) + " of table " + info.name + " is broken");
      if (span->flags & kDeletedRow) continue;  // deleted, or a moved row reached through its pointer
      std::vector<RawField> raws;
      if (span->flags & kMovedRow) {
        if (span->end - span->start < 4) Damaged("a moved row of table " + info.name + " has no pointer");
        const std::uint32_t pointer = Le(mdb->pg_buf + span->start, 4);
        const Span moved = state_->PointedRow(pointer, "a moved row");
        mdb_swap_pgbuf(mdb);
        raws = state_->Crack(table, moved.start, moved.end);
        mdb_swap_pgbuf(mdb);
      } else {
        raws = state_->Crack(table, span->start, span->end);
      }
      for (unsigned c = 0; c < table->num_cols; ++c)
        values[c] = state_->Decode(*static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, c)), raws[c],
                                   where[c]);
      row(values);
    }
  }
  if (state_->codePage && state_->codePage->Replaced() > 0)
    state_->Note(std::to_string(state_->codePage->Replaced()) + " bytes of text are not " + state_->codePage->Name() +
                 " text and were read as U+FFFD: name the file's code page with --encoding");
}

std::vector<std::string> JetReader::TakeNotes() { return std::exchange(state_->notes, {}); }

}  // namespace store::jet
