#include "ui/data/DataSource.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "store/RecordSet.h"
#include "ui/data/DataLink.h"

namespace ui {

// Rides inside the listener the set keeps: when the set is destroyed before
// its data source, the listener goes with it and this tells the data source
// not to touch the set again.
class DataSource::SetWatch {
 public:
  explicit SetWatch(DataSource* owner) : owner_(owner) {}
  ~SetWatch() {
    if (owner_) owner_->SetGone();
  }
  void Release() { owner_ = nullptr; }

 private:
  DataSource* owner_;
};

DataSource::DataSource(QObject* parent, store::RecordSet* dataSet) : QObject(parent) { SetDataSet(dataSet); }

DataSource::~DataSource() {
  Detach();
  const std::vector<DataLink*> links = links_;
  links_.clear();
  for (DataLink* link : links) link->DataSourceDestroyed();
}

void DataSource::SetDataSet(store::RecordSet* dataSet) {
  if (dataSet == dataSet_) return;
  Detach();
  dataSet_ = dataSet;
  if (dataSet_) {
    auto watch = std::make_shared<SetWatch>(this);
    watch_ = watch;
    subscription_ = dataSet_->Subscribe(
        [this, watch](store::RecordSetEvent event) { Dispatch(static_cast<int>(event)); });
  }
  Dispatch(static_cast<int>(store::RecordSetEvent::Opened));
}

void DataSource::Detach() {
  if (auto watch = watch_.lock()) watch->Release();
  watch_.reset();
  if (dataSet_ && subscription_) dataSet_->Unsubscribe(subscription_);
  dataSet_ = nullptr;
  subscription_ = 0;
}

void DataSource::SetGone() {
  // The set is in its destructor: drop it quietly, the controls keep what they show.
  dataSet_ = nullptr;
  subscription_ = 0;
  watch_.reset();
}

bool DataSource::BeginUserEdit() {
  if (!dataSet_ || !dataSet_->Active()) return false;
  const store::DataSetState state = dataSet_->State();
  if (state == store::DataSetState::Edit || state == store::DataSetState::Insert) return true;
  if (!autoEdit_) return false;
  dataSet_->Edit();
  return dataSet_->State() == store::DataSetState::Edit || dataSet_->State() == store::DataSetState::Insert;
}

bool DataSource::Editing() const {
  if (!dataSet_ || !dataSet_->Active()) return false;
  const store::DataSetState state = dataSet_->State();
  return state == store::DataSetState::Edit || state == store::DataSetState::Insert;
}

void DataSource::AddLink(DataLink* link) {
  if (link && std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void DataSource::RemoveLink(DataLink* link) {
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

bool DataSource::HasLink(DataLink* link) const {
  return std::find(links_.begin(), links_.end(), link) != links_.end();
}

void DataSource::UpdateRecordOf(store::RecordSet* set) {
  if (set) set->RequestUpdate();
}

// Every link hears the event even when one fails; the first failure is
// rethrown afterwards, so it reaches the operation that caused it.
void DataSource::Dispatch(int event) {
  // A handler may remove links (a control destroyed by a window's reaction),
  // so walk a copy and skip the ones that left meanwhile.
  const std::vector<DataLink*> links = links_;
  std::exception_ptr failure;
  for (DataLink* link : links) {
    if (!HasLink(link)) continue;
    try {
      Deliver(link, event);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

void DataSource::Deliver(DataLink* link, int event) {
  switch (static_cast<store::RecordSetEvent>(event)) {
    case store::RecordSetEvent::Opened:
    case store::RecordSetEvent::Closed:
      link->ActiveChanged();
      break;
    case store::RecordSetEvent::RowsChanged:
      link->DataSetChanged();
      break;
    case store::RecordSetEvent::RowsRead:
      link->RowsRead();
      break;
    case store::RecordSetEvent::Scrolled:
    case store::RecordSetEvent::FieldChanged:
      link->RecordChanged();
      break;
    case store::RecordSetEvent::StateChanged:
      link->StateChanged();
      break;
    case store::RecordSetEvent::UpdateRecord:
      link->UpdateData();
      break;
  }
}

}  // namespace ui
