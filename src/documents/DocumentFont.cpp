#include "documents/DocumentFont.h"

#include <QFile>
#include <QFontDatabase>

#include "documents/WriteFailure.h"

namespace documents {

namespace {

QString LoadFirstFamily() {
  for (const QString& file : DocumentFont::CandidateFiles()) {
    if (!QFile::exists(file)) continue;
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) return families.first();
  }
  return {};
}

}  // namespace

const QStringList& DocumentFont::CandidateFiles() {
  // TrueType outlines: Qt embeds these as subsets (fonts-wqy-zenhei, fonts-wqy-microhei).
  static const QStringList files{QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"),
                                 QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc")};
  return files;
}

QString DocumentFont::Family() {
  static const QString family = LoadFirstFamily();
  if (family.isEmpty())
    throw WriteFailure(
        ("找不到中文字型檔，無法製作文件：" + CandidateFiles().join(QStringLiteral("、"))).toStdString());
  return family;
}

}  // namespace documents
