#include <QDir>
#include <QIcon>
#include <QTimer>

#include "store/Connection.h"
#include "ui/app/Application.h"
#include "ui/app/DatabaseTarget.h"
#include "windows/AccessImportOffer.h"
#include "windows/MainUnt.h"

namespace {

// The installed theme's icon when there is one, else the renderings built
// into the program from the same drawing.
QIcon ProgramIcon() {
  const QString name = QStringLiteral(SQ_APP_ID);
  QIcon builtIn;
  const QDir sizes(QStringLiteral(":/icons"));
  for (const QString& size : sizes.entryList(QDir::Dirs))
    builtIn.addFile(sizes.filePath(size + '/' + name + ".png"));
  return QIcon::fromTheme(name, builtIn);
}

}  // namespace

int main(int argc, char** argv) {
  ui::Application app(argc, argv);
  // Every window's connection opens the user's database (data.mdb here when none is set).
  store::Connection::SetTarget(ui::DatabaseTarget());
  QGuiApplication::setDesktopFileName(QStringLiteral(SQ_APP_ID));
  QApplication::setWindowIcon(ProgramIcon());
  TMainFrm frame;
  MainFrm = &frame;
  frame.show();
  // An Access data.mdb from the old program is offered for import before any window opens it.
  if (ui::DatabaseTarget().empty())
    QTimer::singleShot(0, &frame, [&frame] { AccessImportOffer::OfferAt(&frame, QStringLiteral("data.mdb")); });
  return app.exec();
}
