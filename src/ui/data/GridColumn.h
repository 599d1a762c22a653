#pragma once

#include <QString>
#include <Qt>

namespace ui {

// One column of a bound grid: the field it shows, its title and look.
struct GridColumn {
  QString field;
  QString title;  // empty: no title
  bool visible = true;
  Qt::Alignment titleAlignment = Qt::AlignHCenter;
  int width = 64;
};

}  // namespace ui
