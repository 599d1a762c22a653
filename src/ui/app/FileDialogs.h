#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

namespace ui {

// A save dialog as it was asked for.
struct FileRequest {
  QString caption;
  QString defaultPath;
  QString filter;
};

// The system's file and printer dialogs go through here, so tests can answer
// them as Prompts answers message boxes.
class FileDialogs {
 public:
  // The file the user names to save under; empty when cancelled. A name typed
  // without a suffix gets the one of `filter` ("PDF 文件 (*.pdf)": ".pdf").
  static QString SaveFileName(QWidget* parent, const QString& caption, const QString& defaultPath,
                              const QString& filter);
  // Runs a modal dialog (the printer's); true when the user accepted it.
  static bool Exec(QDialog& dialog);
  // Whether a printer is installed: `systemSays`, unless a test says otherwise.
  static bool PrinterInstalled(bool systemSays);
  // "pdf" of "PDF 文件 (*.pdf)"; empty when the filter names none.
  static QString SuffixOf(const QString& filter);

  // Test seam: while responders are installed no dialog is shown; save
  // requests are recorded and answered, modal dialogs are counted and answered.
  using SaveResponder = std::function<QString(const FileRequest&)>;
  using DialogResponder = std::function<bool(QDialog&)>;
  static void SetResponders(SaveResponder save, DialogResponder dialog);
  static void SetPrinterInstalled(std::optional<bool> installed);  // cleared with the responders
  static void ClearResponders();
  static const std::vector<FileRequest>& Recorded();
  static int DialogsShown();
  static void ClearRecorded();
};

}  // namespace ui
