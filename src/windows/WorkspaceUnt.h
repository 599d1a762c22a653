#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "documents/QuotationDocument.h"

#include "store/Connection.h"
#include "store/QuotationDraft.h"
#include "store/life/QuotationSave.h"
#include "ui/app/DataWindow.h"

class QAction;
class QComboBox;
class QLabel;
class QuotationLifePanel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;
class QToolBar;
class WorkspaceHeaderPanel;
class WorkspaceLineGrid;
class WorkspaceRegisterModel;

namespace store {
class QuotationRecord;
}

// The salesperson's quotation workspace: every quotation in a register that
// a search box and a date range filter as they are typed, and beside it the
// selected quotation, header and lines, edited by keyboard and saved whole.
// While a line's product is typed, the prices quoted for it before are
// listed; F8 or a click takes one. It stands beside the quotation window and
// shares nothing with it but the tables.
class TQuotationWorkspace : public ui::DataWindow {
  Q_OBJECT
 public:
  // Opens its connection and reads the register; throws store::StoreError.
  explicit TQuotationWorkspace(QWidget* parent = nullptr);

  void ActNewClick();
  void ActSaveClick();
  void ActDeleteClick();
  void ActDeleteLineClick();
  void ActPrintClick();
  void ActPdfClick();
  void ActExcelClick();
  // Takes the price of the n-th entry of price memory into the line it was shown for.
  void TakePrice(int entry);
  void RunSearch();

  // The quotation as the window shows it now.
  store::QuotationDraft Draft() const;
  bool Unsaved() const;

  QLineEdit* SearchBox;
  QLineEdit* DateFrom;
  QLineEdit* DateTo;
  QLabel* RegisterCount;
  QTableView* RegisterGrid;
  WorkspaceRegisterModel* RegisterModel;
  QSortFilterProxyModel* RegisterSort;
  QToolBar* WorkspaceToolBar;
  QAction* ActNew;
  QAction* ActSave;
  QAction* ActDelete;
  QAction* ActDeleteLine;
  QAction* ActPrint;
  QAction* ActPdf;
  QAction* ActExcel;
  WorkspaceHeaderPanel* HeaderPanel;
  WorkspaceLineGrid* LineGrid;
  QTreeWidget* PriceMemoryList;
  QLabel* SubtotalLabel;
  QLabel* TaxLabel;
  QLabel* TotalLabel;
  QLabel* StatusLabel;
  QComboBox* StateFilter;
  QuotationLifePanel* LifePanel;

 protected:
  bool SettlePending() override;

 private:
  void BuildLayout();
  QWidget* BuildRegister();
  QWidget* BuildEditor();
  void BuildActions();
  QAction* AddAction(const char* name, const char* text, const QKeySequence& key);
  void Connect();
  void LoadCustomers();
  void Show(const store::QuotationDraft& draft);
  void RegisterRowChosen();
  void SelectInRegister(const std::string& custNo, const std::string& number);
  bool AskToSettle();
  void UpdateTotals();
  void RecallPrices(int row, const QString& typed);
  void ConnectPriceMemory();
  std::optional<documents::QuotationDocument> Document();
  // The life: its panel, the register's state filter, the records a save and a removal make.
  void BuildLife(QWidget* pane);
  void ConnectLife();
  void FilterStates();
  void ShowCopy(const store::life::QuotationKey& key);
  // The current revision's issued copy as a document, a draft being issued by it.
  std::optional<documents::QuotationDocument> IssuedDocument();
  void Say(const QString& text);
  QString ExportPath(const QString& caption, const QString& suffix, const QString& filter);

  store::Connection& connection_;
  store::QuotationRecord& record_;
  store::QuotationDraft baseline_;  // what Save would not change
  int priceRow_ = -1;               // the line price memory was shown for
  bool choosing_ = false;           // the register's selection is being put back
  std::optional<store::life::QuotationSave> lifeSave_;  // the save being written
};
