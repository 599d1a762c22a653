#include "ui/menu/MenuStyle.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/OwnerDrawMenuBar.h"
#include "ui/menu/SysColors.h"
#include "ui/menu/TCanvas.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"

namespace ui {

namespace {

// The item a menu widget is measuring or drawing, when its menu is owner-drawn.
TMenuItem* OwnerDrawnItem(const QWidget* widget) {
  const QAction* action = nullptr;
  if (auto* menu = qobject_cast<const OwnerDrawMenu*>(widget))
    action = menu->StyledAction();
  else if (auto* bar = qobject_cast<const OwnerDrawMenuBar*>(widget))
    action = bar->StyledAction();
  TMenuItem* item = TMenuItem::FromAction(action);
  if (!item) return nullptr;
  const TMenu* menu = item->GetParentMenu();
  return menu && menu->OwnerDraw() ? item : nullptr;
}

// Where the client area of a menu widget starts: pop-up items sit inside the border ring.
QPoint ClientOffset(const QWidget* widget) {
  if (qobject_cast<const OwnerDrawMenu*>(widget)) return {MenuStyle::kPopupBorder, MenuStyle::kPopupBorder};
  return {};
}

// The shortcut column a pop-up adds to its widest item: the widest shortcut
// text among its actions, as the pop-up works it out for its layout.
int ShortcutColumnWidth(const QMenu* menu, bool contextMenu) {
  const QFontMetrics metrics = menu->fontMetrics();
  int width = 0;
  for (const QAction* action : menu->actions()) {
    if (!action->isVisible() || action->isSeparator()) continue;
    const QString text = action->text();
    const qsizetype tab = text.indexOf(u'\t');
    if (tab != -1) {
      width = std::max(width, metrics.horizontalAdvance(text.mid(tab + 1)));
    } else if ((action->isShortcutVisibleInContextMenu() || !contextMenu) && !action->shortcut().isEmpty()) {
      width =
          std::max(width, metrics.horizontalAdvance(action->shortcut().toString(QKeySequence::NativeText)));
    }
  }
  return width;
}

}  // namespace

MenuStyle::MenuStyle() = default;

int MenuStyle::DeviceScale(const QWidget* widget) {
  return widget ? std::max(1, static_cast<int>(std::ceil(widget->devicePixelRatioF()))) : 1;
}

MenuStyle* MenuStyle::Instance() {
  // Shared by every owner-drawn menu for the life of the program.
  static MenuStyle* style = new MenuStyle;
  return style;
}

void MenuStyle::Install(QWidget* menuWidget, bool on) {
  if (!menuWidget) return;
  if (on && menuWidget->style() != Instance())
    menuWidget->setStyle(Instance());
  else if (!on && menuWidget->style() == Instance())
    menuWidget->setStyle(nullptr);
}

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  if (qobject_cast<const OwnerDrawMenu*>(widget)) {
    switch (metric) {
      case PM_MenuPanelWidth:
        return kPopupBorder;
      case PM_MenuHMargin:
      case PM_MenuVMargin:
        return 0;
      default:
        break;
    }
  }
  if (qobject_cast<const OwnerDrawMenuBar*>(widget)) {
    switch (metric) {
      case PM_MenuBarItemSpacing:
      case PM_MenuBarHMargin:
      case PM_MenuBarVMargin:
      case PM_MenuBarPanelWidth:
        return 0;
      default:
        break;
    }
  }
  return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize MenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const {
  if (type == CT_MenuItem || type == CT_MenuBarItem) {
    TMenuItem* item = OwnerDrawnItem(widget);
    if (item && item->OnMeasureItem.Assigned()) {
      QImage scratch(1, 1, QImage::Format_RGB32);
      TCanvas canvas(&scratch);
      canvas.Font.TakeFrom(widget->font());
      int width = 0;
      int height = 0;
      item->OnMeasureItem.code(item->OnMeasureItem.object, item, canvas, width, height);
      // Like the window system, a pop-up adds the width of a check mark. Bar
      // items get the same allowance: without it the caption of a selected bar
      // item runs into the raised frame and shadow along its right edge.
      width += kCheckMarkWidth;
      if (type == CT_MenuItem) {
        // The measured width already holds the shortcut; taken off here, the
        // shortcut column the pop-up adds afterwards gives it back once.
        const bool contextMenu = !dynamic_cast<const TMainMenu*>(item->GetParentMenu());
        if (auto* menu = qobject_cast<const QMenu*>(widget))
          width = std::max(1, width - ShortcutColumnWidth(menu, contextMenu));
      }
      return {width, height};
    }
  }
  return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
  if (element == CE_MenuBarEmptyArea && qobject_cast<const OwnerDrawMenuBar*>(widget)) {
    // The owner-drawn items stand on the menu colour; the rest of the bar is
    // the same plain colour, with no line along the bottom that stops where
    // the items begin.
    painter->fillRect(option->rect, ToQColor(clMenu));
    return;
  }
  if (element == CE_MenuItem || element == CE_MenuBarItem) {
    TMenuItem* item = OwnerDrawnItem(widget);
    if (item && item->OnDrawItem.Assigned() && !option->rect.isEmpty()) {
      bool selected = option->state & State_Selected;
      // A bar item under the mouse is only hot; it is selected when open or
      // chosen with the keyboard.
      if (element == CE_MenuBarItem)
        selected = selected && ((option->state & State_Sunken) || widget->hasFocus());
      const QRect rect = option->rect.translated(-ClientOffset(widget));
      // Painted at the screen's resolution; the canvas keeps logical coordinates.
      const int scale = DeviceScale(widget);
      QImage image(option->rect.size() * scale, QImage::Format_RGB32);
      image.setDevicePixelRatio(scale);
      image.fill(ToQColor(clMenu));
      TCanvas canvas(&image, rect.topLeft());
      // A pop-up is its own window: its items paint its frame; a bar item's window is the form's.
      canvas.SetWindow(widget->window());
      canvas.Font.TakeFrom(widget->font());
      item->OnDrawItem.code(item->OnDrawItem.object, item, canvas, rect, selected);
      painter->drawImage(option->rect.topLeft(), image);
      return;
    }
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

void MenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  if (element == PE_FrameMenu) {
    auto* menu = qobject_cast<const OwnerDrawMenu*>(widget);
    if (menu && !menu->Frame().isNull() && menu->Frame().deviceIndependentSize().toSize() == menu->size()) {
      painter->drawImage(QPoint(0, 0), menu->Frame());
      return;
    }
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

}  // namespace ui
