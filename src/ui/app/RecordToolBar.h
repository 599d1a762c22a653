#pragma once

#include <QToolBar>
#include <memory>

class QAction;

namespace ui {

class TImageList;

// The record toolbar shared by the maintenance windows: twelve flat, icon-only
// buttons with separators, from one list of twelve 16 x 16 pictures.
// Each action carries its name (BtnNew, BtnEdit, ...) as objectName, and a
// tooltip and accessible name in Chinese. Undo and Save start disabled.
class RecordToolBar : public QToolBar {
  Q_OBJECT
 public:
  enum Button { New, Edit, Del, Undo, Save, Top, Back, Next, End, Print, Excel, Exit, Count };

  explicit RecordToolBar(QWidget* parent = nullptr);
  ~RecordToolBar() override;

  QAction* Action(Button button) const { return actions_[button]; }
  // ImageList1: the twelve pictures, in button order.
  const TImageList& Images() const { return *images_; }
  static const char* ButtonName(Button button);

 private:
  void KeepFocusOnClick();

  QAction* actions_[Count] = {};
  std::unique_ptr<TImageList> images_;
};

// The twelve pictures, drawn in code.
std::unique_ptr<TImageList> CreateRecordImages();

}  // namespace ui
