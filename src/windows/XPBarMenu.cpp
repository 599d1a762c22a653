#include "windows/XPBarMenu.h"

#include <QApplication>
#include <QMenuBar>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>

#include "ui/menu/ColorContrast.h"
#include "ui/menu/Form.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/TImageList.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/WindowFrame.h"

using ui::TBitmap;
using ui::TCanvas;
using ui::TColor;
using ui::TMenuItem;
using ui::TRect;

namespace {

// Round to the nearest integer, halves to the even neighbour (the default rounding mode).
int Round(long double value) { return static_cast<int>(std::nearbyint(value)); }

int Clamp255(int value) { return std::clamp(value, 0, 255); }

// Row by row, left to right; a run of one colour is converted once.
template <typename Convert>
void ConvertPixels(ui::TBitmap& picture, Convert convert) {
  TColor last = ui::clNone;
  TColor converted = ui::clNone;
  picture.ConvertPixels([&](TColor pixel) {
    if (pixel != last) {
      last = pixel;
      converted = convert(picture.Canvas(), pixel);
    }
    return converted;
  });
}

}  // namespace

// The values of one item paint.
struct TXPBarMenu::ItemPaint {
  ItemPaint(const TXPBarMenu& painter, TMenuItem* what, bool isSelected, const QRect& rect);

  TMenuItem* item;
  bool selected;
  bool isSeparator;
  bool isTop;
  bool mirrored;
  const ui::TImageList* images;  // the menu's image list
  bool hasImage;                 // the item shows an image of that list
  TRect r;                       // the item
  TRect ir;                      // the icon column; its Top becomes the picture's place
  TRect cr;                      // the check box
  TRect tr;                      // the text
  TBitmap picture;               // the item's own picture, or its list image
};

TXPBarMenu::ItemPaint::ItemPaint(const TXPBarMenu& painter, TMenuItem* what, bool isSelected,
                                 const QRect& rect)
    : item(what),
      selected(isSelected),
      isSeparator(what->IsLine()),
      isTop(painter.IsTopItem(what)),
      mirrored(what->GetParentMenu() && what->GetParentMenu()->IsRightToLeft()),
      images(what->GetParentMenu() ? what->GetParentMenu()->Images() : nullptr),
      hasImage(images && what->ImageIndex() != -1),
      r(TRect::From(rect)) {}

TXPBarMenu::TXPBarMenu(ui::Component* owner) : ui::Component(nullptr) {
  if (owner) {
    form_ = dynamic_cast<ui::Form*>(owner);
    if (!form_) throw std::runtime_error("Invalid class typecast");
  }
  LoadMenuFont(font_);
  barCaption_ = form_ ? form_->Caption() : QString();
  barFont_ = font_;
  barFont_.Color = ui::clWhite;
  JoinOwner(owner);
  HookMenus(true);
}

TXPBarMenu::~TXPBarMenu() { HookMenus(false); }

void TXPBarMenu::Notification(ui::Component* component, Operation operation) {
  ui::Component::Notification(component, operation);
  // There are no tool-button components here: menu items are what joins.
  if (autoDetect_ && operation == Operation::Insert && dynamic_cast<TMenuItem*>(component)) SetActive(true);
}

void TXPBarMenu::SetBarColorStep(int steps) { barColorStep_ = std::clamp(steps, 1, 255); }

void TXPBarMenu::SetFont(const ui::TFont& font) {
  font_ = font;
  DrawMenuBar();
}

void TXPBarMenu::SetMenuBarColor(TColor color) {
  menuBarColor_ = color;
  DrawMenuBar();
}

void TXPBarMenu::SetUseSystemColors(bool on) {
  useSystemColors_ = on;
  DrawMenuBar();
}

void TXPBarMenu::SetOverrideOwnerDraw(bool on) {
  overrideOwnerDraw_ = on;
  if (active_) SetActive(true);
}

void TXPBarMenu::SetActive(bool on) {
  active_ = on;
  if (on) HookMenus(false);
  HookMenus(on);
  DrawMenuBar();
}

void TXPBarMenu::DrawMenuBar() const {
  if (!form_) return;
  if (form_->Menu() && form_->Menu()->MenuBar()) form_->Menu()->MenuBar()->update();
  if (QWidget* window = form_->Window())
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) bar->update();
}

void TXPBarMenu::HookItem(TMenuItem* item, bool on) {
  const ui::DrawItemEvent draw = item->OnDrawItem;
  const ui::MeasureItemEvent measure = item->OnMeasureItem;
  if (on) {
    if (!item->OnDrawItem.Assigned() || overrideOwnerDraw_) item->OnDrawItem = {&DrawItemThunk, this};
    if (!item->OnMeasureItem.Assigned() || overrideOwnerDraw_)
      item->OnMeasureItem = {&MeasureItemThunk, this};
  } else {
    // By code only: handlers of another painter go too, the application's stay.
    if (item->OnDrawItem.code == &DrawItemThunk) item->OnDrawItem = {};
    if (item->OnMeasureItem.code == &MeasureItemThunk) item->OnMeasureItem = {};
  }
  const bool changed = draw.code != item->OnDrawItem.code || draw.object != item->OnDrawItem.object ||
                       measure.code != item->OnMeasureItem.code ||
                       measure.object != item->OnMeasureItem.object;
  // Qt keeps item sizes until an item changes; a new measure handler must be heard.
  if (changed) item->EventsChanged();
}

void TXPBarMenu::HookBranch(TMenuItem* item, bool on) {
  HookItem(item, on);
  for (int i = 0; i < item->Count(); ++i) HookBranch(item->Items(i), on);
}

void TXPBarMenu::HookMenu(ui::TMenu* menu, bool on) {
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* top = root->Items(i);
    if (menu->OwnerDraw() != on) menu->SetOwnerDraw(on);
    HookItem(top, on);
    HookBranch(top, on);
  }
}

void TXPBarMenu::HookMenus(bool on) {
  if (!form_) return;
  for (int i = 0; i < form_->ComponentCount(); ++i) {
    ui::Component* component = form_->Components(i);
    if (auto* menu = dynamic_cast<ui::TMainMenu*>(component)) HookMenu(menu, on);
    if (auto* menu = dynamic_cast<ui::TPopupMenu*>(component)) HookMenu(menu, on);
  }
}

void TXPBarMenu::Rehook(TMenuItem* item) {
  if (item->OnDrawItem.code == &DrawItemThunk) return;
  HookItem(item, true);
}

void TXPBarMenu::RehookBranch(TMenuItem* item) {
  Rehook(item);
  TMenuItem* parent = item->Parent();
  if (!parent) return;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* sibling = parent->Items(i);
    Rehook(sibling);
    for (int j = 0; j < sibling->Count(); ++j) RehookBranch(sibling->Items(j));
  }
}

void TXPBarMenu::DrawItemThunk(void* object, TMenuItem* sender, TCanvas& canvas, const QRect& rect,
                               bool selected) {
  static_cast<TXPBarMenu*>(object)->DrawItemHandler(sender, canvas, rect, selected);
}

void TXPBarMenu::MeasureItemThunk(void* object, TMenuItem* sender, TCanvas& canvas, int& width, int& height) {
  static_cast<TXPBarMenu*>(object)->MeasureItemHandler(sender, canvas, width, height);
}

void TXPBarMenu::DrawItemHandler(TMenuItem* item, TCanvas& canvas, const QRect& rect, bool selected) {
  if (!active_) return;
  PaintItem(item, canvas, selected, rect);
  if (OnDrawItem.Assigned()) OnDrawItem.code(OnDrawItem.object, item, canvas, rect, selected);
}

bool TXPBarMenu::IsTopItem(const TMenuItem* item) const {
  const TMenuItem* parent = item->Parent();
  ui::TMenu* menu = item->GetParentMenu();
  return parent && menu && parent == menu->Items() && dynamic_cast<ui::TMainMenu*>(menu);
}

bool TXPBarMenu::HasBar() const {
  switch (barStyle_) {
    case bsText:
      return !barCaption_.isEmpty();
    case bsBitmap:
      return !barBitmap_.Empty();
    case bsNone:
      break;
  }
  return false;
}

QSize TXPBarMenu::GetImageSize(TMenuItem* item) const {
  bool formMenuItem = false;
  bool hasImage = false;
  const ui::TImageList* list = nullptr;
  ui::TMainMenu* formMenu = form_ ? form_->Menu() : nullptr;
  const ui::Component* parentComponent = item->GetParentComponent();
  if (formMenu && parentComponent && parentComponent->Name() == formMenu->Name()) {
    formMenuItem = true;
    hasImage = formMenu->Images() && item->ImageIndex() != -1;
    list = formMenu->Images();
  }
  if (ui::TMenu* menu = item->GetParentMenu(); menu && menu->Images()) {
    hasImage = item->ImageIndex() != -1;
    list = menu->Images();
  }
  int cx = 0;
  int cy = 0;
  if (hasImage && list) {
    cx = list->Width();
    cy = list->Height();
  } else if (item->Bitmap().width() > 0) {
    cx = item->Bitmap().width();
    cy = item->Bitmap().height();
  }
  if (!formMenuItem && !hasImage) cx = std::max(cx, iconWidth_);
  return {cx, cy};
}

void TXPBarMenu::MeasureItemHandler(TMenuItem* item, TCanvas& canvas, int& width, int& height) {
  if (!active_) return;
  QString text = item->Caption();
  const bool separator = text == "-";
  if (separator) text.clear();
  const QString shortCut = item->ShortCutText();
  if (!shortCut.trimmed().isEmpty()) text += shortCut + "WWW";

  canvas.Font = font_;
  int w = canvas.TextWidth(text);
  if (text.contains('&')) w -= canvas.TextWidth("&");
  const QSize image = GetImageSize(item);
  w += image.width() + 10;
  width = std::max(width, w);

  if (separator) {
    height = 4;
  } else {
    const int th = canvas.TextHeight(text);
    int h = th + Round(th * 0.75L);
    h = std::max(h, image.height() + 4);
    height = std::max(height, h);
  }
  if (HasBar()) {
    if (!IsTopItem(item)) width += barWidth_ + 2;
    if (itemHeight_ != 0) height = itemHeight_;
  }
  if (OnMeasureItem.Assigned()) OnMeasureItem.code(OnMeasureItem.object, item, canvas, width, height);
}

void TXPBarMenu::LoadMenuFont(ui::TFont& font) {
  ui::TFont menuFont;
  if (qApp) {
    menuFont.TakeFrom(QApplication::font("QMenu"));
    menuFont.Color = ui::clMenuText;
    menuFont.Charset = ui::DEFAULT_CHARSET;
    menuFont.Escapement = 0;
    if (menuFont.Name == "MS Sans Serif") menuFont.Name = "Tahoma";
  }
  font = menuFont;
}

void TXPBarMenu::PrepareColors(TCanvas& canvas) {
  Palette& p = paint_;
  p.HiColor = canvas.BitsPerPixel() >= 16;
  // A dark palette is one whose menu text is lighter than the menu.
  p.Dark = ui::RelativeLuminance(ui::clMenuText) > ui::RelativeLuminance(ui::clMenu);
  const bool hi = p.HiColor;
  p.PaintColor = color_;
  p.PaintIconBackColor = iconBackColor_;
  p.PaintSelectColor = selectColor_;
  p.PaintCheckFillColor = hi ? Soften(canvas, selectColor_, 75) : ui::clWhite;
  p.PaintCheckFillSelColor = hi ? Soften(canvas, selectColor_, 50) : ui::clSilver;
  // On a dark desktop a lighter frame is what sets the pop-up apart.
  p.PaintFrameColor = hi ? Darken(canvas, ui::clBtnFace, p.Dark ? -90 : 90) : ui::clBtnShadow;
  p.PaintShadowColor = hi ? Darken(canvas, ui::clBtnFace, 76) : ui::clBtnShadow;
  p.PaintSelectBorderColor = selectBorderColor_;
  p.PaintSelectFontColor = selectFontColor_;
  p.PaintMenuBarColor = menuBarColor_;
  p.PaintDisabledColor = disabledColor_;
  p.PaintCheckedColor = checkedColor_;
  p.PaintSeparatorColor = separatorColor_;
  if (!useSystemColors_) return;

  const ui::TFont stored = font_;
  LoadMenuFont(font_);
  if (!(stored == font_)) RemeasureLater();
  p.PaintSelectFontColor = font_.Color;
  p.PaintColor = hi ? Soften(canvas, ui::clBtnFace, 86) : ui::clWhite;
  p.PaintIconBackColor = hi ? Soften(canvas, ui::clBtnFace, 16) : ui::clBtnFace;
  p.PaintSelectColor = hi ? Soften(canvas, ui::clHighlight, 68) : ui::clWhite;
  p.PaintSelectBorderColor = ui::clHighlight;
  p.PaintMenuBarColor = hi ? ui::clMenu : ui::clBtnFace;
  p.PaintDisabledColor = hi ? Lighten(canvas, ui::clBtnShadow, 10) : ui::clBtnShadow;
  p.PaintSeparatorColor = hi ? Lighten(canvas, ui::clBtnShadow, 25) : ui::clBtnShadow;
  if (p.Dark && hi) {
    // A dark palette's shadow colour is darker than its face and would vanish
    // there; its greyed text is made to show dimly on it.
    p.PaintDisabledColor = ui::clGrayText;
    p.PaintSeparatorColor = ui::clGrayText;
  }
  p.PaintCheckedColor = ui::clHighlight;
  p.PaintCheckFillColor = hi ? Soften(canvas, ui::clHighlight, 75) : ui::clWhite;
  p.PaintCheckFillSelColor = hi ? Soften(canvas, ui::clHighlight, 50) : ui::clWhite;
}

TColor TXPBarMenu::Lighten(const TCanvas& canvas, TColor color, int percent) const {
  return Mix(canvas, color, percent, Towards::White);
}

TColor TXPBarMenu::Deepen(const TCanvas& canvas, TColor color, int percent) const {
  return Mix(canvas, color, percent, Towards::Black);
}

// Backgrounds made from the system colours move towards the palette's paper
// (white in a light palette, black in a dark one) and so stay behind the text.
TColor TXPBarMenu::Soften(const TCanvas& canvas, TColor color, int percent) const {
  return paint_.Dark ? Deepen(canvas, color, percent) : Lighten(canvas, color, percent);
}

// Each channel moves percent of the way to white's or black's.
TColor TXPBarMenu::Mix(const TCanvas& canvas, TColor color, int percent, Towards end) {
  percent = std::min(percent, 100);
  const int target = end == Towards::White ? 255 : 0;
  const TColor rgb = ui::ColorToRGB(color);
  // Extended precision throughout: 190 * 0.15 must land above 28.5.
  const long double q = static_cast<long double>(percent) / 100.0L;
  auto channel = [q, target](int x) {
    const long double product = static_cast<long double>(target - x) * q;
    return x + Round(product);
  };
  return canvas.GetNearestColor(
      ui::RGB(channel(ui::GetRValue(rgb)), channel(ui::GetGValue(rgb)), channel(ui::GetBValue(rgb))));
}

TColor TXPBarMenu::Darken(const TCanvas& canvas, TColor color, int amount) const {
  const TColor rgb = ui::ColorToRGB(color);
  return canvas.GetNearestColor(ui::RGB(Clamp255(ui::GetRValue(rgb) - amount),
                                        Clamp255(ui::GetGValue(rgb) - amount + 2),
                                        Clamp255(ui::GetBValue(rgb) - amount)));
}

TColor TXPBarMenu::Grayed(const TCanvas& canvas, TColor color, int percent) const {
  percent = std::min(percent, 100);
  const TColor rgb = ui::ColorToRGB(color);
  const int v = std::min((ui::GetRValue(rgb) + ui::GetGValue(rgb) + ui::GetBValue(rgb)) / 3 + percent, 240);
  return canvas.GetNearestColor(ui::RGB(v, v, v));
}

TColor TXPBarMenu::ContrastTextColor(const TCanvas& canvas, TColor color) const {
  const TColor rgb = ui::ColorToRGB(color);
  if ((ui::GetRValue(rgb) + ui::GetBValue(rgb)) / 2 > 150 || ui::GetGValue(rgb) > 200) return font_.Color;
  return Lighten(canvas, color, 90);
}

// Items were measured with the stored font; the menus measure them again
// with the menu font once the current paint is over.
void TXPBarMenu::RemeasureLater() {
  if (!qApp) return;
  std::weak_ptr<int> alive = alive_;
  QMetaObject::invokeMethod(
      qApp,
      [this, alive] {
        if (!alive.expired()) Remeasure();
      },
      Qt::QueuedConnection);
}

void TXPBarMenu::Remeasure() {
  if (!form_) return;
  std::function<void(TMenuItem*)> touch = [&touch](TMenuItem* item) {
    item->EventsChanged();
    for (int i = 0; i < item->Count(); ++i) touch(item->Items(i));
  };
  for (int i = 0; i < form_->ComponentCount(); ++i)
    if (auto* menu = dynamic_cast<ui::TMenu*>(form_->Components(i)))
      for (int j = 0; j < menu->Items()->Count(); ++j) touch(menu->Items()->Items(j));
}

int TXPBarMenu::MeasuredHeight(TMenuItem* item, TCanvas& canvas) {
  int width = 0;
  int height = 0;
  MeasureItemHandler(item, canvas, width, height);
  return height;
}

void TXPBarMenu::PaintItem(TMenuItem* item, TCanvas& canvas, bool selected, const QRect& aRect) {
  // Colours and the menu font follow the system at every paint.
  PrepareColors(canvas);
  ItemPaint ip(*this, item, selected, aRect);
  if (!ip.isTop && HasBar()) PaintSideBar(ip, canvas);
  canvas.Font = font_;
  if (ip.mirrored) canvas.Font.Charset = ui::ARABIC_CHARSET;
  ip.r.Bottom += 1;
  if (item->Bitmap().width() > 0) ip.picture.Assign(item->BitmapFor(canvas.Scale()));
  LayOutIconAndCheck(ip);
  LayOutText(ip);
  PlacePicture(ip);
  PaintBackground(ip, canvas);
  if (selected && drawSelect_) PaintSelection(ip, canvas);
  PaintCheck(item, canvas, selected, ip.cr, ip.hasImage);
  if (ip.hasImage) TakeListImage(ip, canvas.Scale());
  PaintIcon(ip, canvas);
  if (ip.isSeparator)
    PaintSeparator(ip, canvas);
  else
    PaintCaption(ip, canvas);
  if (flatMenu_ && !ip.isTop) PaintPopupFrame(ip, canvas);
  // Items added to the menus since the last hooking pass get the handlers here.
  RehookBranch(item);
}

// Every item of a pop-up paints the whole side bar, as tall as the pop-up;
// the item itself moves right by the bar's width.
void TXPBarMenu::PaintSideBar(ItemPaint& ip, TCanvas& canvas) {
  const int total = PopupHeight(ip.item, canvas);
  ip.r.Left += barWidth_;
  TRect barRect{1, 1, barWidth_, total};
  if (OnMeasureBar.Assigned()) OnMeasureBar.code(OnMeasureBar.object, ip.item, canvas, ip.r, barRect);
  PaintBar(ip.item, canvas, barRect);
}

// The summed heights of the visible items at the item's level. A paint of a
// pop-up paints all its items: they are measured once for that paint, not
// once for every item painted.
int TXPBarMenu::PopupHeight(TMenuItem* item, TCanvas& canvas) {
  TMenuItem* parent = item->Parent();
  if (!parent) return 0;
  const std::uint64_t pass = ui::OwnerDrawMenu::PaintPassOf(canvas.Window());
  if (pass != 0 && popupHeight_.pass == pass && popupHeight_.parent == parent) return popupHeight_.total;
  int total = 0;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* sibling = parent->Items(i);
    if (!sibling->Visible()) continue;
    total += itemHeight_ != 0 ? itemHeight_ : sibling->IsLine() ? 4 : MeasuredHeight(sibling, canvas);
  }
  popupHeight_ = {pass, parent, total};
  return total;
}

// The icon column lies at the side the item reads from. The check box fills
// the column around a list image; otherwise it is a 10 x 10 box in its middle.
void TXPBarMenu::LayOutIconAndCheck(ItemPaint& ip) const {
  const TRect& r = ip.r;
  ip.ir = ip.mirrored ? TRect{r.Right - iconWidth_, r.Top, r.Right, r.Bottom}
                      : TRect{r.Left, r.Top, r.Left + iconWidth_, r.Bottom};
  if (ip.hasImage) {
    ip.cr = {ip.ir.Left + 1, ip.ir.Top + 2, ip.ir.Right - 3, ip.ir.Bottom - 2};
    return;
  }
  ip.cr.Left = ip.ir.Left + (ip.ir.Right - ip.ir.Left - 10) / 2;
  ip.cr.Top = ip.ir.Top + (ip.ir.Bottom - ip.ir.Top - 10) / 2;
  ip.cr.Right = ip.cr.Left + 10;
  ip.cr.Bottom = ip.cr.Top + 10;
}

// Text follows the icon column, or a picture wider than the column. A bar
// item has no column: its text takes the item, or overlaps its list image.
void TXPBarMenu::LayOutText(ItemPaint& ip) const {
  const TRect& r = ip.r;
  const int pictureWidth = ip.picture.Width();
  if (ip.mirrored) {
    const int x2 = pictureWidth > iconWidth_ ? r.Right - pictureWidth - 4 : r.Right - iconWidth_;
    ip.tr = {r.Left, r.Top, x2, r.Bottom};
  } else {
    const int x1 = r.Left + iconWidth_ < pictureWidth ? pictureWidth + 4 : r.Left + iconWidth_;
    ip.tr = {x1, r.Top, r.Right, r.Bottom};
  }
  if (!ip.isTop) return;
  if (!ip.hasImage)
    ip.tr = r;
  else if (ip.mirrored)
    ip.tr.Right += 5;
  else
    ip.tr.Left -= 5;
}

// The picture's vertical place, kept in the icon rectangle's top; a bar
// item's text moves right past its picture.
void TXPBarMenu::PlacePicture(ItemPaint& ip) const {
  const int h = ip.tr.Bottom - ip.tr.Top;
  if (ip.isTop) {
    ip.tr.Left += ip.picture.Width();
    ip.ir.Top = ip.tr.Top + (h - ip.picture.Height()) / 4;
    if (h < 20) ip.ir.Top -= 3;
  } else if (!ip.hasImage) {
    ip.ir.Top = ip.tr.Top + (h - iconWidth_ / 2) / 4;
    if (iconWidth_ <= h) ip.ir.Top -= 3;
  } else {
    const int lh = ip.images->Height();
    ip.ir.Top = ip.tr.Top + (h - lh / 2) / 4;
    ip.ir.Top -= lh < h ? 4 : lh / 2;
  }
}

// Bar items are plain; pop-up items fade from the icon column into the item
// colour, or at low colour depth (or without the gradient) are plain with a
// separate icon column. A disabled pop-up item under the mouse keeps what is
// there.
void TXPBarMenu::PaintBackground(const ItemPaint& ip, TCanvas& canvas) {
  const TRect& r = ip.r;
  if (ip.isTop) {
    canvas.Brush.Color = paint_.PaintMenuBarColor;
    canvas.Pen.Color = paint_.PaintMenuBarColor;
    canvas.FillRect(r);
  } else if (paint_.HiColor && gradient_) {
    PaintItemGradient(canvas, {r.Left, r.Top, r.Right + 2, r.Bottom}, ip.mirrored);
  } else if (ip.item->Enabled() || !ip.selected) {
    canvas.Brush.Color = paint_.PaintColor;
    canvas.FillRect(r);
    canvas.Brush.Color = paint_.PaintIconBackColor;
    canvas.FillRect({ip.ir.Left, ip.ir.Top - 2, ip.ir.Right, ip.ir.Bottom + 2});
  }
}

// A bar item under the mouse looks raised. A pop-up item that can be chosen
// gets a sunken edge, or a framed fill one pixel inside the item at the top and
// bottom (and at the right beside a flat frame); a disabled one gets nothing.
void TXPBarMenu::PaintSelection(const ItemPaint& ip, TCanvas& canvas) {
  canvas.Brush.Style = ui::bsSolid;
  if (ip.isTop) {
    PaintTopItem(canvas, ip.mirrored, ip.r);
    return;
  }
  if (!ip.item->Enabled()) return;
  const TRect& r = ip.r;
  if (frame3D_) {
    canvas.DrawEdge(r, ui::BDR_SUNKENOUTER, ui::BF_RECT);
    return;
  }
  const TRect s{r.Left, r.Top + 1, flatMenu_ ? r.Right - 1 : r.Right, r.Bottom - 1};
  canvas.Brush.Color = paint_.PaintSelectColor;
  canvas.FillRect(s);
  canvas.Pen.Color = paint_.PaintSelectBorderColor;
  canvas.Brush.Style = ui::bsClear;
  canvas.RoundRect(s.Left, s.Top, s.Right, s.Bottom, 0, 0);
}

// A list image is drawn through its mask onto the icon column's colour; from
// then on it is the item's picture.
void TXPBarMenu::TakeListImage(ItemPaint& ip, int scale) const {
  TBitmap& picture = ip.picture;
  picture.SetSize(ip.images->Width(), ip.images->Height(), scale);
  picture.Canvas().Brush.Color = paint_.PaintIconBackColor;
  picture.Canvas().FillRect({0, 0, picture.Width(), picture.Height()});
  ip.images->Draw(picture.Canvas(), 0, 0, ip.item->ImageIndex());
}

// Over the gradient the line starts under the icon column; right to left it
// stops short of the column.
void TXPBarMenu::PaintSeparator(const ItemPaint& ip, TCanvas& canvas) const {
  const int x1 = gradient_ ? ip.r.Left : ip.tr.Left;
  const int x2 = ip.mirrored ? ip.tr.Right - 7 : ip.tr.Right;
  const int y = ip.tr.Top + Round((ip.tr.Bottom - ip.tr.Top) / 2.0L);
  canvas.Pen.Color = paint_.PaintSeparatorColor;
  canvas.MoveTo(x1, y);
  canvas.LineTo(x2, y);
}

// Five pixels between the icon column and the caption, on the side it reads from.
void TXPBarMenu::PaintCaption(const ItemPaint& ip, TCanvas& canvas) {
  TRect tr = ip.tr;
  unsigned format = ui::DT_LEFT;
  if (ip.mirrored) {
    tr.Right -= 5;
    format = ui::DT_RIGHT | ui::DT_RTLREADING;
  } else {
    tr.Left += 5;
  }
  PaintText(ip, canvas, format, tr);
}

// The flat frame goes round the pop-up window the item is painted in, never
// round the form's own window.
void TXPBarMenu::PaintPopupFrame(const ItemPaint& ip, const TCanvas& canvas) {
  QWidget* window = canvas.Window();
  if (!form_ || window != form_->Window()) PaintFlatFrame(window, ip.mirrored);
}

void TXPBarMenu::PaintBar(TMenuItem* item, TCanvas& canvas, const TRect& barRect) {
  bool canDraw = HasBar();
  if (OnDrawBar.Assigned()) OnDrawBar.code(OnDrawBar.object, item, canvas, barRect, canDraw);
  if (!canDraw) return;
  if (barStyle_ == bsText)
    PaintGradientBar(canvas, barRect);
  else
    PaintBitmapBar(canvas, barRect);
}

void TXPBarMenu::PaintGradientBar(TCanvas& canvas, const TRect& barRect) {
  const int w = barRect.Width();
  const int h = barRect.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap picture(w, h, canvas.Scale());
  TCanvas& pc = picture.Canvas();
  const TColor end = ui::ColorToRGB(barColorEnd_);
  const TColor start = ui::ColorToRGB(barColorStart_);
  const int er = ui::GetRValue(end), eg = ui::GetGValue(end), eb = ui::GetBValue(end);
  const int n = barColorStep_;
  const int dr = (er - ui::GetRValue(start)) / n;
  const int dg = (eg - ui::GetGValue(start)) / n;
  const int db = (eb - ui::GetBValue(start)) / n;
  const double bandHeight = static_cast<double>(h) / n;
  double y = 0;
  for (int i = n; i >= 0; --i) {
    pc.Brush.Color = ui::RGB(er + i * dr, eg + i * dg, eb + i * db);  // channels wrap to 8 bits
    pc.FillRect({0, Round(y), w, Round(y + bandHeight)});
    y += bandHeight;
  }
  pc.Brush.Style = ui::bsClear;
  pc.Font = barFont_;
  pc.Font.Escapement = 900;
  pc.TextOut(barRect.Left + 2, barRect.Bottom - 5, barCaption_);
  canvas.CopyRect(barRect, pc, {0, 0, w - 1, h - 1});
}

void TXPBarMenu::PaintBitmapBar(TCanvas& canvas, const TRect& barRect) {
  int x = barRect.Left;
  int y = barRect.Top - 2;
  const int w = barRect.Width();
  const int h = barRect.Height();
  const int bw = barBitmap_.Width();
  const int bh = barBitmap_.Height();
  const TCanvas& source = barBitmap_.Canvas();
  if (barStretch_) {
    canvas.CopyRect({x, y, x + w, y + h}, source, {0, 0, bw - 1, bh - 1});
    return;
  }
  int sy = 0;
  if (h > bh)
    y += h - bh;
  else
    sy = bh - h;
  canvas.BitBlt(x, y, w, h, source, 0, sy);
}

void TXPBarMenu::PaintItemGradient(TCanvas& canvas, const TRect& r, bool mirrored) {
  const int w = r.Width();
  const int h = r.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap picture(w, h, canvas.Scale());
  TCanvas& pc = picture.Canvas();
  // Neighbouring columns of one step (most of them, once the ramp is at its
  // top) are filled together, their colour worked out once.
  int step = 0;
  int runStep = -1;
  int runFrom = 0;
  int runTo = 0;
  auto fillRun = [&] {
    if (runStep < 0) return;
    pc.Brush.Color = Soften(pc, paint_.PaintIconBackColor, runStep);
    pc.FillRect({runFrom, 0, runTo, h - 1});
  };
  for (int k = 0; k < w; ++k) {
    // Column numbers count from the picture's edge, the bounds are canvas positions.
    const int col = mirrored ? w - 1 - k : k;
    const bool steep = mirrored ? (r.Right - iconWidth_ + 5 < col && col < r.Right)
                                : (r.Left < col && col < r.Left + iconWidth_ + 5);
    step = std::min(step + (steep ? 3 : 1), 96);
    if (step != runStep) {
      fillRun();
      runStep = step;
      runFrom = runTo = col;
    }
    runFrom = std::min(runFrom, col);
    runTo = std::max(runTo, col + 1);
  }
  fillRun();
  canvas.CopyRect(r, pc, {0, 0, w - 1, h - 1});
}

void TXPBarMenu::PaintTopItem(TCanvas& canvas, bool mirrored, const TRect& r) {
  const int l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom;
  canvas.Brush.Style = ui::bsSolid;
  canvas.Brush.Color = paint_.PaintIconBackColor;
  canvas.FillRect(r);
  auto path = [&canvas](TColor pen, std::initializer_list<QPoint> points) {
    canvas.Pen.Color = pen;
    auto it = points.begin();
    canvas.MoveTo(it->x(), it->y());
    for (++it; it != points.end(); ++it) canvas.LineTo(it->x(), it->y());
  };
  if (mirrored || !paint_.HiColor) {
    canvas.Brush.Color = paint_.PaintShadowColor;
    path(paint_.PaintFrameColor, {{l, b - 1}, {l, t}, {rt - 3, t}, {rt - 3, b}});
    canvas.Pen.Color = canvas.Brush.Color;
    canvas.FillRect({rt - 2, t + 2, rt, b});
    return;
  }
  path(paint_.PaintFrameColor, {{l, b - 1}, {l, t}, {rt - 8, t}, {rt - 8, b}});
  const TColor base = paint_.PaintMenuBarColor;
  const TColor d10 = Darken(canvas, base, 10);
  const TColor d30 = Darken(canvas, base, 30);
  const struct {
    TColor color;
    TRect rect;
  } fills[] = {{d10, {rt - 7, t, rt, b}},
               {d30, {rt - 7, t + 3, rt - 2, b}},
               {Darken(canvas, base, 60), {rt - 7, t + 5, rt - 3, b}},
               {Darken(canvas, base, 100), {rt - 7, t + 6, rt - 5, b}}};
  for (const auto& fill : fills) {
    canvas.Brush.Color = fill.color;
    canvas.Pen.Color = fill.color;
    canvas.FillRect(fill.rect);
  }
  path(base, {{rt - 5, t + 1}, {rt - 1, t + 1}, {rt - 1, t + 6}});
  path(base, {{rt - 3, t + 2}, {rt - 2, t + 2}, {rt - 2, t + 3}, {rt - 3, t + 3}});
  path(d10, {{rt - 6, t + 3}, {rt - 3, t + 3}, {rt - 3, t + 6}, {rt - 4, t + 6}, {rt - 4, t + 3}});
  path(d30, {{rt - 5, t + 5}, {rt - 4, t + 5}, {rt - 4, t + 9}});
  path(Darken(canvas, base, 40), {{rt - 6, t + 5}, {rt - 6, t + 7}});
}

void TXPBarMenu::PaintCheck(TMenuItem* item, TCanvas& canvas, bool selected, const TRect& cr, bool hasImage) {
  canvas.Brush.Style = ui::bsSolid;
  canvas.Brush.Color = selected ? paint_.PaintCheckFillSelColor : paint_.PaintCheckFillColor;
  if (!item->Checked()) return;
  const int l = cr.Left, t = cr.Top, rr = cr.Right, b = cr.Bottom;
  if (item->RadioItem()) {
    canvas.Pen.Color = paint_.PaintSelectBorderColor;
    if (hasImage)
      canvas.RoundRect(l, t, rr, b, 6, 6);
    else
      canvas.Ellipse(l, t, rr, b);
  } else if (hasImage) {
    canvas.Pen.Color = paint_.PaintSelectBorderColor;
    canvas.Rectangle(cr);
  } else {
    canvas.Pen.Color = paint_.PaintCheckedColor;
    canvas.Rectangle(cr);
    canvas.Pen.Color = ui::clBlack;
    const QPoint tick[][2] = {{{l + 1, t + 5}, {l + 4, b - 2}},
                              {{l + 2, t + 5}, {l + 4, b - 3}},
                              {{l + 2, t + 4}, {l + 5, b - 3}},
                              {{l + 4, b - 3}, {rr + 2, t - 1}},
                              {{l + 4, b - 2}, {rr - 2, t + 3}}};
    for (const auto& line : tick) {
      canvas.MoveTo(line[0].x(), line[0].y());
      canvas.LineTo(line[1].x(), line[1].y());
    }
  }
}

// A hot pop-up item's picture lifts by a pixel over its shadow; others are
// faded, or greyed when the item is disabled.
void TXPBarMenu::PaintIcon(ItemPaint& ip, TCanvas& canvas) {
  TBitmap& picture = ip.picture;
  const bool checked = ip.item->Checked();
  const bool enabled = ip.item->Enabled();
  int x = ip.ir.Left;
  int y = ip.ir.Top + 4;
  if (picture.Width() <= iconWidth_)
    x += (iconWidth_ - picture.Width()) / 2 - 1;
  else
    x = ip.mirrored ? ip.ir.Right - picture.Width() - 2 : ip.ir.Left + 2;
  const bool hot = ip.selected && enabled && !checked;
  if (hot && !ip.isTop) {
    --x;
    --y;
  }
  if (!ip.selected && enabled && !checked && paint_.HiColor) LightenBitmap(picture, 30);
  if (!enabled) GrayBitmap(picture, 70);
  if (hot) PaintShadowMask(picture, canvas, x + 2, y + 2, Darken(canvas, paint_.PaintSelectColor, 50));
  picture.SetTransparent(true);
  canvas.Draw(x, y, picture);
}

void TXPBarMenu::LightenBitmap(TBitmap& picture, int percent) const {
  ConvertPixels(picture,
                [&](const TCanvas& pc, TColor pixel) { return Soften(pc, pixel, std::min(percent, 100)); });
}

void TXPBarMenu::GrayBitmap(TBitmap& picture, int percent) const {
  ConvertPixels(picture, [&](const TCanvas& pc, TColor pixel) { return Grayed(pc, pixel, percent); });
}

void TXPBarMenu::PaintShadowMask(const TBitmap& picture, TCanvas& canvas, int x, int y, TColor color) const {
  canvas.DrawMask(x, y, picture, color);
}

// The caption's colour: the selected, disabled or bar-item colour over the
// font's own; a selected bar item's caption must stand out from its raised face.
TColor TXPBarMenu::CaptionColor(const ItemPaint& ip, const TCanvas& canvas) const {
  if (ip.isTop && ip.selected) return ContrastTextColor(canvas, paint_.PaintIconBackColor);
  if (!ip.item->Enabled()) return paint_.PaintDisabledColor;
  if (ip.selected) return paint_.PaintSelectFontColor;
  return font_.Color;
}

// The caption centred on the height of a "W", then the shortcut ten pixels in
// from the far side.
void TXPBarMenu::PaintText(const ItemPaint& ip, TCanvas& canvas, unsigned format, TRect tr) {
  TMenuItem* item = ip.item;
  const QString text = " " + item->Caption();
  canvas.Font = font_;
  TColor color = CaptionColor(ip, canvas);
  tr.Top += (tr.Bottom - tr.Top - canvas.TextHeight("W")) / 2;
  if (item->Enabled()) color = ReadableColor(canvas, color, text, tr, format);
  canvas.Font.Color = color;
  canvas.SetBkMode(ui::TRANSPARENT);
  if (item->Default() && item->Enabled()) {
    PaintEmbossing(canvas, text, format, tr);
    canvas.Font.Color = color;
  }
  canvas.DrawText(text, tr, format);
  PaintShortcut(ip, canvas, color, tr);
}

// A default item's caption is bold, over four passes that each darken what
// lies under their corner: the caption looks embossed. The bold style stays.
void TXPBarMenu::PaintEmbossing(TCanvas& canvas, const QString& text, unsigned format,
                                const TRect& home) const {
  canvas.Font.Styles = font_.Styles | ui::TFont::fsBold;
  const struct { int dl, dt, dr, k; } passes[] = {{1, 0, 0, 30}, {1, 2, 1, 30}, {0, 1, 0, 40}, {1, 1, 1, 60}};
  for (const auto& pass : passes) {
    const TRect tr{home.Left + pass.dl, home.Top + pass.dt, home.Right + pass.dr, home.Bottom};
    canvas.Font.Color = Darken(canvas, canvas.Pixel(tr.Left, tr.Top), pass.k);
    canvas.DrawText(text, tr, format);
  }
}

// Lighter than the caption where the display has the colours for it; items
// without a shortcut draw only the blank.
void TXPBarMenu::PaintShortcut(const ItemPaint& ip, TCanvas& canvas, TColor captionColor, TRect tr) const {
  const QString shortCut = ip.item->ShortCutText() + " ";
  TColor color = paint_.HiColor ? Darken(canvas, captionColor, -40) : captionColor;
  unsigned format = ui::DT_RIGHT;
  if (ip.mirrored) {
    tr.Left += 10;
    format = ui::DT_LEFT;
  } else {
    tr.Right -= 10;
  }
  if (ip.item->Enabled()) color = ReadableColor(canvas, color, shortCut, tr, format);
  canvas.Font.Color = color;
  canvas.DrawText(shortCut, tr, format);
}

// Enabled text keeps a readable contrast with what lies under it, whatever the
// palette; where its colour would not, black or white (the more legible one)
// takes its place. Disabled text is meant to recede and keeps its colour.
TColor TXPBarMenu::ReadableColor(const TCanvas& canvas, TColor color, const QString& text, const TRect& tr,
                                 unsigned format) const {
  const int width = std::min(canvas.TextWidth(text), tr.Width());
  const int left = (format & ui::DT_RIGHT) ? tr.Right - width : tr.Left;
  const int y = tr.Top + canvas.TextHeight(text) / 2;
  auto worst = [&](TColor ink) {
    double lowest = 21;
    TColor last = ui::CLR_INVALID;
    for (int x = left; x < left + width; ++x) {
      const TColor under = canvas.Pixel(x, y);
      if (under == last || under == ui::CLR_INVALID) continue;
      last = under;
      lowest = std::min(lowest, ui::ContrastRatio(ink, under));
    }
    return lowest;
  };
  if (worst(color) >= ui::kReadableContrast) return color;
  return worst(ui::clBlack) >= worst(ui::clWhite) ? ui::clBlack : ui::clWhite;
}

void TXPBarMenu::PaintFlatFrame(QWidget* window, bool mirrored) {
  if (!window) return;
  ui::WindowFrame frame(window);
  TCanvas& c = frame.Canvas();
  const TRect wr = frame.WindowRect();
  c.Brush.Style = ui::bsClear;
  const int l = wr.Left, t = wr.Top;
  const int rt = wr.Right - 2, b = wr.Bottom - 2;
  auto line = [&c](int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  };
  c.Pen.Color = paint_.PaintFrameColor;
  c.Rectangle(l, t, rt, b);
  if (mirrored) {
    c.Pen.Color = paint_.PaintColor;
    c.Rectangle(l + 1, t + 1, rt - 2, t + 3);
    line(l + 2, t + 2, l + 2, b - 2);
    c.Pen.Color = paint_.PaintIconBackColor;
    line(rt - 2, t + 2, rt - 2, b - 2);
    line(rt - 2, t + 2, rt - 1 - iconWidth_, t + 2);
  } else {
    if (!gradient_) {
      c.Pen.Color = paint_.PaintColor;
      c.Rectangle(l + 1, t + 1, rt - 2, t + 3);
      c.Pen.Color = paint_.PaintIconBackColor;
      line(l + 1, t + 2, l + 2 + iconWidth_, t + 2);
    }
    c.Pen.Color = paint_.PaintIconBackColor;
    line(l + 1, t + 1, l + 1, b - 2);
  }
  const int rt2 = wr.Right, b2 = wr.Bottom;
  c.Pen.Color = paint_.PaintShadowColor;
  c.Rectangle(l + 2, b2 - 2, rt2, b2);
  c.Rectangle(rt2 - 2, t + 2, rt2, b2);
  c.Pen.Color = paint_.PaintIconBackColor;
  c.Rectangle(l, b2 - 2, l + 2, b2);
  c.Rectangle(rt2 - 2, t, rt2, t + 2);
}

void ApplyWindowMenuLook(TXPBarMenu& painter) {
  painter.SetBarCaption("ZQ");
  ui::TFont barFont;
  barFont.Name = "Tahoma";
  barFont.Height = -11;
  barFont.Color = ui::clWhite;
  barFont.Charset = ui::GB2312_CHARSET;
  barFont.Styles = 0;
  painter.SetBarFont(barFont);
  ui::TFont font = barFont;
  font.Color = ui::clMenuText;
  painter.SetFont(font);
  painter.SetCheckedColor(ui::clHighlight);
  painter.SetIconWidth(24);
  painter.SetDrawSelect(true);
  painter.SetUseSystemColors(true);
  painter.SetOverrideOwnerDraw(false);
  painter.SetFlatMenu(true);
  painter.SetAutoDetect(true);
  painter.SetActive(true);
}
