#include "ui/menu/MenuMerge.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <algorithm>
#include <set>

#include "ui/menu/Form.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"

namespace ui {

namespace {

std::vector<TMenuItem*> TopItems(const TMenu& menu) {
  std::vector<TMenuItem*> items;
  const TMenuItem* root = menu.Items();
  for (int i = 0; i < root->Count(); ++i) items.push_back(root->Items(i));
  return items;
}

}  // namespace

MenuMerge::MenuMerge(TMainMenu& frameMenu, QMdiArea& area, QObject* parent)
    : QObject(parent), frameMenu_(frameMenu) {
  connect(&area, &QMdiArea::subWindowActivated, this, &MenuMerge::Activated);
}

std::vector<TMenuItem*> MenuMerge::Merged(const TMenu& frame, const TMenu* child) {
  std::vector<TMenuItem*> merged = TopItems(frame);
  if (!child) return merged;
  const std::vector<TMenuItem*> childItems = TopItems(*child);
  std::set<int> replaced;
  for (const TMenuItem* item : childItems) replaced.insert(item->GroupIndex());
  std::erase_if(merged, [&](const TMenuItem* item) { return replaced.count(item->GroupIndex()) > 0; });
  merged.insert(merged.end(), childItems.begin(), childItems.end());
  // Stable: items of one group keep the order their own menu gives them.
  std::stable_sort(merged.begin(), merged.end(),
                   [](const TMenuItem* a, const TMenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
  return merged;
}

void MenuMerge::Show(const TMenu* child) {
  QMenuBar* bar = frameMenu_.MenuBar();
  if (!bar) return;
  for (QAction* action : bar->actions()) bar->removeAction(action);
  for (TMenuItem* item : Merged(frameMenu_, child))
    if (QAction* action = item->Action()) bar->addAction(action);
}

void MenuMerge::Activated(QMdiSubWindow* window) {
  const Form* form = window ? dynamic_cast<const Form*>(window->widget()) : nullptr;
  Show(form ? form->Menu() : nullptr);
}

}  // namespace ui
