#pragma once

#include <QFileDialog>

namespace ui {

// Qt's own file dialog with every text in Traditional Chinese, whatever the
// system's language: the labels and buttons, the column titles, the types
// ("資料夾") and the dates and sizes as Taiwan writes them. The platform's
// dialog would follow the system's language instead.
class ChineseFileDialog : public QFileDialog {
  Q_OBJECT
 public:
  ChineseFileDialog(QWidget* parent, const QString& caption, const QString& directory, const QString& filter,
                    AcceptMode mode);

  // The file the user names to save under; empty when cancelled.
  static QString SaveFileName(QWidget* parent, const QString& caption, const QString& defaultPath,
                              const QString& filter);
};

}  // namespace ui
