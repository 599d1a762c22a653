#include "store/PriceMemory.h"

#include <algorithm>

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/WorkspaceSql.h"

namespace store {

PriceMemory::PriceMemory(Connection& connection) : connection_(connection) {}

void PriceMemory::Add(std::vector<RememberedPrice>& into, const std::string& condition,
                      const std::vector<std::string>& values, bool sameCustomer) const {
  Backend& store = connection_.Store();
  const std::string rowId = std::string("d.") + store.RowIdColumn();
  const std::string product = "d.name_number" + store.Workspace().codePointOrder;
  const std::string sql =
      "select d.Cust_no, m.quotation_date, d.quotation_number, d.name_number, d.standard, d.amount, d.price "
      "from QuoDilate d left join Quomaster m on m.Cust_no = d.Cust_no and m.quotation_number = "
      "d.quotation_number where " +
      condition + " order by " + product + " desc, " + rowId + " desc limit " + std::to_string(kPerGroup);
  std::vector<BoundValue> bound;
  for (const std::string& value : values) bound.push_back({FieldKind::Text, value});
  for (const TextRow& row : store.Rows(sql, bound)) {
    auto text = [&row](int c) { return row[static_cast<std::size_t>(c)].value_or(""); };
    into.push_back({sameCustomer, text(0), text(1), text(2), text(3), text(4), text(5), text(6)});
  }
}

std::vector<RememberedPrice> PriceMemory::Recall(const std::string& custNo, const std::string& typed) const {
  std::vector<RememberedPrice> found;
  if (typed.empty()) return found;
  const std::string product = "d.name_number" + connection_.Store().Workspace().codePointOrder;
  const std::string exact = product + " = ?";
  const std::string longer = product + " > ? and " + product + " < ?";
  const std::string after = AfterPrefix(typed);
  for (bool same : {true, false}) {
    const std::string customer = same ? "d.Cust_no = ? and " : "d.Cust_no <> ? and ";
    std::size_t start = found.size();
    Add(found, customer + exact, {custNo, typed}, same);
    if (found.size() - start < static_cast<std::size_t>(kPerGroup))
      Add(found, customer + longer, {custNo, typed, after}, same);
    found.resize(std::min(found.size(), start + kPerGroup));
  }
  return found;
}

}  // namespace store
