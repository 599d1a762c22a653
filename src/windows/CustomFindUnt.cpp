#include "windows/CustomFindUnt.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "ui/app/Guard.h"
#include "ui/data/DBGrid.h"
#include "ui/data/PendingRow.h"
#include "windows/QuotationUnt.h"

QPointer<TCustmoterFindFrm> CustmoterFindFrm;

// Closing only hides it: its changes are settled with its owner's.
TCustmoterFindFrm::TCustmoterFindFrm(TQuotation* owner)
    : ui::DataWindow(owner, OnClose::Hide, Qt::Window), owner_(owner) {
  setObjectName("CustmoterFindFrm");
  setWindowTitle("客戶資料查詢");
  DataSource1.setObjectName("DataSource1");
  ADOConnection1.SetConnectionString(store::kShareDenyNoneConnectionString);
  ADOConnection1.Open();
  ADOQuery1.SQL().Add("select * from customer");
  ADOQuery1.Open();
  DBGrid1 = new ui::DBGrid(this);
  DBGrid1->setObjectName("DBGrid1");
  DBGrid1->SetReadOnly(false);
  DBGrid1->SetDataSource(&DataSource1);
  DBGrid1->SetImeName(ImeName());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(DBGrid1);
  connect(DBGrid1, &ui::DBGrid::cellClicked, this,
          [this](int column) { ui::Guard([&] { DBGrid1CellClick(column); }); });
  connect(DBGrid1, &ui::DBGrid::doubleClicked, this, ui::Guarded([this] { DBGrid1DblClick(); }));
  setGeometry(299, 251, 414, 236);
  DBGrid1->setFocus();
}

void TCustmoterFindFrm::DBGrid1CellClick(int /*column*/) {
  const std::string custNo = ADOQuery1.FieldByName("Cust_no").AsString();
  // Moving the set would post a name typed into the owner's DBEdit2 without a word.
  if (owner_ && ui::ResolvePendingRows(owner_, {&owner_->ADOQuery1}))
    owner_->ADOQuery1.Locate("Cust_NO", custNo);
}

void TCustmoterFindFrm::DBGrid1DblClick() {
  if (owner_) owner_->PickCustomer(CurrentCustNo());
}

QString TCustmoterFindFrm::CurrentCustNo() {
  return QString::fromStdString(ADOQuery1.FieldByName("Cust_no").AsString());
}

void TCustmoterFindFrm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
    close();
  else
    ui::DataWindow::keyPressEvent(event);
}
