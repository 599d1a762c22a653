#include "ui/menu/TMenuItem.h"

#include <QAction>
#include <QBitmap>
#include <QPixmap>
#include <algorithm>

#include "ui/app/Guard.h"
#include "ui/menu/MenuStyle.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/TMenu.h"

namespace ui {

namespace {

constexpr char kItemProperty[] = "sqMenuItem";

// A menu picture is transparent where it has the colour of its bottom-left pixel.
QPixmap BitmapPixmap(const QImage& bitmap) {
  QPixmap pixmap = QPixmap::fromImage(bitmap);
  if (!bitmap.hasAlphaChannel()) {
    const QColor transparent = bitmap.pixelColor(0, bitmap.height() - 1);
    pixmap.setMask(QBitmap::fromImage(bitmap.createMaskFromColor(transparent.rgb(), Qt::MaskInColor)));
  }
  return pixmap;
}

// Both sizes, so that the icon is sharp at either device pixel ratio.
QIcon BitmapIcon(const QImage& bitmap, const QImage& large) {
  if (bitmap.isNull()) return {};
  QIcon icon(BitmapPixmap(bitmap));
  if (!large.isNull()) icon.addPixmap(BitmapPixmap(large));
  return icon;
}

}  // namespace

TMenuItem::TMenuItem(Component* owner) : Component(nullptr), action_(new QAction) {
  action_->setProperty(kItemProperty, QVariant::fromValue(static_cast<void*>(this)));
  QObject::connect(action_, &QAction::triggered, action_, [this] {
    // The item's own Checked decides the mark, not Qt's toggling.
    if (action_) action_->setChecked(checked_);
    Guard([this] { Click(); });
  });
  // Joined last, so that the owner's components hear of a menu item.
  JoinOwner(owner);
}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  // Children go with their parent; each leaves its owner's list on the way.
  while (!items_.empty()) delete items_.back();
  delete subMenu_;
  delete action_;
}

void TMenuItem::SetCaption(const QString& caption) {
  caption_ = caption;
  action_->setText(caption);
  action_->setSeparator(caption == "-");
}

void TMenuItem::SetShortCut(const QKeySequence& shortCut) {
  shortCut_ = shortCut;
  action_->setShortcut(shortCut);
}

QString TMenuItem::ShortCutText() const { return shortCut_.toString(QKeySequence::NativeText); }

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  // Unchecked plain items show no empty check box in the standard look.
  action_->setCheckable(checked || radioItem_);
  action_->setChecked(checked);
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  action_->setEnabled(enabled);
}

void TMenuItem::SetVisible(bool visible) {
  visible_ = visible;
  action_->setVisible(visible);
}

void TMenuItem::SetBitmap(const QImage& bitmap, const QImage& large) {
  bitmap_ = bitmap;
  large_ = large;
  action_->setIcon(BitmapIcon(bitmap, large));
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  AttachAction(index, item);
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return;
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  if (rootOf_) {
    rootOf_->TopItemsChanged();
  } else if (subMenu_) {
    subMenu_->removeAction(item->Action());
    if (items_.empty()) {
      action_->setMenu(nullptr);
      delete subMenu_;
    }
  }
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->rootOf_;
}

Component* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->rootOf_) return parent_->rootOf_;
  return parent_;
}

void TMenuItem::Click() {
  if (OnClick) OnClick();
}

TMenuItem* TMenuItem::FromAction(const QAction* action) {
  if (!action) return nullptr;
  return static_cast<TMenuItem*>(action->property(kItemProperty).value<void*>());
}

void TMenuItem::AttachAction(int index, TMenuItem* item) {
  if (rootOf_) {
    rootOf_->TopItemsChanged();
  } else {
    QMenu* menu = EnsureSubMenu();
    QAction* before = index + 1 < Count() ? items_[index + 1]->Action() : nullptr;
    menu->insertAction(before, item->Action());
  }
  // Sub-menus do not inherit a style: an owner-drawn tree sets it on each.
  const TMenu* menu = GetParentMenu();
  item->SyncStyle(menu && menu->OwnerDraw());
}

QMenu* TMenuItem::EnsureSubMenu() {
  if (!subMenu_) {
    subMenu_ = new OwnerDrawMenu;
    subMenu_->setTitle(caption_);
    action_->setMenu(subMenu_);
    const TMenu* menu = GetParentMenu();
    MenuStyle::Install(subMenu_, menu && menu->OwnerDraw());
  }
  return subMenu_;
}

void TMenuItem::EventsChanged() {
  // Any change of the action makes its menus lay themselves out again.
  action_->setData(action_->data().toInt() + 1);
}

void TMenuItem::SyncStyle(bool ownerDraw) {
  MenuStyle::Install(subMenu_, ownerDraw);
  for (TMenuItem* child : items_) child->SyncStyle(ownerDraw);
}

}  // namespace ui
