#include "documents/XlsxWriter.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>

#include "documents/DocumentFile.h"
#include "documents/SheetRowHeight.h"
#include "documents/SystemErrorText.h"

namespace documents {

namespace {

constexpr double kColumnWidths[kLineColumns.size()] = {10, 24, 20, 8, 8, 8, 10, 12, 14};

struct Formats {
  lxw_format* title;
  lxw_format* label;
  lxw_format* date;
  lxw_format* heading;
  lxw_format* cell;
  lxw_format* cellDate;
  lxw_format* total;
  lxw_format* figure;
  lxw_format* note;
};

lxw_format* Bordered(lxw_workbook* book) {
  lxw_format* format = workbook_add_format(book);
  format_set_border(format, LXW_BORDER_THIN);
  format_set_text_wrap(format);
  format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
  return format;
}

Formats MakeFormats(lxw_workbook* book, const std::string& dateFormat) {
  Formats f{};
  f.title = workbook_add_format(book);
  format_set_bold(f.title);
  format_set_font_size(f.title, 16);
  f.label = workbook_add_format(book);
  format_set_bold(f.label);
  f.date = workbook_add_format(book);
  format_set_num_format(f.date, dateFormat.c_str());
  format_set_align(f.date, LXW_ALIGN_LEFT);
  f.heading = Bordered(book);
  format_set_bold(f.heading);
  format_set_align(f.heading, LXW_ALIGN_CENTER);
  format_set_bg_color(f.heading, 0xE1E1E1);
  f.cell = Bordered(book);
  f.cellDate = Bordered(book);
  format_set_num_format(f.cellDate, dateFormat.c_str());
  f.total = Bordered(book);
  format_set_bold(f.total);
  format_set_align(f.total, LXW_ALIGN_RIGHT);
  f.figure = Bordered(book);
  format_set_bold(f.figure);
  format_set_num_format(f.figure, "0.00");
  f.note = Bordered(book);
  return f;
}

bool IsNumberKind(store::FieldKind kind) {
  return kind == store::FieldKind::Integer || kind == store::FieldKind::Float;
}

// Dates before 1900 have no spreadsheet serial number: they stay text.
void WriteValue(lxw_worksheet* sheet, int row, int column, const DocumentValue& value, lxw_format* text,
                lxw_format* date) {
  if (value.kind == store::FieldKind::Date && value.date && value.date->year >= 1900) {
    lxw_datetime when{value.date->year, value.date->month, value.date->day, 0, 0, 0};
    worksheet_write_datetime(sheet, row, column, &when, date);
  } else if (IsNumberKind(value.kind) && value.number) {
    worksheet_write_number(sheet, row, column, *value.number, text);
  } else if (!value.shown.empty()) {
    worksheet_write_string(sheet, row, column, value.shown.c_str(), text);
  } else if (text) {
    worksheet_write_blank(sheet, row, column, text);
  }
}

int WriteFields(lxw_worksheet* sheet, int row, const std::vector<LabelledValue>& items, const Formats& f) {
  for (const LabelledValue& item : items) {
    worksheet_write_string(sheet, row, 0, item.label.c_str(), f.label);
    WriteValue(sheet, row, 1, item.value, nullptr, f.date);
    ++row;
  }
  return row;
}

// The figures are written as the document shows them, not as formulas: a
// spreadsheet rounds halves away from zero, and the workbook must say what
// the PDF says.
void WriteTotals(lxw_worksheet* sheet, int row, const std::vector<TotalRow>& totals, const Formats& f) {
  double tableWidth = 0;
  for (double width : kColumnWidths) tableWidth += width;
  for (const TotalRow& total : totals) {
    if (total.figure.empty()) {
      worksheet_merge_range(sheet, row, 0, row, kTotalColumn, total.label.c_str(), f.note);
      worksheet_set_row(sheet, row, SheetRowHeight::Points(SheetRowHeight::Lines(total.label, tableWidth)),
                        nullptr);
    } else {
      worksheet_merge_range(sheet, row, 0, row, kTotalColumn - 1, total.label.c_str(), f.total);
      worksheet_write_number(sheet, row, kTotalColumn, QuotationTotals::ValueOf(total.figure), f.figure);
    }
    ++row;
  }
}

// Rows whose texts wrap are made tall enough to show them.
void FitRowHeight(lxw_worksheet* sheet, int row, const DocumentLine& line) {
  int lines = 1;
  for (std::size_t c = 0; c < line.size(); ++c)
    if (!line[c].number) lines = std::max(lines, SheetRowHeight::Lines(line[c].shown, kColumnWidths[c]));
  if (lines > 1) worksheet_set_row(sheet, row, SheetRowHeight::Points(lines), nullptr);
}

void WriteTable(lxw_worksheet* sheet, int row, const QuotationDocument& document,
                const std::vector<TotalRow>& totals, const Formats& f) {
  for (std::size_t c = 0; c < kLineColumns.size(); ++c) {
    worksheet_write_string(sheet, row, c, kLineColumns[c].title, f.heading);
    worksheet_set_column(sheet, c, c, kColumnWidths[c], nullptr);
  }
  worksheet_repeat_rows(sheet, row, row);
  ++row;
  for (const DocumentLine& line : document.lines) {
    for (std::size_t c = 0; c < line.size(); ++c) WriteValue(sheet, row, c, line[c], f.cell, f.cellDate);
    FitRowHeight(sheet, row, line);
    ++row;
  }
  WriteTotals(sheet, row, totals, f);
}

// Printed on A4, as wide as one page, as long as it takes.
void SetUpPages(lxw_worksheet* sheet) {
  constexpr uint8_t kA4 = 9;
  worksheet_set_paper(sheet, kA4);
  worksheet_fit_to_pages(sheet, 1, 0);
}

// Why the library could not write the workbook: the system's reason when a
// file operation failed, else the library's own, in Chinese.
QString ReasonOf(lxw_error error, int systemError) {
  switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
      if (systemError != 0) return SystemErrorText(systemError);
      return QStringLiteral("活頁簿的檔案操作失敗");
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
      return SystemErrorText(ENOMEM);
    default:
      return QStringLiteral("活頁簿程式庫錯誤（代碼 %1）").arg(static_cast<int>(error));
  }
}

void WriteBook(const QuotationDocument& document, DocumentFile& file, const std::string& dateFormat) {
  // Worked out before the library holds anything that a throw would leak.
  const std::vector<TotalRow> totals = document.TotalRows();
  lxw_workbook* book = workbook_new(file.TemporaryName().constData());
  if (!book) file.Fail(SystemErrorText(ENOMEM));
  lxw_worksheet* sheet = workbook_add_worksheet(book, QuotationDocument::kTitle);
  const Formats f = MakeFormats(book, dateFormat);
  worksheet_write_string(sheet, 0, 0, QuotationDocument::kTitle, f.title);
  int row = WriteFields(sheet, 2, document.customer, f);
  row = WriteFields(sheet, row, document.header, f);
  WriteTable(sheet, row + 1, document, totals, f);
  SetUpPages(sheet);
  errno = 0;
  const lxw_error error = workbook_close(book);
  const int systemError = errno;
  if (error != LXW_NO_ERROR) file.Fail(ReasonOf(error, systemError));
}

}  // namespace

// The library writes the file by name: it writes the temporary one, which
// DocumentFile then flushes and puts in place.
void XlsxWriter::Write(const QuotationDocument& document, const QString& path, const QString& dateFormat) {
  DocumentFile file(path);
  WriteBook(document, file, SpreadsheetDateFormat(dateFormat));
  file.Commit();
}

std::string XlsxWriter::SpreadsheetDateFormat(const QString& qtFormat) {
  // d, M and y are the date's parts; everything else is shown as it stands,
  // quoted so that no letter or sign takes a meaning of its own.
  std::string result;
  bool quoting = false;
  auto literal = [&](QChar c) {
    if (!quoting) result += '"';
    quoting = true;
    if (c != '"') result += QString(c).toStdString();
  };
  for (int i = 0; i < qtFormat.size(); ++i) {
    const QChar c = qtFormat[i];
    if (c == 'd' || c == 'M' || c == 'y') {
      if (quoting) result += '"';
      quoting = false;
      result += c == 'M' ? 'm' : static_cast<char>(c.unicode());
    } else if (c == '\'') {
      const int end = qtFormat.indexOf('\'', i + 1);
      const QString text = end < 0 ? qtFormat.mid(i + 1) : qtFormat.mid(i + 1, end - i - 1);
      if (text.isEmpty()) literal('\'');
      for (QChar t : text) literal(t);
      i = end < 0 ? qtFormat.size() : end;
    } else {
      literal(c);
    }
  }
  if (quoting) result += '"';
  return result;
}

}  // namespace documents
