#include "ui/app/MailLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrlQuery>

namespace ui {

namespace {

MailLauncher::Starter& TestStarter() {
  static MailLauncher::Starter starter;
  return starter;
}

MailLauncher::Opener& TestOpener() {
  static MailLauncher::Opener opener;
  return opener;
}

bool Start(const QString& program, const QStringList& arguments) {
  if (TestStarter()) return TestStarter()(program, arguments);
  if (QStandardPaths::findExecutable(program).isEmpty()) return false;
  return QProcess::startDetached(program, arguments);
}

bool Open(const QUrl& url) { return TestOpener() ? TestOpener()(url) : QDesktopServices::openUrl(url); }

QUrl MailTo(const MailLauncher::Message& message) {
  QUrl url;
  url.setScheme("mailto");
  url.setPath(message.address);
  QUrlQuery query;
  query.addQueryItem("subject", message.subject);
  url.setQuery(query);
  return url;
}

}  // namespace

MailLauncher::Way MailLauncher::Send(const Message& message) {
  QStringList arguments{"--utf8", "--subject", message.subject, "--attach", message.attachment};
  if (!message.address.isEmpty()) arguments << message.address;
  if (Start("xdg-email", arguments)) return Way::Attached;
  Open(QUrl::fromLocalFile(QFileInfo(message.attachment).absolutePath()));
  Open(MailTo(message));
  return Way::FolderAndLink;
}

void MailLauncher::SetDesktop(Starter starter, Opener opener) {
  TestStarter() = std::move(starter);
  TestOpener() = std::move(opener);
}

void MailLauncher::ClearDesktop() { SetDesktop({}, {}); }

}  // namespace ui
