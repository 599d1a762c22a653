#include "documents/PdfWriter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "documents/DocumentFile.h"
#include "documents/PdfSubsetTags.h"
#include "documents/QuotationPages.h"

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

// The PDF engine does not check its writes: it writes into memory, and the
// file is written and checked as a whole.
void PdfWriter::Write(const QuotationDocument& document, const QString& path) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    SetUp(writer, document);
    QuotationPages::Render(document, writer);
  }
  DocumentFile::Save(path, PdfSubsetTags::Tagged(bytes));
}

}  // namespace documents
