#include "documents/PdfWriter.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include "documents/QuotationPages.h"
#include "documents/WriteFailure.h"

namespace documents {

namespace {

constexpr int kResolution = 300;

void SetUp(QPdfWriter& writer, const QuotationDocument& document) {
  writer.setResolution(kResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                   QPageLayout::Millimeter));
  writer.setTitle(QString::fromUtf8(QuotationDocument::kTitle) + ' ' +
                  QString::fromStdString(document.quotationNumber));
  writer.setCreator(QStringLiteral("樣品報價系統"));
}

}  // namespace

std::string WriteFailureText(const QString& path, const QString& reason) {
  return QStringLiteral("無法寫入檔案「%1」：%2").arg(QDir::toNativeSeparators(path), reason).toStdString();
}

void PdfWriter::Write(const QuotationDocument& document, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw WriteFailure(WriteFailureText(path, file.errorString()));
  {
    QPdfWriter writer(&file);
    SetUp(writer, document);
    QuotationPages::Render(document, writer);
  }
  if (!file.commit()) throw WriteFailure(WriteFailureText(path, file.errorString()));
}

}  // namespace documents
