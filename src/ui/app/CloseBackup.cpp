#include "ui/app/CloseBackup.h"

#include <QDate>
#include <QSettings>
#include <filesystem>

#include "store/Connection.h"
#include "store/DatabaseBackup.h"
#include "store/StoreError.h"
#include "store/StoreType.h"
#include "store/Stores.h"
#include "ui/app/Prompts.h"

namespace ui {

namespace {

bool DailyBackupsOn() {
  QSettings settings("samplequote", "samplequote");
  return settings.value("dailyBackups", true).toBool();
}

// The file the windows open: the user's target, else the designed data source.
std::string DatabaseFile() {
  store::Connection connection;
  connection.SetConnectionString(store::kReadWriteConnectionString);
  return connection.Source();
}

}  // namespace

void MakeCloseBackup(QWidget* parent) {
  if (!DailyBackupsOn()) return;
  const std::string file = DatabaseFile();
  std::error_code error;
  if (!store::StoreFor(file).KeepsCopiesBeside() || !std::filesystem::is_regular_file(file, error)) return;
  try {
    store::MakeDailyBackup(file, QDate::currentDate().toString(Qt::ISODate).toStdString());
  } catch (const store::StoreError& failure) {
    Prompts::Notice(parent, QStringLiteral("今天的資料庫備份沒有做成，程式照樣關閉：") +
                                QString::fromStdString(failure.what()));
  }
}

}  // namespace ui
