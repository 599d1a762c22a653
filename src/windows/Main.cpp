#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "ui/app/Application.h"
#include "windows/MainUnt.h"

namespace {

// A quotation sheet with a price tag.
QIcon ProgramIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(64, 64, 64), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 2.5, 19, 26));
  p.setPen(QPen(QColor(36, 92, 176), 2));
  for (int y = 8; y <= 20; y += 4) p.drawLine(8, y, 20, y);
  p.setPen(QPen(QColor(120, 60, 10), 1));
  p.setBrush(QColor(236, 190, 60));
  const QPointF tag[] = {{18, 18}, {26, 18}, {30, 23}, {26, 28}, {18, 28}};
  p.drawPolygon(tag, 5);
  return QIcon(pixmap);
}

}  // namespace

int main(int argc, char** argv) {
  ui::Application app(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());
  TMainFrm frame;
  MainFrm = &frame;
  frame.show();
  return app.exec();
}
