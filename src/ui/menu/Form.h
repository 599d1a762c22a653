#pragma once

#include "ui/menu/Component.h"

class QWidget;

namespace ui {

class TMainMenu;

// The component side of a window: owns its menus, menu items and painters.
class Form : public Component {
 public:
  explicit Form(QWidget* window);
  ~Form() override;

  QWidget* Window() const { return window_; }
  QString Caption() const;  // the window title
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu) { menu_ = menu; }

 private:
  QWidget* window_;
  TMainMenu* menu_ = nullptr;
};

}  // namespace ui
