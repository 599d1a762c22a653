#pragma once

#include <QImage>
#include <QMenu>

namespace ui {

// A pop-up menu that tells its style which action it is measuring or drawing,
// and keeps the picture of its border ring that the menu painter draws.
class OwnerDrawMenu : public QMenu {
  Q_OBJECT
 public:
  explicit OwnerDrawMenu(QWidget* parent = nullptr);

  // The action of the most recent style option: the one being measured or drawn.
  const QAction* StyledAction() const { return styledAction_; }
  // The border ring in widget coordinates; a null image until a painter draws it.
  const QImage& Frame() const { return frame_; }
  void SetFrame(const QImage& frame);

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

 private:
  mutable const QAction* styledAction_ = nullptr;
  QImage frame_;
};

}  // namespace ui
