#pragma once

#include <QFrame>
#include <vector>

namespace ui {
class DataSource;
class DBComboBox;
class DBEdit;
}  // namespace ui

// The customer window's edit panel (Panel2): labels and the boxes bound to the
// current customer, in seven rows of a left and a right column.
class CustFrmEditPanel : public QFrame {
  Q_OBJECT
 public:
  CustFrmEditPanel(QWidget* parent, ui::DataSource* source);

  // The entry boxes, in the order the window enables and disables them.
  const std::vector<QWidget*>& EntryBoxes() const { return entryBoxes_; }
  void SetEntryBoxesEnabled(bool enabled);

  ui::DBEdit* DBEdit1 = nullptr;  // the number box: never disabled
  ui::DBEdit* DBEdit2 = nullptr;
  ui::DBEdit* DBEdit3 = nullptr;
  ui::DBEdit* DBEdit4 = nullptr;
  ui::DBEdit* DBEdit5 = nullptr;
  ui::DBEdit* DBEdit6 = nullptr;
  ui::DBEdit* DBEdit7 = nullptr;
  ui::DBEdit* DBEdit8 = nullptr;
  ui::DBEdit* DBEdit9 = nullptr;
  ui::DBEdit* DBEdit10 = nullptr;
  ui::DBEdit* DBEdit11 = nullptr;
  ui::DBComboBox* DBComboBox1 = nullptr;

 private:
  ui::DBEdit* AddEdit(const char* name, const char* field, int row, bool right, int width);
  void AddLabel(const char* text, int row, bool right);
  void PlaceRows();
  void SetTabOrder();

  ui::DataSource* source_;
  std::vector<QWidget*> entryBoxes_;
};
