#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Field.h"
#include "store/Parameters.h"
#include "store/RowSource.h"

namespace store {

class Connection;
class RowCache;
class Backend;
class MasterLink;
struct EditBuffer;
struct ColumnValue;
struct StoredRow;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// What a record set tells its observers (data sources, grids, detail sets).
enum class RecordSetEvent {
  Opened,        // opened: fields and rows are new
  Closed,        // closed: no fields, no rows
  RowsChanged,   // rows added, removed or re-restricted; the current row may have moved too
  Scrolled,      // the current row moved
  FieldChanged,  // a value of the current (pending) row changed
  StateChanged,  // Browse / Edit / Insert changed
  UpdateRecord,  // a pending row is about to be posted or judged: bound controls write their text now
  RowsRead,      // rows read from the store were added at the end, or the reading ended
};

// A client-side, static record set over one connection: the rows it shows are
// those of its statement when it opened, held in memory; the current row is
// edited in place and written back by its row identity when posted.
//
// Open reads the first rows at once. When the read queue is driven, the rest
// follows in slices (ReadMore) from the snapshot the first rows came from;
// everything that needs the whole result reads the rest first: Last, Locate
// past the rows read, RecordCount, moves past the rows read, Append, writes
// through the connection and a master link. Opening a set or writing through
// the connection lets its other sets read their rest first, so that each open
// sees the store as it is then. Messages of failures are
// prefixed with the set's name ("ADOQuery1: Dataset not in edit or insert mode").
//
// Statements have the shape "select * from <table> [rest]"; the rest may hold
// a where-clause with named parameters and an order-by clause.
class RecordSet {
 public:
  RecordSet(Connection& connection, std::string name);
  virtual ~RecordSet();
  RecordSet(const RecordSet&) = delete;
  RecordSet& operator=(const RecordSet&) = delete;

  const std::string& Name() const { return name_; }
  Connection& GetConnection() const { return connection_; }

  // Runs the command and makes the first row current; opening an open set does nothing.
  void Open();
  // Closes the set; a pending edit or insert is dropped, not posted (a new
  // row with the lines entered under it).
  void Close();
  bool Active() const;
  DataSetState State() const { return state_; }

  // Moves. A pending row is first finished: posted if changed, else cancelled.
  void First();
  void Prior();
  void Next();
  void Last();
  void MoveTo(int row);  // 0-based visible row; the grid's click
  bool Bof() const;
  bool Eof() const;
  int RecordCount();  // visible rows, a pending new row included; reads the rest first
  int RecNo() const;  // 0-based current row, -1 when there is none
  bool IsEmpty();

  // The result is still being read.
  bool Reading() const { return source_ != nullptr; }
  // Reads up to `rows` more rows of the result; returns whether rows remain.
  bool ReadMore(int rows);
  void ReadAll();
  // Visible rows read so far, a pending new row included: what a grid shows.
  int RecordsRead() const { return Active() ? static_cast<int>(view_.size()) : 0; }
  // Rows read at once by Open, enough for a screen.
  static constexpr int kFirstRows = 128;

  // Finishes a pending row (as a move does), then adds an empty row at the end
  // (Append) or before the current row (Insert) and enters the insert state.
  void Append();
  void Insert();
  // Edit state on the current row; nothing if already editing or inserting;
  // on an empty set it appends.
  void Edit();
  void Post();    // writes the pending row; stays pending when the store refuses it
  void Cancel();  // drops the pending change (a new row with its entered lines); nothing in browse
  // Deletes the current row from the store; the following row becomes current
  // (the preceding one when the last was deleted). While inserting it cancels.
  void Delete();
  // Pending row changed by a field write since Edit/Append.
  bool Modified() const;
  // Lets bound controls write, then posts a modified pending row or cancels an untouched one.
  void CheckBrowseMode();

  // Makes the first row whose key column equals the whole value current;
  // returns false and leaves the current row when none does.
  bool Locate(std::string_view keyField, std::string_view value);

  int FieldCount() const;
  Field& FieldAt(int index);
  Field& FieldByName(std::string_view name);  // any letter case; "Field '%s' not found"
  Field* FindField(std::string_view name);    // nullptr when absent

  // Display text of any visible row's cell, for grids; the current pending row
  // shows its pending values. Cheap: no copy of the row.
  std::string CellText(int row, int column) const;

  Parameters& Params() { return params_; }

  // Master link: the set shows only the rows whose MasterFields equal the
  // master's current row, follows the master and copies the link values into
  // new rows. SetMaster(nullptr) unlinks. Either call takes effect at the next
  // Open (and at once on an open set).
  void SetMaster(RecordSet* master);
  RecordSet* Master() const { return master_; }
  void SetMasterFields(std::string fieldList);  // "Cust_no;Quotation_number"
  const std::string& MasterFields() const { return masterFields_; }
  // Rows written here while the master is adding a row. They belong to that
  // row: they take its link values in the same transaction as its post, and
  // go from the store with it when it is cancelled.
  int EnteredRowCount() const;

  using Listener = std::function<void(RecordSetEvent)>;
  int Subscribe(Listener listener);  // returns an id for Unsubscribe
  void Unsubscribe(int id);
  // Asks the listeners to write the text they hold into the pending row now,
  // as a post does first, without posting. Their first error reaches the caller.
  void RequestUpdate() { Notify(RecordSetEvent::UpdateRecord); }

  // Bytes held by the open set's rows and indexes (for the benchmark).
  std::size_t MemoryBytes() const;

  // The table the statement reads ("" before the first Open).
  const std::string& TableName() const { return table_; }

 protected:
  // The statement Open runs.
  virtual std::string CommandSql() const = 0;
  // Raises an error "<Name>: message" (StoreError).
  [[noreturn]] void Fail(std::string_view message) const;

 private:
  friend class Field;
  friend class MasterLink;
  friend class Connection;
  void Notify(RecordSetEvent event);

  // Cursor and pending row.
  void RequireActive() const;
  Backend& Store() const;
  std::vector<SourceColumn> Columns() const;
  void StartReading(const std::string& sql);
  int Pull(int limit);
  void ReadThrough(int row);
  void EndReading();
  std::unique_ptr<RowSource> MakeSource(const std::string& sql);
  void ResetCursor();
  void ShowAllRows();
  void MoveCurrent(int row, bool bof, bool eof);
  void BeginNewRow(int position);
  void FinishPending();
  void WritePending();
  void InsertPending();
  void UpdatePending();
  void RemovePendingRow();
  void DeleteCurrent();
  int PhysicalRow() const;
  std::optional<std::string_view> StoredValue(int row, int column) const;
  std::optional<std::string_view> CurrentValue(int column) const;
  std::string DisplayText(int column, std::optional<std::string_view> value) const;
  void SetFieldText(int column, std::string_view text);

  // Master link.
  struct LinesToFollow {
    RecordSet* lines;
    bool entered;  // the rows entered under a new row, else those holding `from`
    std::vector<std::optional<std::string>> from;
  };
  void FinishDetails();
  bool DetailsHaveEnteredRows() const;
  void WriteRow();
  StoredRow InsertUnderMasterRow(const std::vector<ColumnValue>& values);
  bool ClaimCurrentRow(const std::vector<std::string>& fields);
  std::vector<LinesToFollow> LinesThatFollow() const;
  void WriteRowWithLines(const std::vector<LinesToFollow>& following);
  void UndoRowWrite(int physical, bool inserted, const std::vector<std::optional<std::string>>& before);
  void MoveLinesInStore(const LinesToFollow& follow, const std::vector<std::optional<std::string>>& to);
  void MoveLinesInCache(const LinesToFollow& follow, const std::vector<std::optional<std::string>>& to);
  void DiscardDetailsEnteredRows();
  void DiscardEnteredRows();
  void AttachLink();
  void Relink();
  void FollowMaster(RecordSetEvent event);
  void ApplyRestriction(bool moveFirst);
  void Restrict();
  void DetachFromMaster();

  // Rows shown, as indexes into the row cache; kPendingRow marks a new row.
  static constexpr int kPendingRow = -1;
  std::vector<int> view_;
  int current_ = -1;
  int returnRow_ = -1;
  bool bof_ = true;
  bool eof_ = true;
  bool detached_ = false;  // the connection went away before the set
  std::string table_;
  std::unique_ptr<EditBuffer> edit_;
  std::vector<RecordSet*> details_;
  int masterSubscription_ = 0;

  Connection& connection_;
  std::string name_;
  DataSetState state_ = DataSetState::Inactive;
  Parameters params_;
  RecordSet* master_ = nullptr;
  std::string masterFields_;
  std::unique_ptr<RowCache> rows_;
  std::unique_ptr<RowSource> source_;  // while the result is being read
  std::unique_ptr<MasterLink> link_;
  std::vector<std::unique_ptr<Field>> fields_;
  std::vector<std::pair<int, Listener>> listeners_;
  int nextListenerId_ = 1;
};

}  // namespace store
