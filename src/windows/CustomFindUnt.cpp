#include "windows/CustomFindUnt.h"

#include <QApplication>
#include <QVBoxLayout>

#include "ui/app/Guard.h"
#include "ui/data/DBGrid.h"
#include "ui/data/PendingRow.h"
#include "windows/QuotationUnt.h"

QPointer<TCustmoterFindFrm> CustmoterFindFrm;

TCustmoterFindFrm::TCustmoterFindFrm(TQuotation* owner)
    : QWidget(owner, Qt::Window),
      ADOConnection1("ADOConnection1"),
      ADOQuery1(ADOConnection1, "ADOQuery1"),
      DataSource1(nullptr, &ADOQuery1),
      owner_(owner) {
  setObjectName("CustmoterFindFrm");
  setWindowTitle("客戶資料查詢");
  DataSource1.setObjectName("DataSource1");
  ADOConnection1.SetConnectionString(store::kShareDenyNoneConnectionString);
  ADOConnection1.Open();
  ADOQuery1.SQL().Add("select * from customer");
  ADOQuery1.Open();
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  DBGrid1 = new ui::DBGrid(this);
  DBGrid1->setObjectName("DBGrid1");
  DBGrid1->SetReadOnly(false);
  DBGrid1->SetDataSource(&DataSource1);
  DBGrid1->SetImeName(QStringLiteral("中文 (简体) - 微软拼音"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(DBGrid1);
  connect(DBGrid1, &ui::DBGrid::cellClicked, this,
          [this](int column) { ui::Guard([&] { DBGrid1CellClick(column); }); });
  connect(DBGrid1, &ui::DBGrid::doubleClicked, this, ui::Guarded([this] { DBGrid1DblClick(); }));
  setGeometry(299, 251, 414, 236);
}

TCustmoterFindFrm::~TCustmoterFindFrm() {
  // The focus leaves while the grid still exists: it watches the focus move.
  if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus)) focus->clearFocus();
  delete DBGrid1;  // before the record set it shows
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
