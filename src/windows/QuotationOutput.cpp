#include "windows/QuotationOutput.h"

#include <QDir>
#include <QStandardPaths>

#include "documents/MissingData.h"
#include "documents/QuotationReader.h"
#include "documents/XlsxWriter.h"
#include "ui/app/FileDialogs.h"
#include "ui/app/LocaleDateFormat.h"
#include "ui/app/Prompts.h"
#include "ui/data/PendingRow.h"
#include "windows/QuotationPreview.h"
#include "windows/QuotationUnt.h"

void QuotationOutput::Preview(TQuotation& window) {
  if (auto document = CurrentQuotation(window)) (new QuotationPreview(std::move(*document), &window))->Open();
}

void QuotationOutput::SaveWorkbook(TQuotation& window) {
  const auto document = CurrentQuotation(window);
  if (!document) return;
  const QString path = ui::FileDialogs::SaveFileName(&window, QStringLiteral("匯出 Excel"),
                                                     DefaultPath(document->quotationNumber, "xlsx"),
                                                     QStringLiteral("Excel 活頁簿 (*.xlsx)"));
  if (!path.isEmpty()) documents::XlsxWriter::Write(*document, path, WindowDateFormat());
}

QString QuotationOutput::DefaultPath(const std::string& quotationNumber, const QString& suffix) {
  QString name = QString::fromStdString(quotationNumber).trimmed();
  static const QString kNotInNames = QStringLiteral("/\\:*?\"<>|");
  for (QChar& c : name)
    if (kNotInNames.contains(c) || c.unicode() < 32) c = '_';
  if (name.isEmpty() || name.startsWith('.'))
    name.prepend(QString::fromUtf8(documents::QuotationDocument::kTitle));
  // A documents folder that was never made would send the dialog to the working folder.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QDir folder(!documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath());
  return folder.filePath(name + '.' + suffix);
}

QString QuotationOutput::WindowDateFormat() {
  const auto* format = dynamic_cast<const ui::LocaleDateFormat*>(&store::DateFormat::Current());
  return format ? format->DisplayFormat() : QStringLiteral("yyyy-MM-dd");
}

std::optional<documents::QuotationDocument> QuotationOutput::CurrentQuotation(TQuotation& window) {
  if (!ui::ResolvePendingRows(&window, {&window.ADODataSetDilate, &window.ADODataSetMaster}))
    return std::nullopt;
  try {
    return documents::QuotationReader::Read(window.ADODataSetMaster);
  } catch (const documents::MissingData& missing) {
    ui::Prompts::Notice(&window, QString::fromUtf8(missing.what()));
    return std::nullopt;
  }
}
