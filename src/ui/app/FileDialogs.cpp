#include "ui/app/FileDialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QtDebug>

#include "ui/app/ChineseFileDialog.h"
#include "ui/app/Headless.h"

namespace ui {

namespace {

struct Seam {
  FileDialogs::SaveResponder save;
  FileDialogs::DialogResponder dialog;
  std::vector<FileRequest> requests;
  int dialogs = 0;
};

Seam& TheSeam() {
  static Seam seam;
  return seam;
}

}  // namespace

QString FileDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& defaultPath,
                                  const QString& filter) {
  Seam& seam = TheSeam();
  const FileRequest request{caption, defaultPath, filter};
  // Without a screen nobody could answer: the dialog counts as cancelled.
  if (seam.save || Headless()) {
    seam.requests.push_back(request);
    if (seam.save) return seam.save(request);
    qWarning().noquote() << "unanswered save dialog:" << caption << defaultPath;
    return {};
  }
  return ChineseFileDialog::SaveFileName(parent, caption, defaultPath, filter);
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

void FileDialogs::ClearResponders() { SetResponders(nullptr, nullptr); }

const std::vector<FileRequest>& FileDialogs::Recorded() { return TheSeam().requests; }

int FileDialogs::DialogsShown() { return TheSeam().dialogs; }

void FileDialogs::ClearRecorded() {
  TheSeam().requests.clear();
  TheSeam().dialogs = 0;
}

}  // namespace ui
