#pragma once

#include <QMainWindow>
#include <QPrinter>

#include "documents/QuotationDocument.h"

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QToolBar;

// The print preview of one quotation, a window of its own owned by the
// quotation window: zoom, page moves, print on a printer chosen in the
// system's dialog, and "存成 PDF…". It shows the document as it was read.
class QuotationPreview : public QMainWindow {
  Q_OBJECT
 public:
  QuotationPreview(documents::QuotationDocument document, QWidget* owner);
  ~QuotationPreview() override;

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
  QAction* AddAction(const char* name, const QString& text);
  void BuildToolBar();
  void ConnectActions();
  void ShowPageNumber();
  void MoveToPage(int page);

  documents::QuotationDocument document_;
  QPrinter previewPrinter_;
};
