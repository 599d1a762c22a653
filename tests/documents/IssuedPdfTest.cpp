// An issued revision's PDF: its number printed in the header, and
// the stored bytes written back unchanged.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "DocumentFixture.h"
#include "documents/IssuedPdf.h"

using documents::IssuedPdf;

TEST_F(DocumentFixture, AnIssuedRevisionIsPrintedUnderItsNumberAndSavedByteForByte) {
  REQUIRE_TOOL("pdftotext");
  SeedLines(2);
  documents::QuotationDocument document = Read();
  IssuedPdf::PrintAs(document, "Q1-R2");
  const std::string bytes = IssuedPdf::Make(document);
  ASSERT_TRUE(bytes.starts_with("%PDF-"));
  const QString path = OutputPath("Q1-R2.pdf");
  IssuedPdf::Save(bytes, path);
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll().toStdString(), bytes);
  const QString text = QString::fromUtf8(RunTool("pdftotext", {"-layout", path, "-"}).value_or(""));
  const qsizetype label = text.indexOf("報價單號");
  ASSERT_GE(label, 0);
  EXPECT_TRUE(text.mid(label).section('\n', 0, 0).contains("Q1-R2")) << text.toStdString();
  // Nowhere does the bare number of the first revision remain.
  EXPECT_FALSE(text.contains(QRegularExpression("Q1(?!-R2)"))) << text.toStdString();
}
