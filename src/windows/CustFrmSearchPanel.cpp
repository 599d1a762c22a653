#include "windows/CustFrmSearchPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/app/DataWindow.h"
#include "ui/app/LabelFields.h"
#include "ui/data/WholeText.h"
#include "windows/CustFrmLook.h"
#include "windows/CustFrmUpperCase.h"

namespace {

constexpr int kLabelX = 8;
constexpr int kBoxX = 64;
constexpr int kRowHeight = 21;
constexpr int kNameY = 12;
constexpr int kAddressY = 44;
constexpr int kButtonY = 78;
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 25;

}  // namespace

CustFrmSearchPanel::CustFrmSearchPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("Panel1");
  custfrm::SetPanelLook(this);
  Label10 = AddLabel("Label10", "公司簡稱", kNameY);
  edtname = AddBox("edtname", kNameY, 105);
  Label2 = AddLabel("Label2", "公司地址", kAddressY);
  Edtaddress = AddBox("Edtaddress", kAddressY, 107);
  Edtaddress->setValidator(new CustFrmUpperCase(Edtaddress));
  BtnFind = AddButton("BtnFind", "查詢", 16);
  BtnCancel = AddButton("BtnCancel", "取消", 104);
  setTabOrder(edtname, Edtaddress);
  setTabOrder(Edtaddress, BtnFind);
  setTabOrder(BtnFind, BtnCancel);
  ui::TieLabelsToFields(this);
}

QLineEdit* CustFrmSearchPanel::AddBox(const char* name, int y, int width) {
  auto* box = new QLineEdit(this);
  box->setObjectName(name);
  box->setProperty("ImeName", ui::DataWindow::ImeName());
  box->setGeometry(kBoxX, y, width, kRowHeight);
  ui::HoldWholeText(box);
  return box;
}

QLabel* CustFrmSearchPanel::AddLabel(const char* name, const char* text, int y) {
  auto* label = new QLabel(QString::fromUtf8(text), this);
  label->setObjectName(name);
  label->setGeometry(kLabelX, y, kBoxX - kLabelX, kRowHeight);
  return label;
}

QPushButton* CustFrmSearchPanel::AddButton(const char* name, const char* caption, int x) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(name);
  button->setGeometry(x, kButtonY, kButtonWidth, kButtonHeight);
  button->setEnabled(false);
  return button;
}
