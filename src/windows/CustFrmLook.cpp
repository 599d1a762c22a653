#include "windows/CustFrmLook.h"

#include <QFont>
#include <QFrame>
#include <QPalette>

namespace custfrm {

void SetPanelLook(QFrame* panel) {
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  panel->setMidLineWidth(1);
}

void SetButtonFaceBase(QWidget* box) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  box->setPalette(palette);
}

void SetWindowLook(QWidget* window) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  window->setFont(font);
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  window->setPalette(palette);
  window->setAutoFillBackground(true);
}

}  // namespace custfrm
