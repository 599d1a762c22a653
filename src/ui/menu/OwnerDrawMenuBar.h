#pragma once

#include <QMenuBar>

namespace ui {

// A menu bar that tells its style which action it is measuring or drawing.
class OwnerDrawMenuBar : public QMenuBar {
  Q_OBJECT
 public:
  explicit OwnerDrawMenuBar(QWidget* parent = nullptr);
  const QAction* StyledAction() const { return styledAction_; }

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

 private:
  mutable const QAction* styledAction_ = nullptr;
};

}  // namespace ui
