#pragma once

#include <QImage>
#include <QMenu>
#include <cstdint>

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

  // Every paint of an owner-drawn pop-up starts a pass with a number of its
  // own, so that what holds for the whole pop-up is worked out once per paint.
  std::uint64_t PaintPass() const { return paintPass_; }
  void BeginPaintPass();
  // The pass of the pop-up a canvas paints for; 0 for other windows or none.
  static std::uint64_t PaintPassOf(const QWidget* window);

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::uint64_t paintPass_ = 0;
  mutable const QAction* styledAction_ = nullptr;
  QImage frame_;
};

}  // namespace ui
