#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QWidget;

namespace ui {

// Keyboard shortcuts for a window's commands. A shortcut works while the focus
// is anywhere in the window (not in another window of the same frame), is shown
// in its action's tooltip, and wins over an edit box's or a grid's own use of
// the same keys (Ctrl+Z, Ctrl+E, ...): in this window those keys name commands.
// Inside the frame the sub-window holding the window gives up the keys it
// shares with them (its Close has Ctrl+W), so that no key is ambiguous.
class CommandKeys : public QObject {
  Q_OBJECT
 public:
  explicit CommandKeys(QWidget* window);
  ~CommandKeys() override;

  void Add(QAction* action, const QKeySequence& keys);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Whether one of the window's commands (only an enabled one, if so asked) has these keys.
  bool Claims(const QKeySequence& pressed, bool enabledOnly) const;
  void TakeKeysFromHolder();

  QPointer<QWidget> window_;
  std::vector<QPointer<QAction>> actions_;
};

}  // namespace ui
