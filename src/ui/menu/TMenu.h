#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <vector>

#include "ui/menu/Component.h"

class QAction;
class QMenu;
class QMenuBar;
class QPoint;

namespace ui {

class TImageList;
class TMenuItem;

// A menu: an invisible root item whose children are the top-level items.
class TMenu : public Component {
 public:
  explicit TMenu(Component* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return root_; }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images) { images_ = images; }
  bool OwnerDraw() const { return ownerDraw_; }
  virtual void SetOwnerDraw(bool on) { ownerDraw_ = on; }
  bool IsRightToLeft() const { return rightToLeft_; }
  void SetRightToLeft(bool on) { rightToLeft_ = on; }

  // Called when a top-level item joins or leaves, so the widget can follow.
  virtual void TopItemsChanged() {}

 private:
  TMenuItem* root_;
  TImageList* images_ = nullptr;
  bool ownerDraw_ = false;
  bool rightToLeft_ = false;
};

// A window's menu bar. The frame shows its own bar; a child window's top items
// are merged into the frame's bar by group index while the child is active.
class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(Component* owner);
  ~TMainMenu() override;
  QMenuBar* MenuBar() const { return bar_; }  // created with the menu, owned by it until a window takes it
  void SetOwnerDraw(bool on) override;
  void TopItemsChanged() override;

 private:
  QPointer<QMenuBar> bar_;
  std::vector<QPointer<QAction>> shown_;  // the actions this menu put into the bar
};

// A context menu.
class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(Component* owner);
  ~TPopupMenu() override;
  QMenu* Menu() const { return menu_; }
  void Popup(const QPoint& globalPos);
  void SetOwnerDraw(bool on) override;
  void TopItemsChanged() override;

 private:
  QPointer<QMenu> menu_;
  std::vector<QPointer<QAction>> shown_;
};

}  // namespace ui
