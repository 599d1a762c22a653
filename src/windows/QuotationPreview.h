#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPrinter>

#include "documents/QuotationDocument.h"

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QToolBar;

// The print preview of one quotation, a window of its own owned by the
// quotation window: zoom, page moves, print on a printer chosen in the
// system's dialog (with none installed, the offer to save a PDF instead),
// and "存成 PDF…". It shows the document as it was read. Every button is
// reached by Tab and by its keys; Escape closes it.
class QuotationPreview : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr const char* kNoPrinter = "這台電腦沒有安裝印表機，無法列印。要改為存成 PDF 嗎？";

  QuotationPreview(documents::QuotationDocument document, QWidget* owner);
  ~QuotationPreview() override;

  // Shows the window inside the screen's available area, with the focus.
  void Open();

  void ActPrintClick();
  void ActSavePdfClick();
  int PageCount() const;

  QPrintPreviewWidget* PreviewWidget = nullptr;
  QToolBar* PreviewToolBar = nullptr;
  QAction* ActPrint = nullptr;
  QAction* ActSavePdf = nullptr;
  QAction* ActZoomIn = nullptr;
  QAction* ActZoomOut = nullptr;
  QAction* ActFitWidth = nullptr;
  QAction* ActFitPage = nullptr;
  QAction* ActFirstPage = nullptr;
  QAction* ActPriorPage = nullptr;
  QAction* ActNextPage = nullptr;
  QAction* ActLastPage = nullptr;
  QAction* ActClose = nullptr;
  QLabel* PageLabel = nullptr;

 private:
  QAction* AddAction(const char* name, const QString& text, const QList<QKeySequence>& keys);
  void FitOnScreen();
  void BuildToolBar();
  void ConnectActions();
  void ShowPageNumber();
  void MoveToPage(int page);

  documents::QuotationDocument document_;
  QPrinter previewPrinter_;
};
