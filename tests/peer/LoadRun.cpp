#include "LoadRun.h"

#include <chrono>

#include "store/Connection.h"
#include "store/StoreError.h"

namespace {

constexpr const char* kUpdateConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

}  // namespace

LoadRun::LoadRun(store::Connection& connection, Settings settings)
    : settings_(std::move(settings)),
      customers_(connection, "ADOQuery1"),
      lines_(connection, "ADODataSetDilate"),
      log_(settings_.logPath),
      state_(settings_.seed) {
  customers_.SetCommandText("select * from customer");
  lines_.SetCommandText("select * from QuoDilate");
}

unsigned LoadRun::Next() {
  state_ = state_ * 1103515245u + 12345u;
  return (state_ >> 16) & 0x7fff;
}

std::string LoadRun::KeyOf(store::CommandRecordSet& set) const {
  if (&set == &customers_) return set.FieldByName("cust_no").AsString();
  return set.FieldByName("quotation_number").AsString() + "/" + set.FieldByName("serial_number").AsString();
}

void LoadRun::Edit(store::CommandRecordSet& set, const std::string& field, int edit) {
  set.MoveTo(static_cast<int>(Next() % static_cast<unsigned>(set.RecordCount())));
  const std::string key = KeyOf(set);
  const std::string old = set.FieldByName(field).AsString();
  const std::string value = "c" + std::to_string(settings_.client) + "-" + std::to_string(edit);
  set.Edit();
  set.FieldByName(field).SetAsString(value);
  try {
    set.Post();
  } catch (const store::StoreError& error) {
    if (std::string(error.what()) != kUpdateConflict) throw;
    ++conflicts_;
    // Read again, as a user told of the conflict would.
    set.Close();
    set.Open();
    return;
  }
  ++saves_;
  log_ << "accept " << set.TableName() << " " << key << " " << old << " " << value << "\n";
}

std::string LoadRun::Run() {
  customers_.Open();
  lines_.Open();
  const auto start = std::chrono::steady_clock::now();
  for (int edit = 0; edit < settings_.edits; ++edit) {
    if (edit % 2)
      Edit(lines_, "name_number", edit);
    else
      Edit(customers_, "linkman", edit);
  }
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  log_.flush();
  if (!log_) throw store::StoreError("the log could not be written: " + settings_.logPath);
  return "saves " + std::to_string(saves_) + " conflicts " + std::to_string(conflicts_) + " seconds " +
         std::to_string(seconds.count());
}
