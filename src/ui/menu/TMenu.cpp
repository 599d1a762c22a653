#include "ui/menu/TMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPoint>

#include "ui/menu/MenuStyle.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/OwnerDrawMenuBar.h"
#include "ui/menu/TMenuItem.h"

namespace ui {

namespace {

// Puts the menu's top items into `widget`, replacing the actions it showed
// for them before; actions of other menus merged into the widget stay.
void ShowTopItems(QWidget* widget, const TMenuItem* root, std::vector<QPointer<QAction>>& shown) {
  for (const QPointer<QAction>& action : shown)
    if (action) widget->removeAction(action);
  shown.clear();
  for (int i = 0; i < root->Count(); ++i) {
    QAction* action = root->Items(i)->Action();
    widget->addAction(action);
    shown.emplace_back(action);
  }
}

}  // namespace

TMenu::TMenu(Component* owner) : Component(owner), root_(new TMenuItem(nullptr)) { root_->rootOf_ = this; }

TMenu::~TMenu() {
  // The tree goes with the menu; its items leave their owner's list as they go.
  root_->rootOf_ = nullptr;
  delete root_;
}

TMainMenu::TMainMenu(Component* owner) : TMenu(owner), bar_(new OwnerDrawMenuBar) {}

TMainMenu::~TMainMenu() {
  if (bar_ && !bar_->parent()) {
    delete bar_;
  } else if (bar_) {
    for (int i = 0; i < Items()->Count(); ++i) bar_->removeAction(Items()->Items(i)->Action());
  }
}

void TMainMenu::SetOwnerDraw(bool on) {
  TMenu::SetOwnerDraw(on);
  MenuStyle::Install(bar_, on);
  Items()->SyncStyle(on);
  if (bar_) bar_->update();
}

void TMainMenu::TopItemsChanged() {
  if (bar_) ShowTopItems(bar_, Items(), shown_);
}

TPopupMenu::TPopupMenu(Component* owner) : TMenu(owner), menu_(new OwnerDrawMenu) {}

TPopupMenu::~TPopupMenu() { delete menu_; }

void TPopupMenu::Popup(const QPoint& globalPos) {
  if (menu_) menu_->popup(globalPos);
}

void TPopupMenu::SetOwnerDraw(bool on) {
  TMenu::SetOwnerDraw(on);
  MenuStyle::Install(menu_, on);
  Items()->SyncStyle(on);
}

void TPopupMenu::TopItemsChanged() {
  if (menu_) ShowTopItems(menu_, Items(), shown_);
}

}  // namespace ui
