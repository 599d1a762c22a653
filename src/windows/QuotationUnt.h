#pragma once

#include <QPointer>
#include <vector>

#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "ui/app/DataWindow.h"
#include "ui/data/DataSource.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QToolButton;

namespace ui {
class DBComboBox;
class DBEdit;
class DBGrid;
class DBNavigator;
class RecordToolBar;
}  // namespace ui

// The quotation window: a search page listing headers with their lines, and an
// input page where headers are entered and lines typed into the line grid.
// Owns its connection, its three record sets and every lookup window it opened.
class TQuotation : public ui::DataWindow {
  Q_OBJECT
 public:
  // Opens the connection and the customer set; throws store::StoreError.
  explicit TQuotation(QWidget* parent = nullptr);

  void BtnExitClick();
  void BtnCustNoFindClick();
  void BtnNewClick();
  void BtnSaveClick();
  void BtnFindClick();
  void DBEdit1Change();
  void BtnEditClick();
  void BtnUndoClick();
  void BtnDelClick();
  void BtnTopClick();
  void BtnBackClick();
  void BtnNextClick();
  void BtnEndClick();
  void BtnPrintClick();
  void BtnExcelClick();

  // A customer double-clicked in a lookup window: while the header is open
  // for entry its number goes into DBEdit1, as if typed.
  void PickCustomer(const QString& custNo);

  int AddFlag = 0;

  store::Connection& ADOConnection1 = Own<store::Connection>("ADOConnection1");
  store::QueryRecordSet& ADOQuery1 = Own<store::QueryRecordSet>(ADOConnection1, "ADOQuery1");
  store::CommandRecordSet& ADODataSetMaster =
      Own<store::CommandRecordSet>(ADOConnection1, "ADODataSetMaster");
  store::CommandRecordSet& ADODataSetDilate =
      Own<store::CommandRecordSet>(ADOConnection1, "ADODataSetDilate");
  ui::DataSource& DataSource3 = Own<ui::DataSource>(nullptr, &ADOQuery1);
  ui::DataSource& DataSourceMaster = Own<ui::DataSource>(nullptr, &ADODataSetMaster);
  ui::DataSource& DataSourceDitale = Own<ui::DataSource>(nullptr, &ADODataSetDilate);

  QTabWidget* PageControl1 = nullptr;
  QWidget* QuotationFind = nullptr;
  QWidget* QuotationInput = nullptr;

  QFrame* Panel1 = nullptr;
  QSplitter* Splitter1 = nullptr;
  QLabel* Label13 = nullptr;
  QLineEdit* EdtCustNo = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* EdtQuotationNumber = nullptr;
  QPushButton* BtnFind = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  ui::DBGrid* DBGrid1 = nullptr;
  QSplitter* Splitter2 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  ui::DBGrid* DBGrid2 = nullptr;

  ui::RecordToolBar* ToolBar1 = nullptr;
  QAction* BtnNew = nullptr;
  QAction* BtnEdit = nullptr;
  QAction* BtnDel = nullptr;
  QAction* BtnUndo = nullptr;
  QAction* BtnSave = nullptr;
  QAction* BtnTop = nullptr;
  QAction* BtnBack = nullptr;
  QAction* BtnNext = nullptr;
  QAction* BtnEnd = nullptr;
  QAction* BtnPrint = nullptr;
  QAction* BtnExcel = nullptr;
  QAction* BtnExit = nullptr;
  QFrame* Panel2 = nullptr;
  QSplitter* Splitter3 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  ui::DBNavigator* DBNavigator1 = nullptr;
  ui::DBGrid* DBGrid3 = nullptr;

  ui::DBEdit* DBEdit1 = nullptr;
  QToolButton* BtnCustNoFind = nullptr;
  ui::DBEdit* DBEdit2 = nullptr;
  ui::DBEdit* DBEdit3 = nullptr;
  ui::DBComboBox* DBComboBox5 = nullptr;
  ui::DBComboBox* DBComboBox1 = nullptr;
  ui::DBComboBox* DBComboBox3 = nullptr;
  ui::DBEdit* DBEdit4 = nullptr;
  ui::DBComboBox* DBComboBox2 = nullptr;
  ui::DBComboBox* DBComboBox4 = nullptr;
  ui::DBEdit* DBEdit5 = nullptr;
  ui::DBEdit* DBEdit6 = nullptr;
  ui::DBEdit* DBEdit7 = nullptr;

  // Keys of commands that have no toolbar button (QuotationKeys.cpp).
  QAction* FindKey = nullptr;        // BtnFind
  QAction* CustNoFindKey = nullptr;  // BtnCustNoFind
  QAction* FindPageKey = nullptr;    // shows QuotationFind
  QAction* InputPageKey = nullptr;   // shows QuotationInput

 protected:
  // Every set of the window and of its lookup windows: a pending change is asked about.
  bool SettlePending() override;

 private:
  // Layout (QuotationLayout.cpp).
  void BuildPages();
  void BuildSearchPage();
  QFrame* BuildSearchPanel();
  void BuildInputPage();
  void BuildHeaderFields();
  void BuildCustomerRow();
  void AddField(QWidget* control, const char* name, int x, int y, int width);
  void AddLabel(const char* name, const QString& caption, int x, int y);
  void BuildLineEntry();
  void SetTabOrder();
  void ConnectHandlers();

  // Keyboard (QuotationKeys.cpp).
  void BindKeys();
  void NameFields();
  void ShowPage(QWidget* page);

  // The header controls New unlocks, in the order it unlocks them.
  std::vector<QWidget*> EntryControls() const;
  void EnableEntry(bool enabled);
  void EnableUndoSave();
  void EnableHeaderMoves();
  bool ConfirmDiscardOfEnteredLines();
  void DeleteHeaderWithLines();
  void DeleteLines(const std::string& custNo, const std::string& number);

  // Takes a stored header's lines along when its numbers change, also while
  // no search has linked the line set yet. It holds no rows of its own.
  store::CommandRecordSet& lineFollower_ = Own<store::CommandRecordSet>(ADOConnection1, "LineFollower");
};

extern QPointer<TQuotation> Quotation;
