#include "documents/TextBlock.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace documents {

namespace {

qreal Offset(TextBlock::Align align, qreal width, qreal used) {
  switch (align) {
    case TextBlock::Align::Left:
      return 0;
    case TextBlock::Align::Center:
      return std::max<qreal>(0, (width - used) / 2);
    case TextBlock::Align::Right:
      return std::max<qreal>(0, width - used);
  }
  return 0;
}

// The font made smaller until the text fits the width on one line.
QFont FittedFont(const QString& text, QFont font, QPaintDevice* device, qreal width) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    const qreal natural = QFontMetricsF(font, device).horizontalAdvance(text);
    if (natural <= width || width <= 0) break;
    font.setPointSizeF(font.pointSizeF() * width / natural * 0.98);
  }
  return font;
}

}  // namespace

TextBlock::TextBlock(const QString& text, const QFont& font, QPaintDevice* device, qreal width, Align align,
                     Fit fit)
    : lineHeight_(QFontMetricsF(font, device).lineSpacing()) {
  const QFont shown = fit == Fit::OneLine ? FittedFont(text, font, device, width) : font;
  // A smaller font sits in the middle of the line's height.
  const qreal lift = (lineHeight_ - QFontMetricsF(shown, device).lineSpacing()) / 2;
  layout_ = std::make_unique<QTextLayout>(text, shown, device);
  QTextOption option;
  option.setWrapMode(fit == Fit::OneLine ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout_->setTextOption(option);
  layout_->setCacheEnabled(true);
  layout_->beginLayout();
  int count = 0;
  for (QTextLine line = layout_->createLine(); line.isValid(); line = layout_->createLine(), ++count) {
    line.setLineWidth(width);
    line.setPosition(QPointF(Offset(align, width, line.naturalTextWidth()), count * lineHeight_ + lift));
  }
  layout_->endLayout();
  lineCount_ = std::max(count, 1);
}

TextBlock::~TextBlock() = default;
TextBlock::TextBlock(TextBlock&&) noexcept = default;
TextBlock& TextBlock::operator=(TextBlock&&) noexcept = default;

void TextBlock::Draw(QPainter& painter, QPointF topLeft, int first, int count) const {
  const QPointF origin = topLeft - QPointF(0, first * lineHeight_);
  const int end = std::min(first + count, layout_->lineCount());
  for (int i = std::max(first, 0); i < end; ++i) layout_->lineAt(i).draw(&painter, origin);
}

}  // namespace documents
