#include "support/JetFiles.h"

#include <QFile>
#include <QJsonDocument>
#include <filesystem>

#include "store/FieldValue.h"

namespace jetfiles {

std::string Dir(std::string* why) {
  std::error_code error;
  if (std::filesystem::is_regular_file(std::string(SQ_JET_DIR) + "/expected.json", error)) return SQ_JET_DIR;
  if (why) *why = std::string("no expected.json in ") + SQ_JET_DIR;
  return "";
}

std::string Path(const std::string& file) { return std::string(SQ_JET_DIR) + "/" + file; }

QJsonObject ExpectedTables(const std::string& file) {
  static const QJsonObject files = [] {
    QFile json(QString::fromStdString(Path("expected.json")));
    json.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(json.readAll()).object()["files"].toObject();
  }();
  return files[QString::fromStdString(file)].toObject()["tables"].toObject();
}

std::optional<std::string> ReaderText(const QJsonValue& value, const QString& type) {
  if (value.isNull()) return std::nullopt;
  if (value.isBool()) return value.toBool() ? "1" : "0";
  if (type == "Double") return store::FormatDouble(value.toDouble());
  if (value.isDouble()) return std::to_string(value.toInteger());
  return value.toString().toStdString();
}

}  // namespace jetfiles
