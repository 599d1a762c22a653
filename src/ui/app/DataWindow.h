#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

#include "store/RecordSet.h"

class QCloseEvent;

namespace ui {

// The base of the windows that own data: the customer, quotation and lookup
// windows. It holds what every such window does the same way:
// - closing asks SettlePending() first and stays open when it refuses;
// - Tab and Shift+Tab cycle through the window's own controls;
// - the look: button face and "MS Sans Serif", 11 pixels high;
// - the lifetime of the window's data. Connections, record sets and data
//   sources made with Own() outlive every control bound to them: the controls
//   go first, then the data in the reverse order of its making. A derived
//   window therefore needs no destructor of its own.
class DataWindow : public QWidget {
  Q_OBJECT
 public:
  enum class OnClose { Free, Hide };

  explicit DataWindow(QWidget* parent, OnClose onClose, Qt::WindowFlags flags = {});
  ~DataWindow() override;

  // The input method the window's text boxes, pick lists and grids ask for.
  static QString ImeName() { return QStringLiteral("中文 (简体) - 微软拼音"); }

  // Settles pending changes as a close would, without closing; a failure is
  // shown on the error display and counts as a refusal.
  bool MayClose();
  // Closes the window as its close box does: inside the frame that is the
  // sub-window holding it, which asks the window in turn.
  void CloseWindow();
  // The close event's handler: accepts the close when MayClose().
  void FormClose(QCloseEvent* event);

 protected:
  // Whether the window may go: pending changes are asked about, posted or
  // dropped. May throw; the default has nothing to settle.
  virtual bool SettlePending() { return true; }

  template <typename T, typename... Args>
  T& Own(Args&&... args) {
    auto object = std::make_shared<T>(std::forward<Args>(args)...);
    owned_.push_back(object);
    return *object;
  }
  // Listens to one of the window's sets until the window starts to go, so
  // that the listener never runs on a half-destroyed window.
  void Watch(store::RecordSet& set, store::RecordSet::Listener listener);

  void closeEvent(QCloseEvent* event) override;
  // Tab and Shift+Tab visit every control of the window once and wrap.
  bool focusNextPrevChild(bool next) override;

 private:
  void ReleaseControls();

  std::vector<std::shared_ptr<void>> owned_;
  std::vector<std::pair<store::RecordSet*, int>> watches_;
};

}  // namespace ui
