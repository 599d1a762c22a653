#pragma once

#include <QObject>
#include <QTimer>

namespace ui {

// Drives the store's read queue from the GUI's idle time: a zero-interval
// timer reads one slice at a time, so input and painting come in between and
// a large table shows its first rows at once. One per program; while none
// exists, record sets read their whole result when they open.
class IdleReader : public QObject {
 public:
  static constexpr int kSliceRows = 16384;

  explicit IdleReader(QObject* parent = nullptr);
  // Sets still reading read the rest at once: no snapshot outlives the driver.
  ~IdleReader() override;

 private:
  void ReadSlice();

  QTimer timer_;
};

}  // namespace ui
