#pragma once

#include <QPointer>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "ui/app/DataWindow.h"
#include "ui/data/DataSource.h"

class QKeyEvent;
class TQuotation;

namespace ui {
class DBGrid;
}

// The customer lookup window: every customer in an editable grid. A click
// moves the owning quotation window's customer set to the clicked customer.
// Owned by that quotation window; closing only hides it.
class TCustmoterFindFrm : public ui::DataWindow {
  Q_OBJECT
 public:
  // Opens its own connection and "select * from customer"; throws store::StoreError.
  explicit TCustmoterFindFrm(TQuotation* owner);

  void DBGrid1CellClick(int column);
  // A double-click picks the customer into the owner's header while it is open for entry.
  void DBGrid1DblClick();

  TQuotation* Owner() const { return owner_; }

  store::Connection& ADOConnection1 = Own<store::Connection>("ADOConnection1");
  store::QueryRecordSet& ADOQuery1 = Own<store::QueryRecordSet>(ADOConnection1, "ADOQuery1");
  ui::DataSource& DataSource1 = Own<ui::DataSource>(nullptr, &ADOQuery1);
  ui::DBGrid* DBGrid1 = nullptr;

 protected:
  // Escape closes the window when the grid has no use for it.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString CurrentCustNo();

  QPointer<TQuotation> owner_;
};

extern QPointer<TCustmoterFindFrm> CustmoterFindFrm;
