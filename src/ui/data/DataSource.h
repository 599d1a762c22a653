#pragma once

#include <QObject>
#include <vector>

namespace store {
class RecordSet;
}

namespace ui {

class DataLink;

// Connects one record set to its bound controls. With automatic edit on, a
// control that the user types into puts the set into edit state first.
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

  void AddLink(DataLink* link);
  void RemoveLink(DataLink* link);

 private:
  void Dispatch(int event);

  store::RecordSet* dataSet_ = nullptr;
  int subscription_ = 0;
  bool autoEdit_ = true;
  std::vector<DataLink*> links_;
};

}  // namespace ui
