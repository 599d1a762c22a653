#include "ui/data/IdleReader.h"

#include "store/ReadQueue.h"
#include "ui/app/Guard.h"

namespace ui {

IdleReader::IdleReader(QObject* parent) : QObject(parent) {
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &IdleReader::ReadSlice);
  store::ReadQueue::SetWake([this] {
    if (!timer_.isActive()) timer_.start();
  });
  if (store::ReadQueue::Pending()) timer_.start();
}

IdleReader::~IdleReader() {
  Guard([] { store::ReadQueue::SetWake(nullptr); });
}

void IdleReader::ReadSlice() {
  bool more = false;
  // A failed read ends that set's reading; the error is shown and the rest go on.
  Guard([&more] { more = store::ReadQueue::ReadSlice(kSliceRows); });
  if (!more && !store::ReadQueue::Pending()) timer_.stop();
}

}  // namespace ui
