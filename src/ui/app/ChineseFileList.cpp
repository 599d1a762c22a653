#include "ui/app/ChineseFileList.h"

#include <QDateTime>
#include <QFileSystemModel>

namespace ui {

namespace {

// The columns of Qt's file system model.
enum Column { Name, Size, Type, Modified, Columns };

QString SizeText(qint64 bytes) {
  const QLocale taiwan = ChineseFileList::Taiwan();
  if (bytes < 1024) return taiwan.toString(bytes) + QStringLiteral(" 位元組");
  return taiwan.formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

}  // namespace

QVariant ChineseFileList::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (!files || role != Qt::DisplayRole || index.column() == Name || index.column() >= Columns)
    return QIdentityProxyModel::data(index, role);
  return Text(*files, mapToSource(index), index.column());
}

QString ChineseFileList::Text(const QFileSystemModel& files, const QModelIndex& file, int column) const {
  const bool folder = files.isDir(file);
  switch (column) {
    case Size:
      return folder ? QString() : SizeText(files.size(file));
    case Type: {
      if (folder) return QStringLiteral("資料夾");
      const QString suffix = files.fileInfo(file).suffix().toUpper();
      return suffix.isEmpty() ? QStringLiteral("檔案") : suffix + QStringLiteral(" 檔案");
    }
    default:
      return Taiwan().toString(files.lastModified(file), QStringLiteral("yyyy/MM/dd HH:mm"));
  }
}

QVariant ChineseFileList::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kTitles[Columns] = {"名稱", "大小", "類型", "修改日期"};
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Columns)
    return QIdentityProxyModel::headerData(section, orientation, role);
  return QString::fromUtf8(kTitles[section]);
}

}  // namespace ui
