#include "documents/IssuedPdf.h"

#include <QFile>
#include <QTemporaryDir>

#include "documents/DocumentFile.h"
#include "documents/PdfWriter.h"
#include "documents/WriteFailure.h"

namespace documents {

std::string IssuedPdf::Make(const QuotationDocument& document) {
  QTemporaryDir folder;
  if (!folder.isValid()) throw WriteFailure(DocumentFile::FailureText(folder.path(), folder.errorString()));
  const QString path = folder.filePath("issued.pdf");
  PdfWriter::Write(document, path);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw WriteFailure(DocumentFile::FailureText(path, file.errorString()));
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void IssuedPdf::PrintAs(QuotationDocument& document, const std::string& number) {
  for (LabelledValue& field : document.header)
    if (field.label == "報價單號") field.value = DocumentValue::Text(number);
  document.quotationNumber = number;
}

void IssuedPdf::Save(const std::string& bytes, const QString& path) {
  DocumentFile::Save(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace documents
