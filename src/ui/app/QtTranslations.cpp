#include "ui/app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ui {

bool InstallQtTranslations() {
  static const char* const kCatalogue = "qtbase_zh_TW";
  auto* translator = new QTranslator(QCoreApplication::instance());
  const bool loaded =
      translator->load(QString::fromLatin1(kCatalogue), QStringLiteral(":/i18n")) ||
      translator->load(QString::fromLatin1(kCatalogue), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (loaded && QCoreApplication::installTranslator(translator)) return true;
  delete translator;
  return false;
}

}  // namespace ui
