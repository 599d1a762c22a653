#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace ui {

// Opens the user's mail program with a new message, through the desktop:
// `xdg-email --attach` where the desktop has it; otherwise the attachment's
// folder is opened, so that the file can be dragged in, and a mailto: link
// starts the message.
class MailLauncher {
 public:
  struct Message {
    QString address;
    QString subject;
    QString attachment;  // a file path
  };
  enum class Way { Attached, FolderAndLink };

  static Way Send(const Message& message);

  // Test seam: what starts a program (true when it started) and what opens a
  // URL; the desktop's own when not set.
  using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;
  using Opener = std::function<bool(const QUrl& url)>;
  static void SetDesktop(Starter starter, Opener opener);
  static void ClearDesktop();
};

}  // namespace ui
