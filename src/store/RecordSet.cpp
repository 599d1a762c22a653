#include "store/RecordSet.h"

#include <algorithm>
#include <exception>
#include <limits>

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/DateFormat.h"
#include "store/EditBuffer.h"
#include "store/FieldValue.h"
#include "store/MasterLink.h"
#include "store/ReadQueue.h"
#include "store/RowCache.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"
#include "store/Text.h"

namespace store {

namespace {

constexpr const char* kUpdateConflict = kRowChangedConflict;
constexpr const char* kDeleteConflict =
    "Row cannot be located for deleting. Some values may have been changed since it was last read.";

// A stored row's cells, as it was read: what a write compares against.
std::vector<RowCache::Cell> OriginalCells(const RowCache& rows, int physical) {
  std::vector<RowCache::Cell> cells(rows.Columns());
  for (int c = 0; c < rows.Columns(); ++c)
    if (auto value = rows.Value(physical, c)) cells[c] = {value->data(), value->size(), false};
  return cells;
}

}  // namespace

RecordSet::RecordSet(Connection& connection, std::string name)
    : connection_(connection), name_(std::move(name)) {
  connection_.Register(this);
}

RecordSet::~RecordSet() {
  ReadQueue::Remove(this);
  DetachFromMaster();
  for (RecordSet* detail : details_) {
    detail->master_ = nullptr;
    detail->masterSubscription_ = 0;
    detail->link_.reset();
  }
  if (!detached_) connection_.Unregister(this);
}

bool RecordSet::Active() const { return state_ != DataSetState::Inactive; }

void RecordSet::Fail(std::string_view message) const {
  throw StoreError(name_ + ": " + std::string(message));
}

void RecordSet::RequireActive() const {
  if (!Active()) Fail("Cannot perform this operation on a closed dataset");
}

Backend& RecordSet::Store() const {
  if (detached_ || !connection_.Connected())
    throw StoreError("Operation is not allowed when the object is closed.");
  return connection_.Store();
}

std::vector<SourceColumn> RecordSet::Columns() const {
  std::vector<SourceColumn> columns;
  for (const auto& field : fields_) columns.push_back({field->FieldName(), field->Kind()});
  return columns;
}

// --- Opening and closing ---------------------------------------------------

void RecordSet::Open() {
  if (Active()) return;
  if (detached_) throw StoreError("Operation is not allowed when the object is closed.");
  connection_.Open();
  // A snapshot still being read by another set of this connection would be
  // this set's too: let it read its rest, so that this one starts afresh.
  connection_.FinishReads();
  StartReading(CommandSql());
  state_ = DataSetState::Browse;
  try {
    AttachLink();
  } catch (...) {
    state_ = DataSetState::Inactive;
    EndReading();
    rows_.reset();
    fields_.clear();
    throw;
  }
  ApplyRestriction(true);
  Notify(RecordSetEvent::Opened);
}

std::unique_ptr<RowSource> RecordSet::MakeSource(const std::string& sql) {
  auto shape = SelectStatement::Parse(sql);
  if (!shape) Fail("The statement must read all columns of one table (select * from <table> ...): " + sql);
  table_ = shape->table;
  return Store().Select(*shape, params_);
}

void RecordSet::StartReading(const std::string& sql) {
  auto source = MakeSource(sql);
  const auto& columns = source->Columns();
  std::vector<std::unique_ptr<Field>> fields;
  for (std::size_t c = 0; c < columns.size(); ++c)
    fields.push_back(std::make_unique<Field>(*this, static_cast<int>(c), columns[c].name, columns[c].kind));
  auto rows = std::make_unique<RowCache>(static_cast<int>(columns.size()));
  // Inside a transaction, or with nobody to read the rest later, all is read now.
  const bool inSlices = ReadQueue::Driven() && !Store().InTransaction();
  const bool more = source->Read(*rows, inSlices ? kFirstRows : std::numeric_limits<int>::max());
  fields_ = std::move(fields);
  rows_ = std::move(rows);
  if (more) {
    source_ = std::move(source);
    ReadQueue::Add(this);
  } else {
    rows_->Compact();
  }
}

// Reads rows into the cache and shows them. No link exists while reading (a
// link reads the rest first), so every row read is visible.
int RecordSet::Pull(int limit) {
  const int before = rows_->Size();
  bool more = false;
  try {
    more = source_->Read(*rows_, limit);
  } catch (...) {
    EndReading();
    throw;
  }
  for (int row = before, size = rows_->Size(); row < size; ++row) view_.push_back(row);
  if (!more) EndReading();
  return rows_->Size() - before;
}

bool RecordSet::ReadMore(int rows) {
  if (!Reading()) return false;
  const int added = Pull(rows);
  if (added > 0 || !Reading()) Notify(RecordSetEvent::RowsRead);
  return Reading();
}

void RecordSet::ReadAll() {
  while (Reading()) ReadMore(std::numeric_limits<int>::max());
}

void RecordSet::ReadThrough(int row) {
  while (Reading() && row >= static_cast<int>(view_.size()))
    ReadMore(row + 1 - static_cast<int>(view_.size()));
}

void RecordSet::EndReading() {
  if (!source_) return;
  source_.reset();
  ReadQueue::Remove(this);
  if (rows_) rows_->Compact();
}

void RecordSet::Close() {
  if (!Active()) return;
  // Lines entered under a row that is dropped go with it; a failure to remove
  // them is reported once the set is closed.
  std::exception_ptr failure;
  if (state_ == DataSetState::Insert) {
    try {
      DiscardDetailsEnteredRows();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  EndReading();
  edit_.reset();
  link_.reset();
  std::vector<int>().swap(view_);
  rows_.reset();
  fields_.clear();
  current_ = -1;
  bof_ = eof_ = true;
  state_ = DataSetState::Inactive;
  Notify(RecordSetEvent::Closed);
  if (failure) std::rethrow_exception(failure);
}

// --- Cursor ----------------------------------------------------------------

void RecordSet::ResetCursor() {
  current_ = view_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = view_.empty();
}

void RecordSet::ShowAllRows() {
  view_.clear();
  view_.reserve(rows_->Size());
  for (int row = 0, size = rows_->Size(); row < size; ++row)
    if (!rows_->Deleted(row)) view_.push_back(row);
}

void RecordSet::MoveCurrent(int row, bool bof, bool eof) {
  bool moved = row != current_;
  current_ = row;
  bof_ = bof;
  eof_ = eof;
  if (moved) Notify(RecordSetEvent::Scrolled);
}

void RecordSet::First() {
  RequireActive();
  FinishPending();
  MoveCurrent(view_.empty() ? -1 : 0, true, view_.empty());
}

void RecordSet::Last() {
  RequireActive();
  FinishPending();
  ReadAll();
  MoveCurrent(static_cast<int>(view_.size()) - 1, view_.empty(), true);
}

void RecordSet::Next() {
  RequireActive();
  FinishPending();
  ReadThrough(current_ + 1);
  if (current_ + 1 < RecordsRead())
    MoveCurrent(current_ + 1, false, false);
  else
    eof_ = true;
}

void RecordSet::Prior() {
  RequireActive();
  FinishPending();
  if (current_ > 0)
    MoveCurrent(current_ - 1, false, false);
  else
    bof_ = true;
}

void RecordSet::MoveTo(int row) {
  RequireActive();
  if (row == current_) return;  // a click on the current row keeps its pending change going
  int pendingInsert = state_ == DataSetState::Insert ? current_ : -1;
  int countBefore = RecordsRead();
  FinishPending();
  // A dropped new row shifts the rows after it up by one.
  if (pendingInsert >= 0 && RecordsRead() < countBefore && row > pendingInsert) --row;
  ReadThrough(row);
  if (row < 0 || row >= RecordsRead()) Fail("Record index out of range");
  MoveCurrent(row, false, false);
}

bool RecordSet::Bof() const { return !Active() || bof_; }
bool RecordSet::Eof() const { return !Active() || eof_; }
int RecordSet::RecordCount() {
  ReadAll();
  return RecordsRead();
}

bool RecordSet::IsEmpty() {
  ReadThrough(0);
  return RecordsRead() == 0;
}

int RecordSet::RecNo() const { return Active() ? current_ : -1; }

bool RecordSet::Locate(std::string_view keyField, std::string_view value) {
  RequireActive();
  int column = FieldByName(keyField).Index();
  FinishPending();
  // The rows read so far first: a match there is the first of the whole result.
  for (int row = 0;; ++row) {
    ReadThrough(row);
    if (row >= RecordsRead()) return false;
    if (DisplayText(column, StoredValue(row, column)) == value) {
      MoveCurrent(row, false, false);
      return true;
    }
  }
}

// --- Values ----------------------------------------------------------------

int RecordSet::PhysicalRow() const { return current_ < 0 ? kPendingRow : view_[current_]; }

std::optional<std::string_view> RecordSet::StoredValue(int row, int column) const {
  if (edit_ && row == current_) {
    const auto& value = edit_->values[column];
    if (!value) return std::nullopt;
    return std::string_view(*value);
  }
  int physical = view_[row];
  if (physical == kPendingRow) return std::nullopt;
  return rows_->Value(physical, column);
}

std::optional<std::string_view> RecordSet::CurrentValue(int column) const {
  if (!Active() || current_ < 0) return std::nullopt;
  return StoredValue(current_, column);
}

std::string RecordSet::DisplayText(int column, std::optional<std::string_view> value) const {
  if (!value) return {};
  if (fields_[column]->Kind() == FieldKind::Date) return DateFormat::Current().ToDisplay(*value);
  return std::string(*value);
}

std::string RecordSet::CellText(int row, int column) const {
  if (!Active() || row < 0 || row >= RecordsRead() || column < 0 || column >= FieldCount()) return {};
  return DisplayText(column, StoredValue(row, column));
}

void RecordSet::SetFieldText(int column, std::string_view text) {
  if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
    Fail("Dataset not in edit or insert mode");
  auto stored = ToStoredValue(fields_[column]->Kind(), text);
  edit_->values[column] = std::move(stored);
  edit_->assigned[column] = true;
  edit_->modified = true;
  Notify(RecordSetEvent::FieldChanged);
}

int RecordSet::FieldCount() const { return static_cast<int>(fields_.size()); }

Field& RecordSet::FieldAt(int index) {
  if (index < 0 || index >= FieldCount()) Fail("Field index out of range");
  return *fields_[index];
}

Field* RecordSet::FindField(std::string_view name) {
  for (auto& field : fields_)
    if (SameText(field->FieldName(), name)) return field.get();
  return nullptr;
}

Field& RecordSet::FieldByName(std::string_view name) {
  Field* field = FindField(name);
  if (!field) Fail("Field '" + std::string(name) + "' not found");
  return *field;
}

// --- Editing ---------------------------------------------------------------

// A new row with lines entered under it is never dropped as untouched.
bool RecordSet::Modified() const {
  return edit_ && (edit_->modified || (state_ == DataSetState::Insert && DetailsHaveEnteredRows()));
}

void RecordSet::Edit() {
  RequireActive();
  if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) return;
  if (view_.empty()) return Append();
  auto edit = std::make_unique<EditBuffer>();
  for (int c = 0; c < FieldCount(); ++c) {
    auto value = rows_->Value(view_[current_], c);
    edit->values.push_back(value ? std::optional<std::string>(*value) : std::nullopt);
  }
  edit->assigned.assign(FieldCount(), false);
  edit_ = std::move(edit);
  state_ = DataSetState::Edit;
  Notify(RecordSetEvent::StateChanged);
}

void RecordSet::Append() {
  RequireActive();
  FinishPending();
  BeginNewRow(RecordCount());  // after the last row of the whole result
}

void RecordSet::Insert() {
  RequireActive();
  FinishPending();
  BeginNewRow(current_ < 0 ? 0 : current_);
}

void RecordSet::BeginNewRow(int position) {
  auto edit = std::make_unique<EditBuffer>();
  edit->values.resize(FieldCount());
  edit->assigned.assign(FieldCount(), false);
  if (link_ && master_ && master_->Active()) {
    // A new line belongs to the current header from the start.
    auto values = link_->MasterValues();
    for (std::size_t i = 0; i < values.size(); ++i) edit->values[link_->DetailColumns()[i]] = values[i];
  }
  returnRow_ = current_;
  view_.insert(view_.begin() + position, kPendingRow);
  current_ = position;
  bof_ = eof_ = false;
  edit_ = std::move(edit);
  state_ = DataSetState::Insert;
  Notify(RecordSetEvent::RowsChanged);
  Notify(RecordSetEvent::StateChanged);
}

void RecordSet::CheckBrowseMode() {
  RequireActive();
  FinishPending();
}

// Detail lines are finished first: when one is refused, this row stays where
// it is, so the lines shown still belong to it.
void RecordSet::FinishPending() {
  FinishDetails();
  if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
  Notify(RecordSetEvent::UpdateRecord);
  if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
  if (Modified())
    WritePending();
  else
    Cancel();
}

void RecordSet::Post() {
  if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
    Fail("Dataset not in edit or insert mode");
  Notify(RecordSetEvent::UpdateRecord);
  if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
  WritePending();
}

void RecordSet::WritePending() {
  FinishDetails();
  std::vector<LinesToFollow> following = LinesThatFollow();
  if (following.empty())
    WriteRow();
  else
    WriteRowWithLines(following);
  edit_.reset();
  state_ = DataSetState::Browse;
  Notify(RecordSetEvent::StateChanged);
}

void RecordSet::WriteRow() {
  if (state_ == DataSetState::Insert)
    InsertPending();
  else
    UpdatePending();
}

void RecordSet::InsertPending() {
  connection_.FinishReads();  // a set reading its snapshot would see, or miss, this row
  std::vector<ColumnValue> values;
  for (int c = 0; c < FieldCount(); ++c)
    if (edit_->values[c]) values.push_back({c, *edit_->values[c]});
  const bool underStoredRow = link_ && link_->Current().mode == MasterLink::Mode::Keyed;
  StoredRow stored =
      underStoredRow ? InsertUnderMasterRow(values) : Store().Insert(table_, Columns(), values);
  int physical = rows_->Add(stored.rowId, stored.Cells().data());
  view_[current_] = physical;
  if (!link_) return;
  link_->Add(physical, link_->KeyOf(*rows_, physical));
  if (link_->Current().mode == MasterLink::Mode::NewHeader) link_->AddEntered(physical);
}

// By row identity; every column must still hold what was read, so a row
// changed through another connection is never overwritten. The row is kept as
// the store now holds it (defaults, conversions), so that its next post
// compares against the real values.
void RecordSet::UpdatePending() {
  connection_.FinishReads();
  int physical = PhysicalRow();
  std::vector<ColumnValue> values;
  for (int c = 0; c < FieldCount(); ++c)
    if (edit_->assigned[c])
      values.push_back(
          {c, edit_->values[c] ? std::optional<std::string_view>(*edit_->values[c]) : std::nullopt});
  if (values.empty()) return;
  auto stored = Store().Update(table_, Columns(), values, rows_->RowId(physical),
                               OriginalCells(*rows_, physical).data());
  if (!stored) throw StoreError(kUpdateConflict);
  std::string oldKey = link_ ? link_->KeyOf(*rows_, physical) : std::string();
  rows_->Replace(physical, stored->Cells().data());
  if (link_) {
    std::string newKey = link_->KeyOf(*rows_, physical);
    if (newKey != oldKey) {
      link_->Remove(physical, oldKey);
      link_->Add(physical, newKey);
    }
  }
}

void RecordSet::Cancel() {
  if (state_ == DataSetState::Insert) {
    DiscardDetailsEnteredRows();  // a refusal leaves the row and its lines as they were
    RemovePendingRow();
    state_ = DataSetState::Browse;
    Notify(RecordSetEvent::RowsChanged);
    Notify(RecordSetEvent::StateChanged);
  } else if (state_ == DataSetState::Edit) {
    FinishDetails();
    edit_.reset();
    state_ = DataSetState::Browse;
    Notify(RecordSetEvent::FieldChanged);
    Notify(RecordSetEvent::StateChanged);
  }
}

void RecordSet::RemovePendingRow() {
  edit_.reset();
  view_.erase(view_.begin() + current_);
  current_ = view_.empty() ? -1 : std::clamp(returnRow_, 0, static_cast<int>(view_.size()) - 1);
  bof_ = eof_ = view_.empty();
}

void RecordSet::Delete() {
  RequireActive();
  if (state_ == DataSetState::Insert) return Cancel();
  if (view_.empty()) Fail("Cannot perform this operation on an empty dataset");
  FinishDetails();
  DeleteCurrent();
  bool wasEditing = state_ == DataSetState::Edit;
  edit_.reset();
  state_ = DataSetState::Browse;
  view_.erase(view_.begin() + current_);
  if (current_ >= static_cast<int>(view_.size())) current_ = static_cast<int>(view_.size()) - 1;
  bof_ = eof_ = view_.empty();
  Notify(RecordSetEvent::RowsChanged);
  if (wasEditing) Notify(RecordSetEvent::StateChanged);
}

void RecordSet::DeleteCurrent() {
  connection_.FinishReads();
  int physical = PhysicalRow();
  if (!Store().Delete(table_, Columns(), rows_->RowId(physical), OriginalCells(*rows_, physical).data()))
    throw StoreError(kDeleteConflict);
  if (link_) {
    link_->Remove(physical, link_->KeyOf(*rows_, physical));
    link_->ForgetEntered(physical);
  }
  rows_->MarkDeleted(physical);
}

// --- Master link -----------------------------------------------------------

void RecordSet::SetMaster(RecordSet* master) {
  if (master == master_) return;
  for (RecordSet* set = master; set; set = set->master_)
    if (set == this) Fail("A record set cannot be its own master");
  DetachFromMaster();
  master_ = master;
  if (master_) {
    master_->details_.push_back(this);
    masterSubscription_ = master_->Subscribe([this](RecordSetEvent event) { FollowMaster(event); });
  }
  if (Active()) Relink();
}

void RecordSet::SetMasterFields(std::string fieldList) {
  if (fieldList == masterFields_) return;
  masterFields_ = std::move(fieldList);
  if (Active()) Relink();
}

void RecordSet::Relink() {
  FinishPending();
  AttachLink();
  ApplyRestriction(true);
  Notify(RecordSetEvent::RowsChanged);
}

void RecordSet::DetachFromMaster() {
  if (master_) {
    master_->Unsubscribe(masterSubscription_);
    std::erase(master_->details_, this);
  }
  master_ = nullptr;
  masterSubscription_ = 0;
}

void RecordSet::AttachLink() {
  link_.reset();
  if (!master_ || masterFields_.empty()) return;
  while (Reading()) Pull(std::numeric_limits<int>::max());  // the index covers every row
  auto link = std::make_unique<MasterLink>(*this, *master_, masterFields_);
  link->Build(*rows_);
  link->SetCurrent(link->Wanted());
  link_ = std::move(link);
}

void RecordSet::ApplyRestriction(bool moveFirst) {
  if (!link_ || link_->Current().mode == MasterLink::Mode::Lifted)
    ShowAllRows();
  else if (link_->Current().mode == MasterLink::Mode::Keyed)
    view_ = link_->Rows(link_->Current().key);
  else if (link_->Current().mode == MasterLink::Mode::NewHeader)
    view_ = link_->Entered();
  else
    view_.clear();
  if (moveFirst) ResetCursor();
}

// Whatever happens to a pending line, the restriction ends up matching the
// master: a line refused while the master has already changed is dropped.
void RecordSet::FollowMaster(RecordSetEvent event) {
  if (!Active() || !link_) return;
  if (event == RecordSetEvent::UpdateRecord) return;
  bool differs = !(link_->Wanted() == link_->Current());
  if ((event == RecordSetEvent::FieldChanged || event == RecordSetEvent::StateChanged) && !differs) return;
  try {
    FinishPending();
  } catch (...) {
    if (differs && link_) {
      Cancel();
      Restrict();
    }
    throw;
  }
  if (differs && link_) Restrict();
}

void RecordSet::Restrict() {
  MasterLink::Restriction wanted = link_->Wanted();
  if (wanted.mode != MasterLink::Mode::NewHeader) link_->ForgetEntered();
  link_->SetCurrent(std::move(wanted));
  ApplyRestriction(true);
  Notify(RecordSetEvent::RowsChanged);
}

// --- Observers -------------------------------------------------------------

int RecordSet::Subscribe(Listener listener) {
  int id = nextListenerId_++;
  listeners_.emplace_back(id, std::move(listener));
  return id;
}

void RecordSet::Unsubscribe(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

// Every listener hears the event even when one fails; the first failure is
// rethrown afterwards so that the operation that caused it reports it.
void RecordSet::Notify(RecordSetEvent event) {
  auto listeners = listeners_;
  std::exception_ptr failure;
  for (auto& [id, listener] : listeners) {
    bool subscribed = std::any_of(listeners_.begin(), listeners_.end(),
                                  [id = id](const auto& entry) { return entry.first == id; });
    if (!subscribed) continue;
    try {
      listener(event);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

std::size_t RecordSet::MemoryBytes() const {
  std::size_t bytes = view_.capacity() * sizeof(int);
  if (rows_) bytes += rows_->MemoryBytes();
  if (link_) bytes += link_->MemoryBytes();
  for (const auto& field : fields_) bytes += sizeof(Field) + field->FieldName().capacity();
  return bytes;
}

}  // namespace store
