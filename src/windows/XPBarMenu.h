#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>

#include "ui/menu/Component.h"
#include "ui/menu/TBitmap.h"
#include "ui/menu/TCanvas.h"
#include "ui/menu/TColor.h"
#include "ui/menu/TFont.h"
#include "ui/menu/TMenuItem.h"

namespace ui {
class Form;
class TMenu;
}  // namespace ui

// Gives every main and pop-up menu of its form a flat, owner-drawn look: an
// icon column fading into the item background, a framed highlight, framed
// check marks, faded icons that lift when hot, a flat frame with a drop
// shadow, and a gradient side bar with a turned caption (or a picture). It
// works only through the items' OnDrawItem / OnMeasureItem and the menus'
// OwnerDraw; the form calls nothing of it.
class TXPBarMenu : public ui::Component {
 public:
  enum TBarStyle { bsText, bsBitmap, bsNone };

  using DrawBarCode = void (*)(void* object, ui::TMenuItem* sender, ui::TCanvas& canvas,
                               const ui::TRect& rect, bool& canDraw);
  using MeasureBarCode = void (*)(void* object, ui::TMenuItem* sender, ui::TCanvas& canvas, ui::TRect& rect,
                                  ui::TRect& barRect);
  struct TDrawBarEvent {
    DrawBarCode code = nullptr;
    void* object = nullptr;
    bool Assigned() const { return code != nullptr; }
  };
  struct TMeasureBarEvent {
    MeasureBarCode code = nullptr;
    void* object = nullptr;
    bool Assigned() const { return code != nullptr; }
  };

  // The colours of one paint, worked out by PrepareColors.
  struct Palette {
    ui::TColor PaintColor = ui::clNone;
    ui::TColor PaintIconBackColor = ui::clNone;
    ui::TColor PaintSelectColor = ui::clNone;
    ui::TColor PaintSelectBorderColor = ui::clNone;
    ui::TColor PaintSelectFontColor = ui::clNone;
    ui::TColor PaintCheckFillColor = ui::clNone;
    ui::TColor PaintCheckFillSelColor = ui::clNone;
    ui::TColor PaintCheckedColor = ui::clNone;
    ui::TColor PaintMenuBarColor = ui::clNone;
    ui::TColor PaintDisabledColor = ui::clNone;
    ui::TColor PaintSeparatorColor = ui::clNone;
    ui::TColor PaintFrameColor = ui::clNone;
    ui::TColor PaintShadowColor = ui::clNone;
    bool HiColor = true;
    bool Dark = false;  // the menu text is lighter than the menu
  };

  // Fails with "Invalid class typecast" when the owner is not a form.
  explicit TXPBarMenu(ui::Component* owner);
  ~TXPBarMenu() override;

  void Notification(ui::Component* component, Operation operation) override;

  bool BarStretch() const { return barStretch_; }
  void SetBarStretch(bool on) { barStretch_ = on; }
  bool Frame3D() const { return frame3D_; }
  void SetFrame3D(bool on) { frame3D_ = on; }
  int BarWidth() const { return barWidth_; }
  void SetBarWidth(int width) { barWidth_ = width; }
  const QString& BarCaption() const { return barCaption_; }
  void SetBarCaption(const QString& caption) { barCaption_ = caption; }
  const ui::TBitmap& BarBitmap() const { return barBitmap_; }
  void SetBarBitmap(const ui::TBitmap& bitmap) { barBitmap_.Assign(bitmap); }
  ui::TColor BarColorStart() const { return barColorStart_; }
  void SetBarColorStart(ui::TColor color) { barColorStart_ = color; }
  ui::TColor BarColorEnd() const { return barColorEnd_; }
  void SetBarColorEnd(ui::TColor color) { barColorEnd_ = color; }
  int BarColorStep() const { return barColorStep_; }
  void SetBarColorStep(int steps);
  TBarStyle BarStyle() const { return barStyle_; }
  void SetBarStyle(TBarStyle style) { barStyle_ = style; }
  const ui::TFont& BarFont() const { return barFont_; }
  void SetBarFont(const ui::TFont& font) { barFont_ = font; }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height) { itemHeight_ = height; }

  ui::DrawItemEvent OnDrawItem;        // after an item has been painted
  ui::MeasureItemEvent OnMeasureItem;  // after an item has been measured
  TDrawBarEvent OnDrawBar;             // before the side bar is drawn; may veto it
  TMeasureBarEvent OnMeasureBar;       // may move the item and bar rectangles

  const ui::TFont& Font() const { return font_; }
  void SetFont(const ui::TFont& font);
  ui::TColor Color() const { return color_; }
  void SetColor(ui::TColor color) { color_ = color; }
  ui::TColor IconBackColor() const { return iconBackColor_; }
  void SetIconBackColor(ui::TColor color) { iconBackColor_ = color; }
  ui::TColor MenuBarColor() const { return menuBarColor_; }
  void SetMenuBarColor(ui::TColor color);
  ui::TColor SelectColor() const { return selectColor_; }
  void SetSelectColor(ui::TColor color) { selectColor_ = color; }
  ui::TColor SelectBorderColor() const { return selectBorderColor_; }
  void SetSelectBorderColor(ui::TColor color) { selectBorderColor_ = color; }
  ui::TColor SelectFontColor() const { return selectFontColor_; }
  void SetSelectFontColor(ui::TColor color) { selectFontColor_ = color; }
  ui::TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(ui::TColor color) { disabledColor_ = color; }
  ui::TColor SeparatorColor() const { return separatorColor_; }
  void SetSeparatorColor(ui::TColor color) { separatorColor_ = color; }
  ui::TColor CheckedColor() const { return checkedColor_; }
  void SetCheckedColor(ui::TColor color) { checkedColor_ = color; }
  int IconWidth() const { return iconWidth_; }
  void SetIconWidth(int width) { iconWidth_ = width; }
  bool DrawSelect() const { return drawSelect_; }
  void SetDrawSelect(bool on) { drawSelect_ = on; }
  bool UseSystemColors() const { return useSystemColors_; }
  void SetUseSystemColors(bool on);
  bool OverrideOwnerDraw() const { return overrideOwnerDraw_; }
  void SetOverrideOwnerDraw(bool on);
  bool Gradient() const { return gradient_; }
  void SetGradient(bool on) { gradient_ = on; }
  bool FlatMenu() const { return flatMenu_; }
  void SetFlatMenu(bool on) { flatMenu_ = on; }
  bool AutoDetect() const { return autoDetect_; }
  void SetAutoDetect(bool on) { autoDetect_ = on; }
  bool Active() const { return active_; }
  void SetActive(bool on);

  // The handlers installed into menu items.
  void DrawItemHandler(ui::TMenuItem* item, ui::TCanvas& canvas, const QRect& rect, bool selected);
  void MeasureItemHandler(ui::TMenuItem* item, ui::TCanvas& canvas, int& width, int& height);
  static void DrawItemThunk(void* object, ui::TMenuItem* sender, ui::TCanvas& canvas, const QRect& rect,
                            bool selected);
  static void MeasureItemThunk(void* object, ui::TMenuItem* sender, ui::TCanvas& canvas, int& width,
                               int& height);

  // What the item painting works with.
  void PrepareColors(ui::TCanvas& canvas);
  const Palette& Paint() const { return paint_; }
  bool HasBar() const;
  QSize GetImageSize(ui::TMenuItem* item) const;
  // Colours are mapped to the canvas's nearest device colour.
  ui::TColor Lighten(const ui::TCanvas& canvas, ui::TColor color, int percent) const;
  ui::TColor Deepen(const ui::TCanvas& canvas, ui::TColor color, int percent) const;  // towards black
  ui::TColor Soften(const ui::TCanvas& canvas, ui::TColor color, int percent) const;
  ui::TColor Darken(const ui::TCanvas& canvas, ui::TColor color, int amount) const;
  ui::TColor Grayed(const ui::TCanvas& canvas, ui::TColor color, int percent) const;
  ui::TColor ContrastTextColor(const ui::TCanvas& canvas, ui::TColor color) const;
  void RehookBranch(ui::TMenuItem* item);
  void PaintItem(ui::TMenuItem* item, ui::TCanvas& canvas, bool selected, const QRect& aRect);
  // The system menu font, its colour clMenuText; "MS Sans Serif" becomes "Tahoma".
  static void LoadMenuFont(ui::TFont& font);

 private:
  struct ItemPaint;

  void HookItem(ui::TMenuItem* item, bool on);
  void HookBranch(ui::TMenuItem* item, bool on);
  void HookMenu(ui::TMenu* menu, bool on);
  void HookMenus(bool on);
  void Rehook(ui::TMenuItem* item);
  void DrawMenuBar() const;
  enum class Towards { Black, White };
  static ui::TColor Mix(const ui::TCanvas& canvas, ui::TColor color, int percent, Towards end);
  bool IsTopItem(const ui::TMenuItem* item) const;

  void PaintSideBar(ItemPaint& ip, ui::TCanvas& canvas);
  int PopupHeight(ui::TMenuItem* item, ui::TCanvas& canvas);
  void LayOutIconAndCheck(ItemPaint& ip) const;
  void LayOutText(ItemPaint& ip) const;
  void PlacePicture(ItemPaint& ip) const;
  void PaintBackground(const ItemPaint& ip, ui::TCanvas& canvas);
  void PaintSelection(const ItemPaint& ip, ui::TCanvas& canvas);
  void TakeListImage(ItemPaint& ip, int scale) const;
  void PaintSeparator(const ItemPaint& ip, ui::TCanvas& canvas) const;
  void PaintCaption(const ItemPaint& ip, ui::TCanvas& canvas);
  void PaintPopupFrame(const ItemPaint& ip, const ui::TCanvas& canvas);
  void PaintBar(ui::TMenuItem* item, ui::TCanvas& canvas, const ui::TRect& barRect);
  void PaintGradientBar(ui::TCanvas& canvas, const ui::TRect& barRect);
  void PaintBitmapBar(ui::TCanvas& canvas, const ui::TRect& barRect);
  void PaintItemGradient(ui::TCanvas& canvas, const ui::TRect& r, bool mirrored);
  void PaintTopItem(ui::TCanvas& canvas, bool mirrored, const ui::TRect& r);
  void PaintCheck(ui::TMenuItem* item, ui::TCanvas& canvas, bool selected, const ui::TRect& cr,
                  bool hasImage);
  void PaintIcon(ItemPaint& ip, ui::TCanvas& canvas);
  ui::TColor CaptionColor(const ItemPaint& ip, const ui::TCanvas& canvas) const;
  void PaintText(const ItemPaint& ip, ui::TCanvas& canvas, unsigned format, ui::TRect tr);
  void PaintEmbossing(ui::TCanvas& canvas, const QString& text, unsigned format, const ui::TRect& home) const;
  ui::TColor ReadableColor(const ui::TCanvas& canvas, ui::TColor color, const QString& text,
                           const ui::TRect& tr, unsigned format) const;
  void PaintShortcut(const ItemPaint& ip, ui::TCanvas& canvas, ui::TColor captionColor, ui::TRect tr) const;
  void LightenBitmap(ui::TBitmap& picture, int percent) const;
  void GrayBitmap(ui::TBitmap& picture, int percent) const;
  void PaintShadowMask(const ui::TBitmap& picture, ui::TCanvas& canvas, int x, int y, ui::TColor color) const;
  void PaintFlatFrame(QWidget* window, bool mirrored);
  int MeasuredHeight(ui::TMenuItem* item, ui::TCanvas& canvas);
  void RemeasureLater();
  void Remeasure();

  ui::Form* form_ = nullptr;
  ui::TFont font_;
  ui::TFont barFont_;
  ui::TBitmap barBitmap_;
  Palette paint_;
  // The pop-up height of the latest paint pass, for the items painted in it.
  struct PopupHeightOfPass {
    std::uint64_t pass = 0;
    const ui::TMenuItem* parent = nullptr;
    int total = 0;
  } popupHeight_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // for calls queued after a paint

  bool barStretch_ = true;
  bool frame3D_ = false;
  int barWidth_ = 22;
  QString barCaption_;
  ui::TColor barColorStart_ = ui::clBlue;
  ui::TColor barColorEnd_ = ui::clBlack;
  int barColorStep_ = 100;
  TBarStyle barStyle_ = bsText;
  int itemHeight_ = 0;
  ui::TColor color_ = ui::clMenu;
  ui::TColor iconBackColor_ = ui::clMenu;
  ui::TColor menuBarColor_ = ui::clMenu;
  ui::TColor selectColor_ = ui::clHighlight;
  ui::TColor selectBorderColor_ = ui::clActiveBorder;
  ui::TColor selectFontColor_ = ui::clHighlightText;
  ui::TColor disabledColor_ = ui::clGray;
  ui::TColor separatorColor_ = ui::clGray;
  ui::TColor checkedColor_ = ui::clHighlight;
  int iconWidth_ = 24;
  bool drawSelect_ = true;
  bool useSystemColors_ = true;
  bool overrideOwnerDraw_ = false;
  bool gradient_ = true;
  bool flatMenu_ = true;
  bool autoDetect_ = true;
  bool active_ = true;
};

// The look both windows give their painter: caption "ZQ", Tahoma fonts in the
// GB2312 character set, checked colour clHighlight, icon column 24 wide.
void ApplyWindowMenuLook(TXPBarMenu& painter);
