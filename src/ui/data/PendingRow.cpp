#include "ui/data/PendingRow.h"

#include <QString>
#include <exception>

#include "store/RecordSet.h"
#include "ui/app/Guard.h"
#include "ui/app/Prompts.h"
#include "ui/data/DataSource.h"

namespace ui {

namespace {

constexpr const char* kSaveQuestion = "這筆記錄已修改，是否保存？";

bool Pending(const store::RecordSet* set) {
  return set && set->Active() &&
         (set->State() == store::DataSetState::Edit || set->State() == store::DataSetState::Insert);
}

// Whether a box holds text it could not write (a date that is no date).
bool HoldsRefusedText(store::RecordSet* set) {
  try {
    DataSource::UpdateRecordOf(set);
    return false;
  } catch (const std::exception&) {
    return true;
  }
}

bool ResolveOne(QWidget* parent, store::RecordSet* set) {
  // Text still held by a box counts as a change: let the controls write it
  // first. Text they refuse is a change too: Yes reports it, No drops it.
  const bool refused = HoldsRefusedText(set);
  if (!Pending(set)) return true;
  if (!refused && !set->Modified()) {
    set->Cancel();
    return true;
  }
  switch (Prompts::AskSaveChanges(parent, QString::fromUtf8(kSaveQuestion))) {
    case Answer::Yes:
      return Guard([set] { set->Post(); });
    case Answer::No:
      set->Cancel();
      return true;
    default:
      return false;
  }
}

}  // namespace

bool ResolvePendingRows(QWidget* parent, std::initializer_list<store::RecordSet*> sets) {
  for (store::RecordSet* set : sets) {
    if (Pending(set) && !ResolveOne(parent, set)) return false;
  }
  return true;
}

}  // namespace ui
