#pragma once

#include <QObject>
#include <memory>
#include <vector>

namespace store {
class RecordSet;
}

namespace ui {

class DataLink;

// Connects one record set to its bound controls. With automatic edit on, a
// control that the user types into puts the set into edit state first.
// Either side may be destroyed first: the set's listener tells when the set
// goes, and links still attached hear DataSourceDestroyed.
class DataSource : public QObject {
  Q_OBJECT
 public:
  explicit DataSource(QObject* parent = nullptr, store::RecordSet* dataSet = nullptr);
  ~DataSource() override;

  void SetDataSet(store::RecordSet* dataSet);
  store::RecordSet* DataSet() const { return dataSet_; }
  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool on) { autoEdit_ = on; }

  // Called by a control before the user's change is taken: browse -> Edit when
  // AutoEdit. Returns whether the set now accepts field writes. May throw.
  bool BeginUserEdit();
  // The set is open and holds a pending (edited or inserted) row.
  bool Editing() const;

  void AddLink(DataLink* link);
  void RemoveLink(DataLink* link);

  // Lets every control bound to the set write its held text now, as a post
  // would, without posting: the set asks its own data sources. Conversion
  // errors reach the caller.
  static void UpdateRecordOf(store::RecordSet* set);

 private:
  class SetWatch;

  void Dispatch(int event);
  static void Deliver(DataLink* link, int event);
  void Detach();
  void SetGone();
  bool HasLink(DataLink* link) const;

  store::RecordSet* dataSet_ = nullptr;
  int subscription_ = 0;
  bool autoEdit_ = true;
  std::vector<DataLink*> links_;
  std::weak_ptr<SetWatch> watch_;
};

}  // namespace ui
