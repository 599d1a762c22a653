#pragma once

#include <QObject>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace ui {

class TMainMenu;
class TMenu;
class TMenuItem;

// Shows the main menu of the active MDI child inside the frame's menu bar:
// the top items of both, by ascending group index, a child item replacing the
// frame's items of the same group. With no such child active the frame's bar
// shows its own items again. A child takes part when its widget is a Form
// with a main menu.
class MenuMerge : public QObject {
  Q_OBJECT
 public:
  MenuMerge(TMainMenu& frameMenu, QMdiArea& area, QObject* parent = nullptr);

  // The top items the bar shows with `child` merged in (nullptr: the frame's own).
  static std::vector<TMenuItem*> Merged(const TMenu& frame, const TMenu* child);
  // Puts the merged items into the frame's bar.
  void Show(const TMenu* child);

 private:
  void Activated(QMdiSubWindow* window);

  TMainMenu& frameMenu_;
};

}  // namespace ui
