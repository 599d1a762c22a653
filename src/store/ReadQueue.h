#pragma once

#include <functional>
#include <vector>

namespace store {

class RecordSet;

// The record sets whose result is still being read. A set's Open reads the
// first rows at once and leaves the rest to this queue when something drives
// it: the GUI installs a wake-up and calls ReadSlice from its idle time.
// Without a driver, Open reads the whole result as it always did.
class ReadQueue {
 public:
  // Called whenever a set joins the queue; nullptr removes the driver, and
  // every set still reading reads the rest of its result at once.
  static void SetWake(std::function<void()> wake);
  static bool Driven();
  // The first set in line reads up to `rows` rows and goes to the back of
  // the line. Returns whether any set still has rows to read.
  static bool ReadSlice(int rows);
  static bool Pending() { return !Sets().empty(); }

 private:
  friend class RecordSet;
  static void Add(RecordSet* set);
  static void Remove(RecordSet* set);
  static std::vector<RecordSet*>& Sets();
  static std::function<void()>& Wake();
};

}  // namespace store
