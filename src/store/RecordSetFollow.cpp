// How the lines of a master link follow the row they belong to when that row
// is written or dropped.
#include "store/Backend.h"
#include "store/Connection.h"
#include "store/EditBuffer.h"
#include "store/FieldValue.h"
#include "store/MasterLink.h"
#include "store/RecordSet.h"
#include "store/RowCache.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"
#include "store/sqlite/Statement.h"

namespace store {

namespace {

using Values = std::vector<std::optional<std::string>>;

constexpr const char* kMasterRowGone =
    "這筆明細所屬的報價單已不存在（可能已被其他使用者刪除或更改），明細未保存，請重新查詢。";

// Writes that stand or fall together, inside a transaction or on their own.
class Savepoint {
 public:
  explicit Savepoint(Backend& store) : store_(store) { store_.Savepoint(); }
  ~Savepoint() {
    if (!released_) store_.UndoSavepoint();
  }
  Savepoint(const Savepoint&) = delete;
  Savepoint& operator=(const Savepoint&) = delete;
  void Release() {
    store_.ReleaseSavepoint();
    released_ = true;
  }

 private:
  Backend& store_;
  bool released_ = false;
};

Values RowValues(const RowCache& rows, int row) {
  Values values;
  for (int c = 0; c < rows.Columns(); ++c) {
    auto value = rows.Value(row, c);
    values.push_back(value ? std::optional<std::string>(*value) : std::nullopt);
  }
  return values;
}

void ReplaceRow(RowCache& rows, int row, const Values& values) {
  std::vector<RowCache::Cell> cells(values.size());
  for (std::size_t c = 0; c < values.size(); ++c)
    if (values[c]) cells[c] = {values[c]->data(), values[c]->size(), false};
  rows.Replace(row, cells.data());
}

bool SameValues(const Values& a, const Values& b) {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].value_or("") != b[i].value_or("")) return false;
  return true;
}

}  // namespace

int RecordSet::EnteredRowCount() const {
  if (!Active() || !link_ || link_->Current().mode != MasterLink::Mode::NewHeader) return 0;
  return static_cast<int>(link_->Entered().size());
}

void RecordSet::FinishDetails() {
  for (RecordSet* detail : std::vector<RecordSet*>(details_))
    if (detail->Active()) detail->FinishPending();
}

bool RecordSet::DetailsHaveEnteredRows() const {
  for (const RecordSet* detail : details_)
    if (detail->EnteredRowCount() > 0) return true;
  return false;
}

// A new row takes the lines entered under it; a stored row whose link values
// change takes every line that held the old ones.
std::vector<RecordSet::LinesToFollow> RecordSet::LinesThatFollow() const {
  std::vector<LinesToFollow> following;
  for (RecordSet* detail : details_) {
    if (!detail->Active() || !detail->link_) continue;
    if (state_ == DataSetState::Insert) {
      if (detail->EnteredRowCount() > 0) following.push_back({detail, true, {}});
      continue;
    }
    Values from = detail->link_->StoredMasterValues();
    if (!SameValues(from, detail->link_->MasterValues())) following.push_back({detail, false, from});
  }
  return following;
}

// A line is stored only while the row it belongs to is, as it was read. That
// row is claimed first: on the server the claim holds another program's
// delete back until the line is in; a row deleted or renumbered elsewhere
// refuses the line, which stays pending.
StoredRow RecordSet::InsertUnderMasterRow(const std::vector<ColumnValue>& values) {
  Savepoint savepoint(Store());
  if (!master_->ClaimCurrentRow(link_->Names())) throw StoreError(kMasterRowGone);
  StoredRow stored = Store().Insert(table_, Columns(), values);
  savepoint.Release();
  return stored;
}

// Writes the current row's stored values back over themselves where the
// store still holds them; returns whether it does.
bool RecordSet::ClaimCurrentRow(const std::vector<std::string>& fields) {
  Backend& store = Store();
  const std::string first = store.Identifier(FieldAt(0).FieldName());
  std::string sql =
      "update " + table_ + " set " + first + " = " + first + " where " + store.RowIdColumn() + " = ?";
  std::vector<BoundValue> values{{FieldKind::Integer, std::to_string(rows_->RowId(PhysicalRow()))}};
  for (const std::string& name : fields) {
    const Field& field = FieldByName(name);
    const auto stored = rows_->Value(PhysicalRow(), field.Index());
    sql += " and " + store.Identifier(field.FieldName()) + (stored ? " = ?" : " is null");
    if (stored) values.push_back({field.Kind(), std::string(*stored)});
  }
  return store.Run(sql, values) > 0;
}

// The row and its lines are written in one savepoint; when any of it is
// refused, the store and every cached row stay as they were.
void RecordSet::WriteRowWithLines(const std::vector<LinesToFollow>& following) {
  const bool inserting = state_ == DataSetState::Insert;
  const int physical = PhysicalRow();
  const Values before = inserting ? Values() : RowValues(*rows_, physical);
  connection_.FinishReads();  // a snapshot still being read could not turn into a write
  Savepoint savepoint(Store());
  WriteRow();
  std::vector<Values> targets;
  try {
    for (const LinesToFollow& follow : following) {
      targets.push_back(follow.lines->link_->MasterValues());
      follow.lines->MoveLinesInStore(follow, targets.back());
    }
    savepoint.Release();
  } catch (...) {
    UndoRowWrite(inserting ? view_[current_] : physical, inserting, before);
    throw;
  }
  for (std::size_t i = 0; i < following.size(); ++i)
    following[i].lines->MoveLinesInCache(following[i], targets[i]);
}

void RecordSet::UndoRowWrite(int physical, bool inserted, const Values& before) {
  if (link_) link_->Remove(physical, link_->KeyOf(*rows_, physical));
  if (inserted) {
    if (link_) link_->ForgetEntered(physical);
    rows_->MarkDeleted(physical);
    view_[current_] = kPendingRow;
    return;
  }
  ReplaceRow(*rows_, physical, before);
  if (link_) link_->Add(physical, link_->KeyOf(*rows_, physical));
}

void RecordSet::MoveLinesInStore(const LinesToFollow& follow, const Values& to) {
  Backend& store = Store();
  const std::vector<int>& columns = link_->DetailColumns();
  std::string assignments, matches;
  std::vector<BoundValue> targets;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::string name = store.Identifier(fields_[columns[i]]->FieldName());
    assignments += (i ? ", " : "") + name + " = ?";
    matches += (i ? " and coalesce(" : "coalesce(") + name + ", '') = ?";
    targets.push_back({fields_[columns[i]]->Kind(), to[i]});
  }
  const std::string update = "update " + table_ + " set " + assignments + " where ";
  if (!follow.entered) {
    std::vector<BoundValue> values = targets;
    for (const auto& from : follow.from) values.push_back({FieldKind::Text, from.value_or("")});
    store.Run(update + matches, values);
    return;
  }
  for (int row : link_->Entered()) {
    std::vector<BoundValue> values = targets;
    values.push_back({FieldKind::Integer, std::to_string(rows_->RowId(row))});
    store.Run(update + store.RowIdColumn() + " = ?", values);
  }
}

void RecordSet::MoveLinesInCache(const LinesToFollow& follow, const Values& to) {
  const std::vector<int> moved =
      follow.entered ? link_->Entered() : link_->Rows(MasterLink::KeyOf(follow.from));
  const std::string newKey = MasterLink::KeyOf(to);
  for (int row : moved) {
    Values values = RowValues(*rows_, row);
    for (std::size_t i = 0; i < to.size(); ++i) values[link_->DetailColumns()[i]] = to[i];
    link_->Remove(row, link_->KeyOf(*rows_, row));
    ReplaceRow(*rows_, row, values);
    link_->Add(row, newKey);
  }
  if (follow.entered) link_->ForgetEntered();
  link_->SetCurrent(link_->Wanted());
  ApplyRestriction(true);
  Notify(RecordSetEvent::RowsChanged);
}

void RecordSet::DiscardDetailsEnteredRows() {
  for (RecordSet* detail : std::vector<RecordSet*>(details_))
    if (detail->Active() && detail->link_ && detail->link_->Current().mode == MasterLink::Mode::NewHeader)
      detail->DiscardEnteredRows();
}

// A line still being typed is dropped; the lines written go from the store.
void RecordSet::DiscardEnteredRows() {
  Cancel();
  const std::vector<int> entered = link_->Entered();
  if (entered.empty()) return;
  connection_.FinishReads();
  Savepoint savepoint(Store());
  for (int row : entered)
    Store().Run("delete from " + table_ + " where " + Store().RowIdColumn() + " = ?",
                {{FieldKind::Integer, std::to_string(rows_->RowId(row))}});
  savepoint.Release();
  for (int row : entered) {
    link_->Remove(row, link_->KeyOf(*rows_, row));
    rows_->MarkDeleted(row);
  }
  link_->ForgetEntered();
  ApplyRestriction(true);
  Notify(RecordSetEvent::RowsChanged);
}

}  // namespace store
