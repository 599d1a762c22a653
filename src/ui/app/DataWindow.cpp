#include "ui/app/DataWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QMdiSubWindow>
#include <QPalette>

#include "ui/app/Guard.h"
#include "ui/app/TabStops.h"

namespace ui {

DataWindow::DataWindow(QWidget* parent, OnClose onClose, Qt::WindowFlags flags) : QWidget(parent, flags) {
  if (onClose == OnClose::Free) setAttribute(Qt::WA_DeleteOnClose);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  QPalette look = palette();
  look.setColor(QPalette::Window, look.color(QPalette::Button));
  setPalette(look);
  setAutoFillBackground(true);
}

DataWindow::~DataWindow() {
  ReleaseControls();
  while (!owned_.empty()) owned_.pop_back();
}

// The derived window is gone by now: none of its handlers may run while the
// controls and lookup windows go, and they go while the data they show lives.
void DataWindow::ReleaseControls() {
  for (const auto& [set, id] : watches_) set->Unsubscribe(id);
  watches_.clear();
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
  // Grids and boxes watch the focus move: it leaves while they all exist.
  if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus)) focus->clearFocus();
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

bool DataWindow::MayClose() {
  bool go = false;
  Guard([&] { go = SettlePending(); });
  return go;
}

void DataWindow::CloseWindow() {
  if (auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget()))
    subWindow->close();
  else
    close();
}

void DataWindow::FormClose(QCloseEvent* event) { event->setAccepted(MayClose()); }

void DataWindow::closeEvent(QCloseEvent* event) { FormClose(event); }

// Qt's own walk goes astray inside a sub-window of the frame (a stop skipped
// one way, two controls taking turns the other): the window walks its own stops.
bool DataWindow::focusNextPrevChild(bool next) {
  QWidget* target = NextTabStop(this, QApplication::focusWidget(), next);
  if (!target) return QWidget::focusNextPrevChild(next);
  target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void DataWindow::Watch(store::RecordSet& set, store::RecordSet::Listener listener) {
  watches_.emplace_back(&set, set.Subscribe(std::move(listener)));
}

}  // namespace ui
