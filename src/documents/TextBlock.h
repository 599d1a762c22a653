#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <memory>

class QPainter;
class QPaintDevice;
class QTextLayout;

namespace documents {

// A text wrapped into a width (at word boundaries, anywhere when a word is
// wider), measured on the device it is laid out on. Lines are of one height, so
// a block can be painted in parts, a range of lines at a time.
class TextBlock {
 public:
  enum class Align { Left, Center, Right };
  // OneLine: never broken (a number); set smaller when wider than the width.
  enum class Fit { Wrap, OneLine };

  TextBlock(const QString& text, const QFont& font, QPaintDevice* device, qreal width, Align align,
            Fit fit = Fit::Wrap);
  ~TextBlock();
  TextBlock(TextBlock&&) noexcept;
  TextBlock& operator=(TextBlock&&) noexcept;

  int LineCount() const { return lineCount_; }  // at least 1, also for empty text
  qreal LineHeight() const { return lineHeight_; }
  // Paints lines [first, first + count) with the top of line `first` at `topLeft`.
  void Draw(QPainter& painter, QPointF topLeft, int first, int count) const;

 private:
  std::unique_ptr<QTextLayout> layout_;
  qreal lineHeight_ = 0;
  int lineCount_ = 1;
};

}  // namespace documents
