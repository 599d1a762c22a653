#pragma once

#include <QPointer>
#include <QString>
#include <optional>
#include <string>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "ui/app/DataWindow.h"
#include "ui/data/DataSource.h"
#include "ui/menu/Form.h"

class QContextMenuEvent;
class QFrame;
class QSplitter;
class CustFrmEditPanel;
class CustFrmSearchPanel;
class TXPBarMenu;

namespace ui {
class DBGrid;
class RecordToolBar;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
}  // namespace ui

// The customer maintenance window: the grid of customers, a search panel, the
// edit panel of the current customer, the record toolbar and an Edit menu that
// the frame merges into its bar. Owns its own connection to data.mdb.
class TCustFrm : public ui::DataWindow, public ui::Form {
  Q_OBJECT
 public:
  // Opens the connection and the customer query; throws store::StoreError when
  // that fails (no data.mdb), before anything else is built.
  explicit TCustFrm(QWidget* parent = nullptr);

  void BtnNewClick();
  void BtnEditClick();
  void BtnDelClick();
  void BtnUndoClick();
  void BtnSaveClick();
  void BtnTopClick();
  void BtnBackClick();
  void BtnNextClick();
  void BtnEndClick();
  void BtnExitClick();
  void BtnFindClick();
  void BtnCancelClick();
  void edtnameChange();

  store::Connection& ADOConnection1 = Own<store::Connection>("ADOConnection1");
  store::QueryRecordSet& ADOQuery1 = Own<store::QueryRecordSet>(ADOConnection1, "ADOQuery1");
  int AddFlag = 0;

  ui::DataSource* DataSource1 = &Own<ui::DataSource>(nullptr, &ADOQuery1);
  ui::RecordToolBar* ToolBar1 = nullptr;
  QSplitter* Splitter2 = nullptr;  // between the upper area and the edit panel
  QSplitter* Splitter1 = nullptr;  // between the search panel and the grid
  CustFrmSearchPanel* Panel1 = nullptr;
  QFrame* Panel3 = nullptr;
  ui::DBGrid* DBGrid1 = nullptr;
  CustFrmEditPanel* Panel2 = nullptr;

  TXPBarMenu* XPBarMenu1 = nullptr;  // draws both menus; the window calls nothing of it
  ui::TMainMenu* MainMenu1 = nullptr;
  ui::TMenuItem* N1 = nullptr;
  ui::TMenuItem* Nappend = nullptr;
  ui::TMenuItem* Nedit = nullptr;
  ui::TMenuItem* Ndelte = nullptr;
  ui::TMenuItem* Ncancel = nullptr;
  ui::TMenuItem* N7 = nullptr;
  ui::TMenuItem* Nsave = nullptr;
  ui::TPopupMenu* PopupMenu1 = nullptr;
  ui::TMenuItem* N8 = nullptr;
  ui::TMenuItem* N9 = nullptr;
  ui::TMenuItem* N2 = nullptr;
  ui::TMenuItem* N3 = nullptr;
  ui::TMenuItem* N4 = nullptr;
  ui::TMenuItem* N5 = nullptr;
  ui::TMenuItem* N6 = nullptr;

 protected:
  // Before a close or re-query: keeps the user's typing from being dropped unasked.
  bool SettlePending() override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  using Handler = void (TCustFrm::*)();

  void OpenData();
  void BuildLayout();
  QFrame* BuildGridPanel();
  void BuildMenus();
  void BuildPopupMenu();
  ui::TMenuItem* AddMenuItem(ui::TMenuItem* parent, const char* name, const char* caption, int image,
                             Handler handler);
  void ConnectToolBar();
  void ConnectSearch();
  std::string AllocateNumber();
  void ShowNewRowValues();
  void EnableUndoSave();
  bool HoldsOnlyNewValues() const;
  void Requery(const std::string& sql, const std::optional<QString>& text);

  QString newNumber_;  // what the last New put into the number and date boxes
  QString newDate_;
};

// The most recently created customer window.
extern QPointer<TCustFrm> CustFrm;
