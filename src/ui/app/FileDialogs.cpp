#include "ui/app/FileDialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>

#include "ui/app/ChineseFileDialog.h"
#include "ui/app/Headless.h"

namespace ui {

namespace {

struct Seam {
  FileDialogs::SaveResponder save;
  FileDialogs::DialogResponder dialog;
  std::optional<bool> printerInstalled;
  std::vector<FileRequest> requests;
  int dialogs = 0;
};

Seam& TheSeam() {
  static Seam seam;
  return seam;
}

QString WithSuffix(const QString& path, const QString& suffix) {
  if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + '.' + suffix;
}

// The dialog adds the suffix itself, before it asks whether to replace a file.
QString AskForSaveName(QWidget* parent, const QString& caption, const QString& defaultPath,
                       const QString& filter) {
  ChineseFileDialog dialog(parent, caption, defaultPath, filter, QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(FileDialogs::SuffixOf(filter));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

QString FileDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& defaultPath,
                                  const QString& filter) {
  Seam& seam = TheSeam();
  const FileRequest request{caption, defaultPath, filter};
  // Without a screen nobody could answer: the dialog counts as cancelled.
  if (seam.save || Headless()) {
    seam.requests.push_back(request);
    if (seam.save) return WithSuffix(seam.save(request), SuffixOf(filter));
    qWarning().noquote() << "unanswered save dialog:" << caption << defaultPath;
    return {};
  }
  return WithSuffix(AskForSaveName(parent, caption, defaultPath, filter), SuffixOf(filter));
}

QString FileDialogs::SuffixOf(const QString& filter) {
  static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
  return pattern.match(filter).captured(1);
}

bool FileDialogs::PrinterInstalled(bool systemSays) {
  return TheSeam().printerInstalled.value_or(systemSays);
}

void FileDialogs::SetPrinterInstalled(std::optional<bool> installed) {
  TheSeam().printerInstalled = installed;
}

bool FileDialogs::Exec(QDialog& dialog) {
  Seam& seam = TheSeam();
  if (seam.dialog || Headless()) {
    ++seam.dialogs;
    if (seam.dialog) return seam.dialog(dialog);
    qWarning().noquote() << "unanswered dialog:" << dialog.windowTitle();
    return false;
  }
  return dialog.exec() == QDialog::Accepted;
}

void FileDialogs::SetResponders(SaveResponder save, DialogResponder dialog) {
  TheSeam().save = std::move(save);
  TheSeam().dialog = std::move(dialog);
}

void FileDialogs::ClearResponders() {
  SetResponders(nullptr, nullptr);
  SetPrinterInstalled(std::nullopt);
}

const std::vector<FileRequest>& FileDialogs::Recorded() { return TheSeam().requests; }

int FileDialogs::DialogsShown() { return TheSeam().dialogs; }

void FileDialogs::ClearRecorded() {
  TheSeam().requests.clear();
  TheSeam().dialogs = 0;
}

}  // namespace ui
