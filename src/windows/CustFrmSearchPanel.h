#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

// The customer window's search panel (Panel1): a number box, an address box
// that turns letters into capitals, and the Find and Cancel buttons, which
// stay disabled until either box first changes.
class CustFrmSearchPanel : public QFrame {
  Q_OBJECT
 public:
  explicit CustFrmSearchPanel(QWidget* parent);

  QLabel* Label10 = nullptr;
  QLineEdit* edtname = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edtaddress = nullptr;
  QPushButton* BtnFind = nullptr;
  QPushButton* BtnCancel = nullptr;

 private:
  QLineEdit* AddBox(const char* name, int y, int width);
  QLabel* AddLabel(const char* name, const char* text, int y);
  QPushButton* AddButton(const char* name, const char* caption, int x);
};
