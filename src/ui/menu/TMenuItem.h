#pragma once

#include <QImage>
#include <QKeySequence>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "ui/menu/Component.h"

class QAction;
class QMenu;

namespace ui {

class TCanvas;
class TMenu;
class TMenuItem;

// Method references: code plus the object it runs on. A reference counts as
// assigned when its code part is set, and handlers are told apart by code.
using DrawItemCode = void (*)(void* object, TMenuItem* sender, TCanvas& canvas, const QRect& rect,
                              bool selected);
using MeasureItemCode = void (*)(void* object, TMenuItem* sender, TCanvas& canvas, int& width, int& height);

struct DrawItemEvent {
  DrawItemCode code = nullptr;
  void* object = nullptr;
  bool Assigned() const { return code != nullptr; }
};

struct MeasureItemEvent {
  MeasureItemCode code = nullptr;
  void* object = nullptr;
  bool Assigned() const { return code != nullptr; }
};

// One menu item, backed by a QAction (and a QMenu once it has children).
// Owned by its form; its place in the tree is separate from ownership.
class TMenuItem : public Component {
 public:
  explicit TMenuItem(Component* owner);
  ~TMenuItem() override;

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QKeySequence ShortCut() const { return shortCut_; }
  void SetShortCut(const QKeySequence& shortCut);
  QString ShortCutText() const;  // "" when none
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radio) { radioItem_ = radio; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Default() const { return default_; }
  void SetDefault(bool isDefault) { default_ = isDefault; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index) { imageIndex_ = index; }
  const QImage& Bitmap() const { return bitmap_; }  // null image: none
  // `large`, when given, is the same picture at twice the resolution (device
  // pixel ratio 2), for screens that show two device pixels to each.
  void SetBitmap(const QImage& bitmap, const QImage& large = {});
  // The picture for a canvas of that scale.
  const QImage& BitmapFor(int scale) const { return scale > 1 && !large_.isNull() ? large_ : bitmap_; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index) { groupIndex_ = index; }
  bool IsLine() const { return caption_ == "-"; }

  std::function<void()> OnClick;
  DrawItemEvent OnDrawItem;
  MeasureItemEvent OnMeasureItem;

  TMenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_[index]; }
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);

  // The menu whose tree holds this item (nullptr when not attached).
  TMenu* GetParentMenu() const;
  // The menu for a top-level item, the parent item otherwise.
  Component* GetParentComponent() const;

  QAction* Action() const { return action_; }
  QMenu* SubMenu() const { return subMenu_; }  // nullptr until it has children
  void Click();                                // runs OnClick
  static TMenuItem* FromAction(const QAction* action);
  // Sets or removes the owner-draw style on the sub-menus of this branch.
  void SyncStyle(bool ownerDraw);
  // Makes the widgets showing the item measure it again (after its events
  // changed); the action's data serves as the change counter.
  void EventsChanged();

 private:
  friend class TMenu;
  void AttachAction(int index, TMenuItem* item);
  QMenu* EnsureSubMenu();

  QString caption_;
  QKeySequence shortCut_;
  bool checked_ = false;
  bool radioItem_ = false;
  bool enabled_ = true;
  bool default_ = false;
  bool visible_ = true;
  int imageIndex_ = -1;
  QImage bitmap_;
  QImage large_;
  int groupIndex_ = 0;
  TMenuItem* parent_ = nullptr;
  TMenu* rootOf_ = nullptr;  // set on a menu's invisible root item
  std::vector<TMenuItem*> items_;
  QPointer<QAction> action_;
  QPointer<QMenu> subMenu_;
};

}  // namespace ui
