// The quotation window's coloured captions read well in a light and in dark
// palettes: the drawn text against the background drawn behind it.
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <map>

#include "QuotationFixture.h"
#include "ui/menu/ColorContrast.h"
#include "ui/menu/TColor.h"

namespace {

QPalette DarkPalette(const QColor& link) {
  QPalette p;
  for (auto role : {QPalette::Window, QPalette::Button}) p.setColor(role, QColor(49, 54, 59));
  p.setColor(QPalette::Base, QColor(35, 38, 41));
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    p.setColor(role, QColor(239, 240, 241));
  p.setColor(QPalette::Link, link);
  p.setColor(QPalette::Highlight, QColor(61, 174, 233));
  return p;
}

// The contrast of a text colour with the background drawn behind the text:
// the colour most of the picture of the text shows.
double ContrastOn(const QColor& ink, const QImage& picture) {
  std::map<QRgb, int> counts;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) ++counts[picture.pixel(x, y)];
  const auto most = std::max_element(counts.begin(), counts.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; });
  return ui::ContrastRatio(ui::FromQColor(ink), ui::FromQColor(QColor(most->first)));
}

QImage Shot(QWidget* widget, const QRect& part) { return widget->grab(part).toImage(); }

QRect TitleOf(QGroupBox* box) {
  QStyleOptionGroupBox option;
  option.initFrom(box);
  option.text = box->title();
  option.lineWidth = 1;
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  option.textAlignment = box->alignment();
  return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

// The first column's title, inside the section's edges.
QRect FirstTitleOf(QHeaderView* header) {
  return QRect(header->sectionViewportPosition(0) + 3, 2, header->sectionSize(0) - 6, header->height() - 4);
}

class QuotationContrast : public QuotationFixture, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    QuotationFixture::SetUp();
    saved_ = QApplication::palette();
    const std::string name = GetParam();
    if (name == "light") QApplication::setPalette(QApplication::style()->standardPalette());
    if (name == "dark") QApplication::setPalette(DarkPalette(QColor(41, 128, 185)));
    if (name == "dark, blue links") QApplication::setPalette(DarkPalette(QColor(0, 0, 255)));
  }
  void TearDown() override {
    QuotationFixture::TearDown();
    QApplication::setPalette(saved_);
  }
  QPalette saved_;
};

// The ink is the colour the widget paints its text with, once its style sheet applies.
TEST_P(QuotationContrast, CaptionsAndGridTitlesReadWell) {
  TQuotation* w = OpenWindow();
  for (QWidget* page : {w->QuotationFind, w->QuotationInput}) {
    w->PageControl1->setCurrentWidget(page);
    for (QGroupBox* box : page->findChildren<QGroupBox*>())
      EXPECT_GE(ContrastOn(box->palette().color(QPalette::WindowText), Shot(box, TitleOf(box))),
                ui::kReadableContrast)
          << box->objectName().toStdString();
    for (ui::DBGrid* grid : page->findChildren<ui::DBGrid*>()) {
      QHeaderView* header = grid->horizontalHeader();
      EXPECT_GE(ContrastOn(header->palette().color(QPalette::ButtonText), Shot(header, FirstTitleOf(header))),
                ui::kReadableContrast)
          << grid->objectName().toStdString();
    }
  }
  auto* number = w->findChild<QLabel*>("Label3");
  ASSERT_NE(number, nullptr);
  const QColor red = number->palette().color(QPalette::WindowText);
  EXPECT_GE(ContrastOn(red, Shot(number, number->rect())), ui::kReadableContrast) << "報價單號";
  EXPECT_EQ(red.hslHue(), 0) << red.name().toStdString();
  EXPECT_GE(red.hslSaturation(), 128) << red.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Palettes, QuotationContrast, ::testing::Values("light", "dark", "dark, blue links"));

}  // namespace
