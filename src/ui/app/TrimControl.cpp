#include "ui/app/TrimControl.h"

namespace ui {

QString TrimControl(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text.at(begin).unicode() < 33) ++begin;
  while (end > begin && text.at(end - 1).unicode() < 33) --end;
  return text.mid(begin, end - begin);
}

}  // namespace ui
