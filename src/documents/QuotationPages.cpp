#include "documents/QuotationPages.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "documents/DocumentFont.h"
#include "documents/WriteFailure.h"

namespace documents {

namespace {

// Sizes in points.
constexpr qreal kBodySize = 9;
constexpr qreal kTitleSize = 18;
constexpr qreal kPadding = 2;
constexpr qreal kRule = 0.5;
constexpr qreal kGap = 10;
constexpr qreal kLabelWidth = 54;

// Fine enough that a glyph's place does not depend on rounding.
constexpr int kLayoutResolution = 1200;

// Shares of the table's width, in the order of kLineColumns: the money
// columns hold twelve digits at the body size.
constexpr qreal kColumnShares[kLineColumns.size()] = {0.05, 0.20, 0.17, 0.07, 0.07, 0.07, 0.09, 0.13, 0.15};

TextBlock::Align AlignOf(std::size_t column) {
  if (column == 0) return TextBlock::Align::Center;
  return column >= 3 ? TextBlock::Align::Right : TextBlock::Align::Left;
}

QFont DocumentFontOf(qreal size, bool bold) {
  QFont font(DocumentFont::Family());
  font.setPointSizeF(size);
  font.setBold(bold);
  return font;
}

}  // namespace

QuotationPages::QuotationPages(const QuotationDocument& document, QSizeF area)
    : sink_(std::make_unique<QBuffer>()),
      device_(std::make_unique<QPdfWriter>(sink_.get())),
      area_(area * (kLayoutResolution / 72.0)),
      pixelsPerPoint_(kLayoutResolution / 72.0),
      body_(DocumentFontOf(kBodySize, false)),
      bold_(DocumentFontOf(kBodySize, true)),
      title_(DocumentFontOf(kTitleSize, true)),
      quotationNumber_(QString::fromStdString(document.quotationNumber)) {
  device_->setResolution(kLayoutResolution);
  BuildHeading(document);
  BuildTable(document);
  Paginate();
}

QuotationPages::~QuotationPages() = default;

void QuotationPages::Render(const QuotationDocument& document, QPagedPaintDevice& device) {
  QuotationPages pages(document, device.pageLayout().paintRect(QPageLayout::Point).size());
  QPainter painter;
  if (!painter.begin(&device)) throw WriteFailure("無法開始繪製文件。");
  for (int page = 0; page < pages.PageCount(); ++page) {
    if (page > 0) device.newPage();
    pages.Paint(painter, page);
  }
  painter.end();
}

TextBlock QuotationPages::Block(const std::string& text, const QFont& font, qreal width,
                                TextBlock::Align align, TextBlock::Fit fit) const {
  return TextBlock(QString::fromStdString(text), font, device_.get(), width, align, fit);
}

QuotationPages::Row QuotationPages::MakeRow(std::vector<Cell> cells) const {
  Row row;
  for (const Cell& cell : cells) {
    row.lines = std::max(row.lines, cell.block.LineCount());
    row.lineHeight = std::max(row.lineHeight, cell.block.LineHeight());
  }
  row.cells = std::move(cells);
  return row;
}

QuotationPages::Row QuotationPages::TableRow(const std::vector<CellText>& texts, const QFont& font) const {
  std::vector<Cell> cells;
  qreal x = 0;
  for (std::size_t c = 0; c < texts.size(); ++c) {
    const qreal width = area_.width() * kColumnShares[c];
    const auto fit = texts[c].number ? TextBlock::Fit::OneLine : TextBlock::Fit::Wrap;
    cells.push_back({x, width, Block(texts[c].text, font, width - 2 * Points(kPadding), AlignOf(c), fit)});
    x += width;
  }
  return MakeRow(std::move(cells));
}

// A figure under the total column with its label beside it, or a note across the table.
QuotationPages::Row QuotationPages::TotalRowOf(const TotalRow& total) const {
  const qreal inner = 2 * Points(kPadding);
  std::vector<Cell> cells;
  if (total.figure.empty()) {
    cells.push_back(
        {0, area_.width(), Block(total.label, body_, area_.width() - inner, TextBlock::Align::Left)});
    return MakeRow(std::move(cells));
  }
  const qreal figureWidth = area_.width() * kColumnShares[kTotalColumn];
  const qreal labelWidth = area_.width() - figureWidth;
  cells.push_back({0, labelWidth, Block(total.label, bold_, labelWidth - inner, TextBlock::Align::Right)});
  cells.push_back(
      {labelWidth, figureWidth,
       Block(total.figure, bold_, figureWidth - inner, TextBlock::Align::Right, TextBlock::Fit::OneLine)});
  return MakeRow(std::move(cells));
}

std::vector<QuotationPages::Row> QuotationPages::FieldRows(const std::vector<LabelledValue>& items, qreal x,
                                                           qreal width) const {
  const qreal label = Points(kLabelWidth);
  std::vector<Row> rows;
  for (const LabelledValue& item : items) {
    std::vector<Cell> cells;
    cells.push_back({x, label, Block(item.label, bold_, label, TextBlock::Align::Left)});
    cells.push_back(
        {x + label, width - label, Block(item.value.shown, body_, width - label, TextBlock::Align::Left)});
    rows.push_back(MakeRow(std::move(cells)));
  }
  return rows;
}

void QuotationPages::BuildHeading(const QuotationDocument& document) {
  const qreal half = (area_.width() - Points(kGap)) / 2;
  customerRows_ = FieldRows(document.customer, 0, half);
  headerRows_ = FieldRows(document.header, half + Points(kGap), half);
  auto height = [this](const std::vector<Row>& rows) {
    qreal sum = 0;
    for (const Row& row : rows) sum += RowHeight(row, row.lines);
    return sum;
  };
  const qreal titleHeight = QFontMetricsF(title_, device_.get()).lineSpacing() + Points(kGap);
  headingHeight_ = titleHeight + std::max(height(customerRows_), height(headerRows_)) + Points(kGap);
}

void QuotationPages::BuildTable(const QuotationDocument& document) {
  std::vector<CellText> texts;
  for (const LineColumn& column : kLineColumns) texts.push_back({column.title});
  titleRow_ = TableRow(texts, bold_);
  const std::vector<TotalRow> totals = document.TotalRows();
  rows_.reserve(document.lines.size() + totals.size());
  for (const DocumentLine& line : document.lines) {
    for (std::size_t c = 0; c < line.size(); ++c) texts[c] = {line[c].shown, line[c].number.has_value()};
    rows_.push_back(TableRow(texts, body_));
  }
  for (const TotalRow& total : totals) rows_.push_back(TotalRowOf(total));
}

qreal QuotationPages::RowHeight(const Row& row, int lines) const {
  return lines * row.lineHeight + 2 * Points(kPadding);
}

int QuotationPages::LinesThatFit(const Row& row, qreal space) const {
  return std::max(0, static_cast<int>(std::floor((space - 2 * Points(kPadding)) / row.lineHeight)));
}

// Later pages carry a one-line running head instead of the title and fields.
qreal QuotationPages::TableTop(int page) const {
  const qreal head =
      page == 0 ? headingHeight_ : QFontMetricsF(body_, device_.get()).lineSpacing() + Points(kGap);
  return head + RowHeight(titleRow_, titleRow_.lines);
}

qreal QuotationPages::BodyBottom() const {
  return area_.height() - QFontMetricsF(body_, device_.get()).lineSpacing() - Points(kGap);
}

// A line goes whole onto the next page when it fits there; one taller than a
// fresh page is split at its text lines instead.
void QuotationPages::Paginate() {
  pages_.assign(1, {});
  qreal y = TableTop(0);
  const qreal freshSpace = BodyBottom() - TableTop(1);
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    const Row& row = rows_[r];
    const int freshFit = std::max(1, LinesThatFit(row, freshSpace));
    for (int first = 0; first < row.lines;) {
      const int remaining = row.lines - first;
      const int fit = LinesThatFit(row, BodyBottom() - y);
      const bool fresh = pages_.back().empty() && pages_.size() > 1;
      int take = fit;
      if (remaining <= fit)
        take = remaining;
      else if (remaining <= freshFit && !fresh)
        take = 0;
      else if (fresh)
        take = std::max(fit, 1);
      if (take > 0) {
        pages_.back().push_back({r, first, take, y});
        y += RowHeight(row, take);
        first += take;
      }
      if (first < row.lines) {
        pages_.emplace_back();
        y = TableTop(static_cast<int>(pages_.size()) - 1);
      }
    }
  }
}

void QuotationPages::Paint(QPainter& painter, int page) const {
  painter.save();
  const QPaintDevice& target = *painter.device();
  painter.scale(target.logicalDpiX() / qreal(kLayoutResolution),
                target.logicalDpiY() / qreal(kLayoutResolution));
  painter.setPen(QPen(Qt::black, Points(kRule)));
  PaintHeading(painter, page);
  const qreal titleTop = TableTop(page) - RowHeight(titleRow_, titleRow_.lines);
  painter.fillRect(QRectF(0, titleTop, area_.width(), RowHeight(titleRow_, titleRow_.lines)),
                   QColor(225, 225, 225));
  PaintRow(painter, titleRow_, titleTop, 0, titleRow_.lines, true);
  for (const Slice& slice : pages_[page])
    PaintRow(painter, rows_[slice.row], slice.top, slice.firstLine, slice.lineCount, true);
  PaintFooter(painter, page);
  painter.restore();
}

void QuotationPages::PaintHeading(QPainter& painter, int page) const {
  if (page > 0) {
    Block(QuotationDocument::kTitle + std::string(" ") + quotationNumber_.toStdString(), body_, area_.width(),
          TextBlock::Align::Left)
        .Draw(painter, QPointF(0, 0), 0, 1);
    return;
  }
  const TextBlock title = Block(QuotationDocument::kTitle, title_, area_.width(), TextBlock::Align::Center);
  title.Draw(painter, QPointF(0, 0), 0, 1);
  const qreal top = title.LineHeight() + Points(kGap);
  PaintRows(painter, customerRows_, top);
  PaintRows(painter, headerRows_, top);
}

qreal QuotationPages::PaintRows(QPainter& painter, const std::vector<Row>& rows, qreal top) const {
  for (const Row& row : rows) {
    PaintRow(painter, row, top, 0, row.lines, false);
    top += RowHeight(row, row.lines);
  }
  return top;
}

void QuotationPages::PaintRow(QPainter& painter, const Row& row, qreal top, int first, int count,
                              bool framed) const {
  const qreal height = RowHeight(row, count);
  const qreal padding = Points(kPadding);
  for (const Cell& cell : row.cells) {
    if (framed) {
      painter.drawRect(QRectF(cell.x, top, cell.width, height));
      cell.block.Draw(painter, QPointF(cell.x + padding, top + padding), first, count);
    } else {
      cell.block.Draw(painter, QPointF(cell.x, top + padding), first, count);
    }
  }
}

void QuotationPages::PaintFooter(QPainter& painter, int page) const {
  const std::string text =
      "第 " + std::to_string(page + 1) + " 頁 / 共 " + std::to_string(PageCount()) + " 頁";
  const TextBlock footer = Block(text, body_, area_.width(), TextBlock::Align::Center);
  footer.Draw(painter, QPointF(0, area_.height() - footer.LineHeight()), 0, 1);
}

}  // namespace documents
