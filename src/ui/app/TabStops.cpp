#include "ui/app/TabStops.h"

#include <QAbstractItemView>
#include <QWidget>
#include <algorithm>

namespace ui {

namespace {

bool TakesTab(const QWidget* window, const QWidget* widget) {
  return (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() && widget->isVisibleTo(window) &&
         widget->isEnabled();
}

// A cell editor or a grid's viewport: the grid is the stop.
bool InsideAView(const QWidget* window, const QWidget* widget) {
  for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
    if (qobject_cast<const QAbstractItemView*>(up)) return true;
  return false;
}

}  // namespace

// Qt's chain runs through the whole frame; only the window's own controls count.
std::vector<QWidget*> TabStops(const QWidget* window) {
  std::vector<QWidget*> stops;
  for (QWidget* widget = window->nextInFocusChain(); widget && widget != window;
       widget = widget->nextInFocusChain()) {
    if (!window->isAncestorOf(widget) || !TakesTab(window, widget) || InsideAView(window, widget)) continue;
    if (std::find(stops.begin(), stops.end(), widget) != stops.end()) break;
    stops.push_back(widget);
  }
  return stops;
}

QWidget* NextTabStop(const QWidget* window, const QWidget* focus, bool forward) {
  const std::vector<QWidget*> stops = TabStops(window);
  if (stops.empty()) return nullptr;
  const auto holder = std::find_if(stops.begin(), stops.end(), [focus](const QWidget* stop) {
    return focus && (stop == focus || stop->isAncestorOf(focus));
  });
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  if (holder == stops.end()) return forward ? stops.front() : stops.back();
  const std::ptrdiff_t at = holder - stops.begin();
  return stops[static_cast<size_t>((at + (forward ? 1 : count - 1)) % count)];
}

}  // namespace ui
