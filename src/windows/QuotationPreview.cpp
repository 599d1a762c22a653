#include "windows/QuotationPreview.h"

#include <QAction>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <algorithm>

#include "documents/PdfWriter.h"
#include "documents/QuotationPages.h"
#include "ui/app/FileDialogs.h"
#include "ui/app/Guard.h"
#include "windows/QuotationOutput.h"

namespace {

const QMarginsF kMargins(15, 15, 15, 15);  // millimetres, as in the PDF

}  // namespace

QuotationPreview::QuotationPreview(documents::QuotationDocument document, QWidget* owner)
    : QMainWindow(owner, Qt::Window),
      document_(std::move(document)),
      previewPrinter_(QPrinter::HighResolution) {
  setObjectName("QuotationPreview");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(
      QStringLiteral("報價單 %1 - 預覽列印").arg(QString::fromStdString(document_.quotationNumber)));
  previewPrinter_.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMargins, QPageLayout::Millimeter));
  PreviewWidget = new QPrintPreviewWidget(&previewPrinter_, this);
  PreviewWidget->setObjectName("PreviewWidget");
  setCentralWidget(PreviewWidget);
  BuildToolBar();
  ConnectActions();
  resize(720, 860);
}

// The preview widget reads the printer until it goes: it goes first.
QuotationPreview::~QuotationPreview() { delete PreviewWidget; }

void QuotationPreview::ActPrintClick() {
  // The printer's own page size is kept; only the margins are the document's.
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageMargins(kMargins, QPageLayout::Millimeter);
  printer.setDocName(windowTitle());
  QPrintDialog dialog(&printer, this);
  if (ui::FileDialogs::Exec(dialog)) documents::QuotationPages::Render(document_, printer);
}

void QuotationPreview::ActSavePdfClick() {
  const QString path = ui::FileDialogs::SaveFileName(
      this, QStringLiteral("存成 PDF"), QuotationOutput::DefaultPath(document_.quotationNumber, "pdf"),
      QStringLiteral("PDF 文件 (*.pdf)"));
  if (!path.isEmpty()) documents::PdfWriter::Write(document_, path);
}

int QuotationPreview::PageCount() const { return PreviewWidget->pageCount(); }

QAction* QuotationPreview::AddAction(const char* name, const QString& text) {
  QAction* action = PreviewToolBar->addAction(text);
  action->setObjectName(name);
  return action;
}

void QuotationPreview::BuildToolBar() {
  PreviewToolBar = addToolBar(QStringLiteral("預覽列印"));
  PreviewToolBar->setObjectName("PreviewToolBar");
  PreviewToolBar->setMovable(false);
  PreviewToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  ActPrint = AddAction("ActPrint", QStringLiteral("列印…"));
  ActSavePdf = AddAction("ActSavePdf", QStringLiteral("存成 PDF…"));
  PreviewToolBar->addSeparator();
  ActZoomIn = AddAction("ActZoomIn", QStringLiteral("放大"));
  ActZoomOut = AddAction("ActZoomOut", QStringLiteral("縮小"));
  ActFitWidth = AddAction("ActFitWidth", QStringLiteral("符合寬度"));
  ActFitPage = AddAction("ActFitPage", QStringLiteral("整頁"));
  PreviewToolBar->addSeparator();
  ActFirstPage = AddAction("ActFirstPage", QStringLiteral("第一頁"));
  ActPriorPage = AddAction("ActPriorPage", QStringLiteral("上一頁"));
  PageLabel = new QLabel(PreviewToolBar);
  PageLabel->setObjectName("PageLabel");
  PreviewToolBar->addWidget(PageLabel);
  ActNextPage = AddAction("ActNextPage", QStringLiteral("下一頁"));
  ActLastPage = AddAction("ActLastPage", QStringLiteral("最後一頁"));
  PreviewToolBar->addSeparator();
  ActClose = AddAction("ActClose", QStringLiteral("關閉"));
}

void QuotationPreview::ConnectActions() {
  using ui::Guarded;
  connect(PreviewWidget, &QPrintPreviewWidget::paintRequested, this,
          Guarded([this] { documents::QuotationPages::Render(document_, previewPrinter_); }));
  connect(PreviewWidget, &QPrintPreviewWidget::previewChanged, this, [this] { ShowPageNumber(); });
  connect(ActPrint, &QAction::triggered, this, Guarded([this] { ActPrintClick(); }));
  connect(ActSavePdf, &QAction::triggered, this, Guarded([this] { ActSavePdfClick(); }));
  connect(ActZoomIn, &QAction::triggered, PreviewWidget, [this] { PreviewWidget->zoomIn(); });
  connect(ActZoomOut, &QAction::triggered, PreviewWidget, [this] { PreviewWidget->zoomOut(); });
  connect(ActFitWidth, &QAction::triggered, PreviewWidget, &QPrintPreviewWidget::fitToWidth);
  connect(ActFitPage, &QAction::triggered, PreviewWidget, &QPrintPreviewWidget::fitInView);
  connect(ActFirstPage, &QAction::triggered, this, [this] { MoveToPage(1); });
  connect(ActPriorPage, &QAction::triggered, this, [this] { MoveToPage(PreviewWidget->currentPage() - 1); });
  connect(ActNextPage, &QAction::triggered, this, [this] { MoveToPage(PreviewWidget->currentPage() + 1); });
  connect(ActLastPage, &QAction::triggered, this, [this] { MoveToPage(PageCount()); });
  connect(ActClose, &QAction::triggered, this, &QWidget::close);
}

void QuotationPreview::MoveToPage(int page) {
  PreviewWidget->setCurrentPage(std::clamp(page, 1, std::max(1, PageCount())));
  ShowPageNumber();
}

void QuotationPreview::ShowPageNumber() {
  PageLabel->setText(QStringLiteral(" %1 / %2 ").arg(PreviewWidget->currentPage()).arg(PageCount()));
}
