#include "ui/app/LabelFields.h"

#include <QLabel>
#include <QWidget>

namespace ui {

namespace {

// The control that starts nearest to the right of the label and spans its middle line.
QWidget* FieldBeside(const QLabel* label, const QWidget* panel) {
  const int middle = label->geometry().center().y();
  const int from = label->geometry().center().x();
  QWidget* nearest = nullptr;
  for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QRect place = child->geometry();
    if (qobject_cast<QLabel*>(child) || place.left() < from || middle < place.top() ||
        middle > place.bottom())
      continue;
    if (!nearest || place.left() < nearest->geometry().left()) nearest = child;
  }
  return nearest;
}

}  // namespace

void TieLabelsToFields(QWidget* panel) {
  for (QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    QWidget* field = FieldBeside(label, panel);
    if (!field || label->buddy()) continue;
    label->setBuddy(field);
    field->setAccessibleName(label->text().trimmed());
  }
}

}  // namespace ui
