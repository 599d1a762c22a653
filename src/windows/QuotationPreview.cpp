#include "windows/QuotationPreview.h"

#include <QAction>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

#include "documents/PdfWriter.h"
#include "documents/QuotationPages.h"
#include "ui/app/FileDialogs.h"
#include "ui/app/FrameOnScreen.h"
#include "ui/app/Guard.h"
#include "ui/app/Prompts.h"
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

void QuotationPreview::Open() {
  show();
  FitOnScreen();
  raise();
  activateWindow();
  PreviewToolBar->widgetForAction(ActPrint)->setFocus();
}

// A window manager may frame the window only after it is shown: until then
// the owner's frame stands in for its size.
void QuotationPreview::FitOnScreen() {
  QSize margins = frameGeometry().size() - size();
  if (margins.isNull() && parentWidget())
    margins = parentWidget()->window()->frameGeometry().size() - parentWidget()->window()->size();
  const QRect frame(frameGeometry().topLeft(), size() + margins);
  const QRect placed = ui::FrameOnScreen(frame, screen()->availableGeometry());
  if (placed == frame) return;
  resize(placed.size() - margins);
  move(placed.topLeft());
}

// The preview widget reads the printer until it goes: it goes first.
QuotationPreview::~QuotationPreview() { delete PreviewWidget; }

// Without a printer Qt would print silently into a PDF named after the window.
void QuotationPreview::ActPrintClick() {
  if (!ui::FileDialogs::PrinterInstalled(!QPrinterInfo::availablePrinterNames().isEmpty())) {
    if (ui::Prompts::Confirm(this, QString::fromUtf8(kNoPrinter))) ActSavePdfClick();
    return;
  }
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

// Every button has keys, shown in its tooltip, and takes the focus by Tab.
QAction* QuotationPreview::AddAction(const char* name, const QString& text, const QList<QKeySequence>& keys) {
  QAction* action = PreviewToolBar->addAction(text);
  action->setObjectName(name);
  action->setShortcuts(keys);
  action->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(QStringLiteral("…")),
                                                   keys.first().toString(QKeySequence::NativeText)));
  PreviewToolBar->widgetForAction(action)->setFocusPolicy(Qt::StrongFocus);
  return action;
}

void QuotationPreview::BuildToolBar() {
  PreviewToolBar = addToolBar(QStringLiteral("預覽列印"));
  PreviewToolBar->setObjectName("PreviewToolBar");
  PreviewToolBar->setMovable(false);
  PreviewToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  ActPrint = AddAction("ActPrint", QStringLiteral("列印…"), {QKeySequence::Print});
  ActSavePdf = AddAction("ActSavePdf", QStringLiteral("存成 PDF…"), {QKeySequence::Save});
  PreviewToolBar->addSeparator();
  ActZoomIn =
      AddAction("ActZoomIn", QStringLiteral("放大"), {QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Equal});
  ActZoomOut = AddAction("ActZoomOut", QStringLiteral("縮小"), {QKeySequence::ZoomOut});
  ActFitWidth = AddAction("ActFitWidth", QStringLiteral("符合寬度"), {Qt::CTRL | Qt::Key_1});
  ActFitPage = AddAction("ActFitPage", QStringLiteral("整頁"), {Qt::CTRL | Qt::Key_0});
  PreviewToolBar->addSeparator();
  ActFirstPage = AddAction("ActFirstPage", QStringLiteral("第一頁"), {Qt::Key_Home});
  ActPriorPage = AddAction("ActPriorPage", QStringLiteral("上一頁"), {Qt::Key_PageUp});
  PageLabel = new QLabel(PreviewToolBar);
  PageLabel->setObjectName("PageLabel");
  PreviewToolBar->addWidget(PageLabel);
  ActNextPage = AddAction("ActNextPage", QStringLiteral("下一頁"), {Qt::Key_PageDown});
  ActLastPage = AddAction("ActLastPage", QStringLiteral("最後一頁"), {Qt::Key_End});
  PreviewToolBar->addSeparator();
  ActClose = AddAction("ActClose", QStringLiteral("關閉"), {Qt::Key_Escape});
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
