#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "ui/menu/Form.h"

class QMdiArea;
class QMdiSubWindow;
class QStatusBar;
class TXPBarMenu;

namespace ui {
class MenuMerge;
class TMainMenu;
class TMenuItem;
}  // namespace ui

// The MDI frame: the application menu and the client area in which the
// maintenance windows open.
//
// The two maintenance windows are made by child factories. The standard ones
// create a TCustFrm or TQuotation with the frame as owner and store it in that
// unit's shared reference (CustFrm, Quotation); tests may put in their own:
//   TMainFrm::SetChildFactory(TMainFrm::Child::Customer, [](TMainFrm& frame) { return new W(&frame); });
// The frame then puts the window in the client area, shows it, and places it at
// (0, 0), 550 x 450, shrunk to the client area when that is smaller.
//
// Shared references: each window unit defines its own, as a QPointer so that
// it reads null once its window is gone (never a dangling window):
//   MainUnt.h       extern QPointer<TMainFrm> MainFrm;
//   CustomUnt.h     extern QPointer<TCustFrm> CustFrm;
//   QuotationUnt.h  extern QPointer<TQuotation> Quotation;
//   CustomFindUnt.h extern QPointer<TCustmoterFindFrm> CustmoterFindFrm;
class TMainFrm : public QMainWindow, public ui::Form {
  Q_OBJECT
 public:
  enum class Child { Customer, Quotation };
  using ChildFactory = std::function<QWidget*(TMainFrm& frame)>;

  explicit TMainFrm(QWidget* parent = nullptr);
  ~TMainFrm() override;

  // nullptr restores the standard factory.
  static void SetChildFactory(Child kind, ChildFactory factory);

  void NcustomerClick();
  void NquotationClick();
  // The quotation workspace, beside the designed windows.
  void NworkspaceClick();
  // Puts `child` into the client area, shows it and gives it its place.
  QMdiSubWindow* OpenChild(QWidget* child);

  QMdiArea* MdiArea;  // the client area (the designed Image1 filled it)
  QStatusBar* StatusBar1;
  TXPBarMenu* XPBarMenu1;
  ui::TMainMenu* MainMenu1;
  ui::TMenuItem* N1;
  ui::TMenuItem* Nlogin;
  ui::TMenuItem* N3;
  ui::TMenuItem* Nexit;
  ui::TMenuItem* N5;
  ui::TMenuItem* Ncustomer;
  ui::TMenuItem* Nmuster;
  ui::TMenuItem* Nquotation;
  ui::TMenuItem* Nworkspace;
  ui::TMenuItem* N9;
  ui::TMenuItem* Neditpass;
  ui::TMenuItem* Nloginoff;
  ui::TMenuItem* nn;
  ui::TMenuItem* Nabout;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateClientArea();
  void CreateMenu();
  ui::TMenuItem* AddItem(ui::TMenuItem* parent, const char* name, const QString& caption, int group = 0);
  void OpenChild(Child kind);
  void FitOuterSize();
  bool AllChildrenMayClose();

  std::unique_ptr<ui::MenuMerge> merge_;
  bool placed_ = false;
};

extern QPointer<TMainFrm> MainFrm;
