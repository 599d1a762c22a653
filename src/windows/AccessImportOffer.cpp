#include "windows/AccessImportOffer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include "store/Backend.h"
#include "store/Schema.h"
#include "store/Stores.h"
#include "store/StoreError.h"
#include "store/TargetDatabase.h"
#include "store/jet/AccessImport.h"
#include "ui/app/Prompts.h"

namespace {

using ui::Prompts;

constexpr int kShownWarnings = 15;
constexpr int kProgressSteps = 1000;

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

QString Offer() {
  return QStringLiteral(
      "data.mdb 是 Access 資料庫（舊版程式的資料檔），本程式不能直接開啟。\n\n"
      "要把其中的客戶、報價單和報價明細匯入成本程式的資料庫嗎？\n"
      "原檔不會被修改或刪除，會改名保留在同一個資料夾。");
}

QString NotImported(const QString& what) {
  return what + QStringLiteral(
                    "\n\ndata.mdb 沒有任何變動，仍是 Access 資料庫，資料視窗無法開啟它。\n"
                    "要匯入時請重新啟動本程式並選「是」，或在命令列執行\n"
                    "samplequote-db import data.mdb 新檔.mdb\n"
                    "再把原檔改名保留、新檔改名為 data.mdb。");
}

QString TableTitle(const std::string& table) {
  if (table == "customer") return QStringLiteral("客戶");
  if (table == "Quomaster") return QStringLiteral("報價單");
  return QStringLiteral("報價明細");
}

QString SummaryText(const store::jet::ImportSummary& summary, const QString& kept) {
  QStringList counts;
  for (const auto& [table, rows] : summary.tables) counts << TableTitle(table) + QString(" %1 筆").arg(rows);
  QString text = QStringLiteral("Access 資料庫（%1）已匯入：%2。\n原檔保留為「%3」。")
                     .arg(FromUtf8(summary.format), counts.join(QStringLiteral("、")), QFileInfo(kept).fileName());
  if (summary.warnings.empty()) return text;
  const int count = static_cast<int>(summary.warnings.size());
  text += QStringLiteral("\n\n請留意（%1 項）：").arg(count);
  for (int i = 0; i < std::min(count, kShownWarnings); ++i) text += "\n" + FromUtf8(summary.warnings[i]);
  if (count > kShownWarnings)
    text += QStringLiteral("\n……其餘 %1 項：完整清單可用 samplequote-db import 匯入原檔時看到。").arg(count - kShownWarnings);
  return text;
}

// A name in the folder that nothing has yet.
QString FreeName(const QDir& dir, const QString& stem, const QString& suffix) {
  for (int n = 1;; ++n) {
    const QString name = stem + (n > 1 ? QString("-%1").arg(n) : QString()) + suffix;
    if (!dir.exists(name)) return dir.filePath(name);
  }
}

store::jet::ImportSummary Import(QWidget* parent, const QString& source, const QString& target) {
  QProgressDialog progress(QStringLiteral("正在匯入 Access 資料庫……"), QStringLiteral("取消"), 0, kProgressSteps,
                           parent);
  progress.setObjectName(AccessImportOffer::kProgressName);
  progress.setWindowTitle(QString::fromUtf8(Prompts::kTitle));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.show();
  store::jet::ImportOptions options;
  options.progress = [&progress](const store::jet::ImportProgress& step) {
    progress.setLabelText(QStringLiteral("正在匯入 %1：已讀 %2 / %3 筆")
                              .arg(TableTitle(step.table))
                              .arg(step.rows)
                              .arg(step.total));
    progress.setValue(step.total ? static_cast<int>(step.rows * kProgressSteps / step.total) : 0);
    QCoreApplication::processEvents();  // the Cancel button, and a window that keeps painting
    return !progress.wasCanceled();
  };
  return store::jet::ImportAccessDatabase(source.toStdString(), target.toStdString(), options);
}

// The new file is whole and holds what was imported. Opened for writing last,
// so that closing it folds SQLite's journal back into the file.
void Check(const std::string& path, const store::jet::ImportSummary& summary) {
  store::CheckDatabase(path);
  const std::unique_ptr<store::Backend> database = store::OpenStore(path);
  for (const auto& [table, rows] : summary.tables)
    if (store::ReadTable(*database, table).rows->Size() != rows)
      throw store::StoreError("The imported table " + table + " does not hold the rows imported");
}

// Keeps the original under a name that says what it is, then gives the new file its name.
QString PutInPlace(const QString& path, const QString& imported) {
  const QFileInfo info(path);
  const QString kept = FreeName(info.dir(), info.completeBaseName() + QStringLiteral("-Access原檔"),
                                info.suffix().isEmpty() ? QString() : "." + info.suffix());
  if (!QFile::rename(path, kept))
    throw store::StoreError("Cannot rename '" + path.toStdString() + "' to '" + kept.toStdString() + "'");
  if (!QFile::rename(imported, path)) {
    QFile::rename(kept, path);
    throw store::StoreError("Cannot rename '" + imported.toStdString() + "' to '" + path.toStdString() + "'");
  }
  // A journal SQLite left beside the new file belongs to it.
  for (const char* suffix : {"-wal", "-shm"})
    if (QFile::exists(imported + suffix)) QFile::rename(imported + suffix, path + suffix);
  return kept;
}

}  // namespace

bool AccessImportOffer::OfferAt(QWidget* parent, const QString& path) {
  if (!store::jet::IsAccessFile(path.toStdString())) return false;
  if (!Prompts::AskYesNo(parent, Offer())) {
    Prompts::Notice(parent, NotImported(QStringLiteral("沒有匯入。")));
    return false;
  }
  const QFileInfo info(path);
  const QString imported = FreeName(info.dir(), info.completeBaseName() + QStringLiteral("-匯入中"), ".tmp");
  try {
    const store::jet::ImportSummary summary = Import(parent, path, imported);
    Check(imported.toStdString(), summary);
    Prompts::Notice(parent, SummaryText(summary, PutInPlace(path, imported)));
    return true;
  } catch (const store::jet::ImportCancelled&) {
    Prompts::Notice(parent, NotImported(QStringLiteral("匯入已取消。")));
  } catch (const store::StoreError& error) {
    Prompts::Error(parent, FromUtf8(error.what()));
    Prompts::Notice(parent, NotImported(QStringLiteral("匯入沒有完成。")));
  }
  store::RemoveMadeFile(imported.toStdString());
  return false;
}
