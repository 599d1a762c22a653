#pragma once

#include <QIdentityProxyModel>
#include <QLocale>

class QFileSystemModel;

namespace ui {

// The file dialog's list in Chinese: Qt writes its sizes and dates in the
// system's language and names a folder "Folder" where no translation has it.
// Dates are written as in Taiwan, "2026/12/11 16:49" (the locale's own short
// format asks for a day period Qt cannot write).
class ChineseFileList : public QIdentityProxyModel {
  Q_OBJECT
 public:
  explicit ChineseFileList(QObject* parent = nullptr) : QIdentityProxyModel(parent) {}

  static QLocale Taiwan() {
    return QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan);
  }

  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString Text(const QFileSystemModel& files, const QModelIndex& file, int column) const;
};

}  // namespace ui
