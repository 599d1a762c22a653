#include "ui/app/ChineseFileDialog.h"

#include "ui/app/ChineseFileList.h"

namespace ui {

ChineseFileDialog::ChineseFileDialog(QWidget* parent, const QString& caption, const QString& directory,
                                     const QString& filter, AcceptMode mode)
    : QFileDialog(parent, caption, directory, filter) {
  setOption(QFileDialog::DontUseNativeDialog);
  setLocale(ChineseFileList::Taiwan());
  setAcceptMode(mode);
  setLabelText(QFileDialog::LookIn, QStringLiteral("查詢位置："));
  setLabelText(QFileDialog::FileName, QStringLiteral("檔案名稱："));
  setLabelText(QFileDialog::FileType, QStringLiteral("檔案類型："));
  setLabelText(QFileDialog::Accept, mode == AcceptSave ? QStringLiteral("儲存") : QStringLiteral("開啟"));
  setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
  setProxyModel(new ChineseFileList(this));
}

QString ChineseFileDialog::SaveFileName(QWidget* parent, const QString& caption, const QString& defaultPath,
                                        const QString& filter) {
  ChineseFileDialog dialog(parent, caption, defaultPath, filter, AcceptSave);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace ui
