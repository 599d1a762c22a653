#include "store/ReadQueue.h"

#include <algorithm>

#include "store/RecordSet.h"

namespace store {

std::vector<RecordSet*>& ReadQueue::Sets() {
  static std::vector<RecordSet*> sets;
  return sets;
}

std::function<void()>& ReadQueue::Wake() {
  static std::function<void()> wake;
  return wake;
}

void ReadQueue::SetWake(std::function<void()> wake) {
  Wake() = std::move(wake);
  if (Wake()) return;
  // Nobody drives the queue any more: no snapshot may stay open.
  while (!Sets().empty()) Sets().front()->ReadAll();
}

bool ReadQueue::Driven() { return static_cast<bool>(Wake()); }

bool ReadQueue::ReadSlice(int rows) {
  auto& sets = Sets();
  if (sets.empty()) return false;
  RecordSet* set = sets.front();
  std::rotate(sets.begin(), sets.begin() + 1, sets.end());
  set->ReadMore(rows);
  return !sets.empty();
}

void ReadQueue::Add(RecordSet* set) {
  auto& sets = Sets();
  if (std::find(sets.begin(), sets.end(), set) != sets.end()) return;
  sets.push_back(set);
  if (Wake()) Wake()();
}

void ReadQueue::Remove(RecordSet* set) { std::erase(Sets(), set); }

}  // namespace store
