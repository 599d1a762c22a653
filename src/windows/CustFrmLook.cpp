#include "windows/CustFrmLook.h"

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

}  // namespace custfrm
