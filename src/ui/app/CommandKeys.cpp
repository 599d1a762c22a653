#include "ui/app/CommandKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWidget>

namespace ui {

CommandKeys::CommandKeys(QWidget* window) : QObject(window), window_(window) {
  qApp->installEventFilter(this);
}

CommandKeys::~CommandKeys() { qApp->removeEventFilter(this); }

void CommandKeys::Add(QAction* action, const QKeySequence& keys) {
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  window_->addAction(action);  // the toolbar may be hidden on another page
  const QString hint = action->toolTip().isEmpty() ? action->text() : action->toolTip();
  action->setToolTip(QStringLiteral("%1 (%2)").arg(hint, keys.toString(QKeySequence::NativeText)));
  actions_.emplace_back(action);
  TakeKeysFromHolder();
}

// Before a key reaches the focused control Qt asks it whether it wants the key
// itself; leaving that question unanswered lets the shortcut run.
bool CommandKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ParentChange && watched == window_) TakeKeysFromHolder();
  if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (!window_ || (widget != window_ && !window_->isAncestorOf(widget))) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  return Claims(QKeySequence(key->keyCombination()), true);
}

bool CommandKeys::Claims(const QKeySequence& pressed, bool enabledOnly) const {
  for (const QPointer<QAction>& action : actions_)
    if (action && (action->isEnabled() || !enabledOnly) &&
        action->shortcut().matches(pressed) == QKeySequence::ExactMatch)
      return true;
  return false;
}

void CommandKeys::TakeKeysFromHolder() {
  auto* holder = window_ ? qobject_cast<QMdiSubWindow*>(window_->parentWidget()) : nullptr;
  if (!holder) return;
  QList<QAction*> holderActions = holder->actions();
  if (holder->systemMenu()) holderActions += holder->systemMenu()->actions();
  for (QAction* action : holderActions) {
    QList<QKeySequence> kept;
    for (const QKeySequence& keys : action->shortcuts())
      if (!Claims(keys, false)) kept.push_back(keys);
    if (kept.size() != action->shortcuts().size()) action->setShortcuts(kept);
  }
}

}  // namespace ui
