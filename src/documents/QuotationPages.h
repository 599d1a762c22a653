#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

#include "documents/QuotationDocument.h"
#include "documents/TextBlock.h"

class QBuffer;
class QPainter;
class QPagedPaintDevice;
class QPdfWriter;

namespace documents {

// The page layout of a quotation, one for preview, PDF and printer: the
// title and the customer and header fields on the first page, the lines as a
// table whose title row repeats on every page, the total after the last line
// and "第 n 頁 / 共 m 頁" at each foot. Texts wrap inside their cells, numbers
// never (one too wide for its column is set smaller); a line taller than a
// whole page goes on over the next one. The layout is made once on a device of
// its own, so a page holds the same lines at any resolution: preview, PDF and
// printer break pages alike.
class QuotationPages {
 public:
  // Lays the document out on a printable area of `area` points.
  QuotationPages(const QuotationDocument& document, QSizeF area);
  ~QuotationPages();

  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Paints one page onto the painter's device, whatever its resolution; the
  // painter's origin is the printable area's top left.
  void Paint(QPainter& painter, int page) const;

  // Paints every page onto a fresh painter, laid out on the device's printable
  // area. Throws WriteFailure when painting cannot begin (a device that cannot be opened).
  static void Render(const QuotationDocument& document, QPagedPaintDevice& device);

 private:
  struct Cell {
    qreal x;
    qreal width;
    TextBlock block;
  };
  struct Row {
    std::vector<Cell> cells;
    int lines = 1;
    qreal lineHeight = 0;
  };
  struct Slice {
    int row;
    int firstLine;
    int lineCount;
    qreal top;
  };

  qreal Points(qreal points) const { return points * pixelsPerPoint_; }
  struct CellText {
    std::string text;
    bool number = false;
  };

  TextBlock Block(const std::string& text, const QFont& font, qreal width, TextBlock::Align align,
                  TextBlock::Fit fit = TextBlock::Fit::Wrap) const;
  Row MakeRow(std::vector<Cell> cells) const;
  Row TableRow(const std::vector<CellText>& texts, const QFont& font) const;
  Row TotalRowOf(const TotalRow& total) const;
  std::vector<Row> FieldRows(const std::vector<LabelledValue>& items, qreal x, qreal width) const;
  void BuildHeading(const QuotationDocument& document);
  void BuildTable(const QuotationDocument& document);
  void Paginate();
  int LinesThatFit(const Row& row, qreal space) const;
  qreal RowHeight(const Row& row, int lines) const;
  qreal TableTop(int page) const;
  qreal BodyBottom() const;

  void PaintHeading(QPainter& painter, int page) const;
  void PaintFooter(QPainter& painter, int page) const;
  void PaintRow(QPainter& painter, const Row& row, qreal top, int first, int count, bool framed) const;
  qreal PaintRows(QPainter& painter, const std::vector<Row>& rows, qreal top) const;

  std::unique_ptr<QBuffer> sink_;
  std::unique_ptr<QPdfWriter> device_;  // measured on, never painted
  QSizeF area_;
  qreal pixelsPerPoint_;
  QFont body_;
  QFont bold_;
  QFont title_;
  QString quotationNumber_;
  std::vector<Row> customerRows_;
  std::vector<Row> headerRows_;
  qreal headingHeight_ = 0;
  Row titleRow_;
  std::vector<Row> rows_;  // the lines, then the total
  std::vector<std::vector<Slice>> pages_;
};

}  // namespace documents
