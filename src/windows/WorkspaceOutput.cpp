#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QTreeWidget>

#include "documents/IssuedPdf.h"
#include "documents/QuotationReader.h"
#include "documents/XlsxWriter.h"
#include "store/CommandRecordSet.h"
#include "store/DateFormat.h"
#include "store/PriceMemory.h"
#include "store/QuotationRecord.h"
#include "ui/app/FileDialogs.h"
#include "ui/app/Guard.h"
#include "ui/app/Prompts.h"
#include "windows/QuotationLifePanel.h"
#include "windows/QuotationOutput.h"
#include "windows/QuotationPreview.h"
#include "windows/WorkspaceHeaderPanel.h"
#include "windows/WorkspaceLineGrid.h"
#include "windows/WorkspaceUnt.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr const char* kSaveFirst = "這張報價單有尚未儲存的修改：請先儲存（Ctrl+S），再列印或匯出。";
constexpr const char* kNothingStored = "請先在清單中選定一張已儲存的報價單。";

}  // namespace

void TQuotationWorkspace::ConnectPriceMemory() {
  connect(PriceMemoryList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    ui::Guard([&] { TakePrice(PriceMemoryList->indexOfTopLevelItem(item)); });
  });
  connect(PriceMemoryList, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    ui::Guard([&] { TakePrice(PriceMemoryList->indexOfTopLevelItem(item)); });
  });
  // From the product's cell too: the highlighted entry, else the first.
  new QShortcut(
      QKeySequence(Qt::Key_F8), this,
      [this] {
        const int highlighted = PriceMemoryList->indexOfTopLevelItem(PriceMemoryList->currentItem());
        ui::Guard([&] { TakePrice(highlighted < 0 ? 0 : highlighted); });
      },
      Qt::WidgetWithChildrenShortcut);
}

void TQuotationWorkspace::RecallPrices(int row, const QString& typed) {
  PriceMemoryList->clear();
  priceRow_ = row;
  const std::string custNo = HeaderPanel->CustomerBox->text().trimmed().toStdString();
  const store::DateFormat& dates = store::DateFormat::Current();
  for (const store::RememberedPrice& p :
       store::PriceMemory(connection_).Recall(custNo, typed.trimmed().toStdString())) {
    auto* item = new QTreeWidgetItem(
        PriceMemoryList, {p.sameCustomer ? QStringLiteral("本客戶") : Q(p.custNo), Q(dates.ToDisplay(p.date)),
                          Q(p.number), Q(p.spec), Q(p.amount), Q(p.price)});
    item->setToolTip(0, Q(p.product));
  }
}

void TQuotationWorkspace::TakePrice(int entry) {
  QTreeWidgetItem* item = PriceMemoryList->topLevelItem(entry);
  if (!item || priceRow_ < 0 || priceRow_ >= LineGrid->rowCount()) return;
  const QString price = item->text(5);
  LineGrid->SetCell(priceRow_, WorkspaceLineGrid::Price, price);
  Say(QStringLiteral("第 %1 行帶入單價 %2（報價單 %3）。").arg(priceRow_ + 1).arg(price, item->text(2)));
}

// The stored quotation, read as the documents read a header set's current row.
std::optional<documents::QuotationDocument> TQuotationWorkspace::Document() {
  if (!record_.Stored()) {
    ui::Prompts::Notice(this, QString::fromUtf8(kNothingStored));
    return std::nullopt;
  }
  if (Unsaved()) {
    ui::Prompts::Notice(this, QString::fromUtf8(kSaveFirst));
    return std::nullopt;
  }
  store::CommandRecordSet header(connection_, "WorkspaceDocument");
  header.SetCommandText("select * from Quomaster where Cust_no = :c and quotation_number = :q");
  header.Params().Set("c", record_.Loaded().custNo);
  header.Params().Set("q", record_.Loaded().number);
  header.Open();
  return documents::QuotationReader::Read(header);
}

QString TQuotationWorkspace::ExportPath(const QString& caption, const QString& suffix,
                                        const QString& filter) {
  return ui::FileDialogs::SaveFileName(this, caption,
                                       QuotationOutput::DefaultPath(record_.Loaded().number, suffix), filter);
}

// Print, PDF and Excel put out the issued copy: a draft is issued first.
void TQuotationWorkspace::ActPrintClick() {
  if (std::optional<documents::QuotationDocument> document = IssuedDocument()) {
    auto* preview = new QuotationPreview(std::move(*document), this);
    preview->show();
  }
}

// The PDF is the issued copy's own bytes, the very file the customer got.
void TQuotationWorkspace::ActPdfClick() {
  if (!Document()) return;
  const std::optional<store::life::IssuedCopy> issued = LifePanel->IssuedForOutput();
  if (!issued) return;
  const QString path = ui::FileDialogs::SaveFileName(
      this, QStringLiteral("存成 PDF"), QuotationOutput::DefaultPath(issued->number, QStringLiteral("pdf")),
      QStringLiteral("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  documents::IssuedPdf::Save(issued->pdf, path);
  Say(QStringLiteral("已存成 PDF：%1（發出的 %2）").arg(path, Q(issued->number)));
}

void TQuotationWorkspace::ActExcelClick() {
  std::optional<documents::QuotationDocument> document = IssuedDocument();
  if (!document) return;
  const QString path = ExportPath(QStringLiteral("匯出 Excel"), QStringLiteral("xlsx"),
                                  QStringLiteral("Excel 活頁簿 (*.xlsx)"));
  if (path.isEmpty()) return;
  documents::XlsxWriter::Write(*document, path, QuotationOutput::WindowDateFormat());
  Say(QStringLiteral("已匯出 Excel：%1").arg(path));
}
