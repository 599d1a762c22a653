#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/QuotationDraft.h"

namespace store {

class CommandRecordSet;
class Connection;

// Reads one quotation, header and lines, and writes it back in one
// transaction. What was read is kept: a save or delete first checks that the
// store still holds exactly that, and is refused with the store's conflict
// message when another user changed or removed it meanwhile, leaving
// everything as it was.
class QuotationRecord {
 public:
  explicit QuotationRecord(Connection& connection);
  ~QuotationRecord();

  // Reads the quotation with this key; false when there is none.
  bool Load(const std::string& custNo, const std::string& number);
  // Starts a quotation not yet stored.
  void Start();
  bool Stored() const { return stored_; }
  const QuotationDraft& Loaded() const { return loaded_; }

  // Writes the draft (a new quotation, or over the one loaded, its key may
  // change) and keeps it as loaded.
  void Save(const QuotationDraft& draft);
  // Deletes the loaded quotation with its lines.
  void Remove();

  // Told inside the transaction of a save, before the rows are written and
  // after, and of a removal before it; what they throw undoes the whole save.
  // The quotation's life is recorded through them.
  struct Watchers {
    std::function<void(const QuotationDraft& draft)> beforeSave;
    std::function<void(const QuotationDraft& draft)> afterSave;
    std::function<void()> beforeRemove;
  };
  void SetWatchers(Watchers watchers) { watchers_ = std::move(watchers); }

  static constexpr const char* kNumberTaken = "報價單號「%1」已經有了，請換一個。";
  static constexpr const char* kNoCustomer = "請先選定客戶。";
  static constexpr const char* kNoNumber = "請先填入報價單號。";

 private:
  struct Snapshot {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> lines;
    bool operator==(const Snapshot&) const = default;
  };
  void OpenSets(const std::string& custNo, const std::string& number);
  Snapshot Read();
  void CheckUnchanged(const char* conflict);
  void Write(const QuotationDraft& draft);

  Connection& connection_;
  std::unique_ptr<CommandRecordSet> header_;
  std::unique_ptr<CommandRecordSet> lines_;
  QuotationDraft loaded_;
  Watchers watchers_;
  Snapshot snapshot_;
  bool stored_ = false;
};

}  // namespace store
