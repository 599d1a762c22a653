#include "windows/QuotationSql.h"

#include "store/CommandRecordSet.h"
#include "store/QueryRecordSet.h"
#include "ui/app/TrimControl.h"

namespace quotation {

std::string Trimmed(const QString& text) { return ui::TrimControl(text).toStdString(); }

void SetHeaderSearch(store::CommandRecordSet& headers, const QString& custNo,
                     const QString& quotationNumber) {
  std::string conditions;
  headers.Params().Clear();
  if (!custNo.isEmpty()) {
    conditions = "cust_no like '%' || :T || '%'";
    headers.Params().Set("T", Trimmed(custNo));
  }
  if (!quotationNumber.isEmpty()) {
    if (!conditions.empty()) conditions += " and ";
    conditions += "quotation_number like '%' || :Q || '%'";
    headers.Params().Set("Q", Trimmed(quotationNumber));
  }
  std::string statement = "select * from Quomaster";
  if (!conditions.empty()) statement += " where " + conditions;
  // Without a customer criterion the list is ordered by customer number.
  if (custNo.isEmpty()) statement += " order by Cust_no";
  headers.SetCommandText(statement);
}

void SetCustomerLookup(store::QueryRecordSet& customers, const QString& custNo) {
  customers.Close();
  customers.SQL().Clear();
  customers.Params().Clear();
  customers.Params().Set("T", Trimmed(custNo));
  customers.SQL().Add("select * from customer where Cust_no like '%' || :T || '%'");
}

}  // namespace quotation
