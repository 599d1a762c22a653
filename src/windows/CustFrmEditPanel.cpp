#include "windows/CustFrmEditPanel.h"

#include <QLabel>

#include "ui/app/DataWindow.h"
#include "ui/app/LabelFields.h"
#include "ui/app/SalesNames.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "windows/CustFrmLook.h"

namespace {

// Geometry of the seven rows: a label, then its box, in a left and a right column.
constexpr int kTop = 12;
constexpr int kRowStep = 30;
constexpr int kBoxHeight = 21;
constexpr int kLeftLabelX = 12;
constexpr int kLeftBoxX = 72;
constexpr int kRightLabelX = 272;
constexpr int kRightBoxX = 330;
constexpr int kLabelWidth = 56;

int RowY(int row) { return kTop + row * kRowStep; }

}  // namespace

CustFrmEditPanel::CustFrmEditPanel(QWidget* parent, ui::DataSource* source)
    : QFrame(parent), source_(source) {
  setObjectName("Panel2");
  custfrm::SetPanelLook(this);
  PlaceRows();
  SetTabOrder();
  ui::TieLabelsToFields(this);
  entryBoxes_ = {DBEdit2, DBEdit3, DBEdit4,  DBEdit5,  DBEdit6,    DBEdit7,
                 DBEdit8, DBEdit9, DBEdit10, DBEdit11, DBComboBox1};
  SetEntryBoxesEnabled(false);
}

void CustFrmEditPanel::SetEntryBoxesEnabled(bool enabled) {
  for (QWidget* box : entryBoxes_) box->setEnabled(enabled);
}

void CustFrmEditPanel::PlaceRows() {
  AddLabel("客戶編號", 0, false);
  DBEdit1 = AddEdit("DBEdit1", "cust_no", 0, false, 43);
  custfrm::SetButtonFaceBase(DBEdit1);
  AddLabel("公司簡稱", 0, true);
  DBEdit2 = AddEdit("DBEdit2", "cust_name", 0, true, 121);
  AddLabel("公司名稱", 1, false);
  DBEdit3 = AddEdit("DBEdit3", "all_name", 1, false, 379);
  AddLabel("公司地址", 2, false);
  DBEdit4 = AddEdit("DBEdit4", "incaddr", 2, false, 379);
  AddLabel("聯繫人", 3, false);
  DBEdit5 = AddEdit("DBEdit5", "linkman", 3, false, 67);
  AddLabel("電話1", 3, true);
  DBEdit6 = AddEdit("DBEdit6", "tel1", 3, true, 107);
  AddLabel("電話2", 4, false);
  DBEdit7 = AddEdit("DBEdit7", "tel2", 4, false, 107);
  AddLabel("傳真", 4, true);
  DBEdit8 = AddEdit("DBEdit8", "fax", 4, true, 105);
  AddLabel("E-mail", 5, false);
  DBEdit9 = AddEdit("DBEdit9", "email", 5, false, 121);
  AddLabel("郵編", 5, true);
  DBEdit11 = AddEdit("DBEdit11", "PostalCode", 5, true, 50);
  AddLabel("業務員", 6, false);
  DBComboBox1 = new ui::DBComboBox(this);
  DBComboBox1->setObjectName("DBComboBox1");
  DBComboBox1->SetItems({QString::fromUtf8(ui::kSalesperson)});
  DBComboBox1->SetImeName(ui::DataWindow::ImeName());
  DBComboBox1->SetDataSource(source_);
  DBComboBox1->SetDataField("sales");
  DBComboBox1->setGeometry(kLeftBoxX, RowY(6), 83, kBoxHeight);
  AddLabel("維護日期", 6, true);
  DBEdit10 = AddEdit("DBEdit10", "create_date", 6, true, 73);
}

ui::DBEdit* CustFrmEditPanel::AddEdit(const char* name, const char* field, int row, bool right, int width) {
  auto* edit = new ui::DBEdit(this);
  edit->setObjectName(name);
  edit->SetImeName(ui::DataWindow::ImeName());
  edit->SetDataSource(source_);
  edit->SetDataField(field);
  edit->setGeometry(right ? kRightBoxX : kLeftBoxX, RowY(row), width, kBoxHeight);
  return edit;
}

void CustFrmEditPanel::AddLabel(const char* text, int row, bool right) {
  auto* label = new QLabel(QString::fromUtf8(text), this);
  label->setGeometry(right ? kRightLabelX : kLeftLabelX, RowY(row), kLabelWidth, kBoxHeight);
}

void CustFrmEditPanel::SetTabOrder() {
  QWidget* const order[] = {DBEdit1, DBEdit2, DBEdit3, DBEdit4,  DBEdit5,     DBEdit6,
                            DBEdit7, DBEdit8, DBEdit9, DBEdit11, DBComboBox1, DBEdit10};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}
