#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

#include "ui/app/RecordToolBar.h"
#include "ui/menu/TImageList.h"

// The record toolbar's twelve 16 x 16 pictures, drawn in code so that they stay
// crisp and need no resource files: once as they are and once at twice the
// resolution, for screens with a device pixel ratio of 2.
namespace ui {

namespace {

constexpr int kSize = 16;
const QColor kOutline(64, 64, 64);
const QColor kPaper(255, 255, 255);
const QColor kBlue(36, 92, 176);
const QColor kGreen(32, 140, 60);
const QColor kRed(200, 40, 40);

QImage Picture(const std::function<void(QPainter&)>& draw, int scale) {
  QImage image(kSize * scale, kSize * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return image;
}

void Page(QPainter& p) {
  QPainterPath page;
  page.moveTo(2.5, 1.5);
  page.lineTo(9.5, 1.5);
  page.lineTo(12.5, 4.5);
  page.lineTo(12.5, 14.5);
  page.lineTo(2.5, 14.5);
  page.closeSubpath();
  p.setPen(QPen(kOutline, 1));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
  p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
}

void New(QPainter& p) {
  Page(p);
  p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(11, 8), QPointF(11, 15));
  p.drawLine(QPointF(7.5, 11.5), QPointF(14.5, 11.5));
}

void Edit(QPainter& p) {
  Page(p);
  p.setPen(QPen(kOutline, 1));
  p.setBrush(QColor(240, 190, 60));
  const QPointF pencil[] = {{14.5, 5.5}, {15.5, 6.5}, {8.5, 13.5}, {6, 14}, {6.5, 11.5}, {13.5, 4.5}};
  p.drawPolygon(pencil, 6);
}

void Del(QPainter& p) {
  p.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
  p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void Undo(QPainter& p) {
  QPainterPath arc;
  arc.moveTo(4, 7);
  arc.cubicTo(7, 3, 14, 4, 13, 10);
  arc.cubicTo(12.5, 12.5, 10, 13.5, 8, 13.5);
  p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(arc);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  const QPointF head[] = {{1.5, 3.5}, {7.5, 8.5}, {1.5, 9.5}};
  p.drawPolygon(head, 3);
}

void Save(QPainter& p) {
  p.setPen(QPen(kOutline, 1));
  p.setBrush(kBlue);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(3.5, 9.5, 9, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawRect(QRectF(9, 2, 2, 3.5));
}

// The four moves share one triangle: pointing left or right, with or without an end bar.
void Arrow(QPainter& p, bool right, bool bar) {
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  const double tip = right ? 11.5 : 4.5;
  const double base = right ? 5.5 : 10.5;
  const QPointF triangle[] = {{base, 3}, {tip, 8}, {base, 13}};
  p.drawPolygon(triangle, 3);
  if (bar) p.drawRect(QRectF(right ? 12 : 2, 3, 2, 10));
}

void Print(QPainter& p) {
  p.setPen(QPen(kOutline, 1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(QColor(190, 190, 190));
  p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 10.5, 7, 4));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawRect(QRectF(11.5, 8, 2, 1.5));
}

void Excel(QPainter& p) {
  p.setPen(QPen(kGreen.darker(130), 1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  for (double y : {5.5, 9.5}) p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
  p.drawLine(QPointF(6.5, 1.5), QPointF(6.5, 14.5));
  p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8.5, 7), QPointF(13, 13));
  p.drawLine(QPointF(13, 7), QPointF(8.5, 13));
}

void Exit(QPainter& p) {
  p.setPen(QPen(kOutline, 1));
  p.setBrush(QColor(160, 110, 60));
  p.drawRect(QRectF(1.5, 1.5, 8, 13));
  p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 8), QPointF(14, 8));
  p.drawLine(QPointF(11, 5), QPointF(14, 8));
  p.drawLine(QPointF(11, 11), QPointF(14, 8));
}

}  // namespace

std::unique_ptr<TImageList> CreateRecordImages() {
  const std::function<void(QPainter&)> drawings[] = {New,
                                                     Edit,
                                                     Del,
                                                     Undo,
                                                     Save,
                                                     [](QPainter& p) { Arrow(p, false, true); },
                                                     [](QPainter& p) { Arrow(p, false, false); },
                                                     [](QPainter& p) { Arrow(p, true, false); },
                                                     [](QPainter& p) { Arrow(p, true, true); },
                                                     Print,
                                                     Excel,
                                                     Exit};
  auto images = std::make_unique<TImageList>(kSize, kSize);
  for (const auto& draw : drawings) images->Add(Picture(draw, 1), Picture(draw, 2));
  return images;
}

}  // namespace ui
