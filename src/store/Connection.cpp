#include "store/Connection.h"

#include <algorithm>

#include "store/Backend.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"
#include "store/Stores.h"
#include "store/Text.h"

namespace store {

Connection::Connection(std::string name) : name_(std::move(name)) {}

Connection::~Connection() {
  Close();
  // Sets that outlive their connection must not reach back into it.
  for (RecordSet* set : sets_) set->detached_ = true;
}

void Connection::SetConnectionString(std::string text) {
  Close();
  connectionString_ = std::move(text);
}

std::string Connection::Property(const std::string& key) const {
  std::string_view rest = connectionString_;
  while (!rest.empty()) {
    std::size_t semicolon = rest.find(';');
    std::string_view item = rest.substr(0, semicolon);
    rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    std::size_t equals = item.find('=');
    if (equals != std::string_view::npos && SameText(TrimBlanks(item.substr(0, equals)), key))
      return std::string(TrimBlanks(item.substr(equals + 1)));
  }
  return {};
}

std::string Connection::DataSource() const { return Property("Data Source"); }

std::string& Connection::TargetSetting() {
  static std::string target;
  return target;
}

void Connection::SetTarget(std::string target) { TargetSetting() = std::move(target); }

const std::string& Connection::Target() { return TargetSetting(); }

std::string Connection::Source() const { return Target().empty() ? DataSource() : Target(); }

void Connection::Open() {
  if (backend_) return;
  std::string source = Source();
  if (source.empty()) throw StoreError(name_ + ": The connection string names no data source");
  backend_ = OpenStore(source, SameText(Property("Mode"), "Read"));
}

void Connection::Close() {
  if (!backend_) return;
  // Closing a connection closes its sets first, as their pending rows die with it.
  std::vector<RecordSet*> sets = sets_;
  for (RecordSet* set : sets)
    if (std::find(sets_.begin(), sets_.end(), set) != sets_.end()) set->Close();
  backend_.reset();
}

Backend& Connection::Store() const {
  if (!backend_) throw StoreError("Operation is not allowed when the object is closed.");
  return *backend_;
}

void Connection::FinishReads() {
  const std::vector<RecordSet*> sets = sets_;
  for (RecordSet* set : sets)
    if (std::find(sets_.begin(), sets_.end(), set) != sets_.end()) set->ReadAll();
}

void Connection::Register(RecordSet* set) { sets_.push_back(set); }

void Connection::Unregister(RecordSet* set) { std::erase(sets_, set); }

}  // namespace store
