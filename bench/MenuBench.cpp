// The menu painter: one pop-up item (side bar and flat frame included) and a
// whole ten-item pop-up, per item, compared with filling the item's rectangle
// with one colour on the same kind of canvas. The plain fill is a point of
// comparison, not a floor: the painter does far more than fill.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

#include "CpuTime.h"
#include "ui/menu/Form.h"
#include "ui/menu/MenuStyle.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/TMenu.h"
#include "windows/XPBarMenu.h"

namespace {

constexpr int kItems = 10;
constexpr int kWidth = 180;

QImage Picture(QColor color) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 2; y < 14; ++y)
    for (int x = 2; x < 14; ++x) image.setPixelColor(x, y, color);
  return image;
}

// A form with a ten-item pop-up (two pictures, a separator, a checked item)
// painted by the windows' painter, and the pop-up widget its frame goes to.
struct Popup {
  QWidget window;
  std::unique_ptr<ui::Form> form = std::make_unique<ui::Form>(&window);
  ui::TMenuItem* file = nullptr;
  std::vector<QRect> rects;
  ui::OwnerDrawMenu widget;

  Popup() {
    window.setWindowTitle("樣品報價系統");
    auto* menu = new ui::TMainMenu(form.get());
    menu->SetName("MainMenu1");
    form->SetMenu(menu);
    file = Add(menu->Items(), "檔案(&F)");
    for (int i = 0; i < kItems; ++i) {
      ui::TMenuItem* item = Add(file, i == 4 ? "-" : QString("客戶資料維護 %1").arg(i));
      if (i < 2) item->SetBitmap(Picture(i ? Qt::red : Qt::darkGreen));
      if (i == 6) item->SetChecked(true);
    }
    auto* painter = new TXPBarMenu(form.get());
    ApplyWindowMenuLook(*painter);
    Layout();
  }
  ui::TMenuItem* Add(ui::TMenuItem* parent, const QString& caption) {
    auto* item = new ui::TMenuItem(form.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  // Item rectangles in client coordinates, as the menu lays them out.
  void Layout() {
    QImage scratch(1, 1, QImage::Format_RGB32);
    ui::TCanvas canvas(&scratch);
    int y = 0;
    for (int i = 0; i < file->Count(); ++i) {
      ui::TMenuItem* item = file->Items(i);
      int width = 0, height = 0;
      item->OnMeasureItem.code(item->OnMeasureItem.object, item, canvas, width, height);
      rects.emplace_back(0, y, kWidth, height);
      y += height;
    }
    const int border = ui::MenuStyle::kPopupBorder;
    widget.resize(kWidth + 2 * border, y + 2 * border);
  }
  // A paint of the pop-up starts a pass, as its paint event does.
  void BeginPaint() { widget.BeginPaintPass(); }
  // One item as the style bridge paints it: off-screen, then copied.
  void PaintItem(int index, QImage& target) {
    ui::TMenuItem* item = file->Items(index);
    const QRect& rect = rects[index];
    QImage image(rect.size(), QImage::Format_RGB32);
    ui::TCanvas canvas(&image, rect.topLeft());
    canvas.SetWindow(&widget);
    item->OnDrawItem.code(item->OnDrawItem.object, item, canvas, rect, index == 0);
    target = image;
  }
  void FillItem(int index, QImage& target) {
    const QRect& rect = rects[index];
    QImage image(rect.size(), QImage::Format_RGB32);
    ui::TCanvas canvas(&image, rect.topLeft());
    canvas.Brush.Color = ui::clMenu;
    canvas.FillRect(ui::TRect::From(rect));
    target = image;
  }
};

// Never destroyed: a static would go after the application object, and its
// widgets cannot be taken down without it.
Popup& Shared() {
  static Popup* popup = new Popup;
  return *popup;
}

// Short work runs many times a sample, and each sample is kept per item.
bench::Sampling PerItem(int itemsPerRun, int repeats) {
  return {bench::CpuClock::Thread, repeats, itemsPerRun};
}

void MenuItemPlainFill(benchmark::State& state) {
  Popup& popup = Shared();
  QImage out;
  bench::Timed(state, "menu-item-plain-fill", PerItem(1, 100), [&] { popup.FillItem(0, out); });
}

void MenuItem(benchmark::State& state) {
  Popup& popup = Shared();
  QImage out;
  bench::Timed(state, "menu-item", PerItem(1, 1), [&] {
    popup.BeginPaint();
    popup.PaintItem(0, out);
  });
}

void MenuPopupPlainFill(benchmark::State& state) {
  Popup& popup = Shared();
  QImage out;
  bench::Timed(state, "menu-popup-plain-fill", PerItem(kItems, 100), [&] {
    for (int i = 0; i < kItems; ++i) popup.FillItem(i, out);
  });
}

void MenuPopup(benchmark::State& state) {
  Popup& popup = Shared();
  QImage out;
  bench::Timed(state, "menu-popup", PerItem(kItems, 1), [&] {
    popup.BeginPaint();
    for (int i = 0; i < kItems; ++i) popup.PaintItem(i, out);
  });
}

}  // namespace

BENCHMARK(MenuItemPlainFill)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(MenuItem)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(MenuPopupPlainFill)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK(MenuPopup)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(50);

namespace {

const bool kRatios = bench::AddFinisher([] {
  bench::ReportRatio("menu-item/plain-fill", bench::Ratio("menu-item", "menu-item-plain-fill"));
  bench::ReportRatio("menu-popup-item/plain-fill", bench::Ratio("menu-popup", "menu-popup-plain-fill"));
});

}  // namespace
