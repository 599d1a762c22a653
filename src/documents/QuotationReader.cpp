#include "documents/QuotationReader.h"

#include "documents/MissingData.h"
#include "store/Backend.h"
#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/RecordSet.h"

namespace documents {

namespace {

struct Labelled {
  const char* field;
  const char* label;
};

constexpr Labelled kHeaderFields[] = {
    {"quotation_number", "報價單號"},
    {"quotation_date", "報價日期"},
    {"availability_date", "有效日期"},
    {"pay_mode", "付款方式"},
    {"pay_condition", "付款條件"},
    {"consign_mode", "交貨方式"},
    {"money_type", "幣別"},
    {"tax_type", "稅別"},
    {"tax_rate", "稅率"},
    {"sales", "業務員"},
};

LabelledValue Item(store::RecordSet& set, const char* field, const char* label) {
  return {label, DocumentValue::Of(set.FieldByName(field))};
}

std::string Text(store::RecordSet& set, const char* field) { return set.FieldByName(field).AsString(); }

// Both telephone numbers in one item, the second only when there is one.
LabelledValue Telephones(store::RecordSet& customer) {
  std::string phones = Text(customer, "tel1");
  const std::string second = Text(customer, "tel2");
  if (!second.empty()) phones += phones.empty() ? second : " / " + second;
  return {"電話", DocumentValue::Text(phones)};
}

std::vector<LabelledValue> CustomerItems(store::RecordSet& customer) {
  std::string name = Text(customer, "all_name");
  if (name.empty()) name = Text(customer, "cust_name");
  return {Item(customer, "cust_no", "客戶編號"),
          {"公司名稱", DocumentValue::Text(name)},
          Item(customer, "incaddr", "公司地址"),
          Item(customer, "linkman", "聯繫人"),
          Telephones(customer),
          Item(customer, "fax", "傳真"),
          Item(customer, "email", "E-mail")};
}

std::vector<LabelledValue> ReadCustomer(store::Connection& connection, const std::string& custNo) {
  if (custNo.empty()) throw MissingData(QuotationReader::kNoCustomerNumber);
  store::CommandRecordSet customer(connection, "customer");
  customer.SetCommandText("select * from customer where cust_no = :C");
  customer.Params().Set("C", custNo);
  customer.Open();
  if (customer.IsEmpty())
    throw MissingData(std::string(QuotationReader::kUnknownCustomer) + custNo +
                      QuotationReader::kUnknownCustomerEnd);
  return CustomerItems(customer);
}

// The header's lines as the window links them, numbers compared as stored;
// lines of one number in the order they were added, one without a number
// first on either store (they sort nulls apart).
std::vector<DocumentLine> ReadLines(store::Connection& connection, const std::string& custNo,
                                    const std::string& number) {
  store::CommandRecordSet lines(connection, "QuoDilate");
  connection.Open();  // lines of one number keep the order they were entered in, by the store's row identity
  lines.SetCommandText(
      "select * from QuoDilate where coalesce(Cust_no, '') = :C and coalesce(quotation_number, '') = :Q "
      "order by case when serial_number is null then 0 else 1 end, serial_number, " +
      std::string(connection.Store().RowIdColumn()));
  lines.Params().Set("C", custNo);
  lines.Params().Set("Q", number);
  lines.Open();
  std::vector<const store::Field*> fields;
  for (const LineColumn& column : kLineColumns) fields.push_back(&lines.FieldByName(column.field));
  std::vector<DocumentLine> result;
  result.reserve(lines.RecordCount());
  for (lines.First(); !lines.Eof(); lines.Next()) {
    DocumentLine& line = result.emplace_back();
    for (std::size_t c = 0; c < fields.size(); ++c) line[c] = DocumentValue::Of(*fields[c]);
  }
  return result;
}

}  // namespace

QuotationDocument QuotationReader::Read(store::RecordSet& headers) {
  if (!headers.Active() || headers.IsEmpty() || headers.RecNo() < 0) throw MissingData(kNoHeader);
  QuotationDocument document;
  const std::string custNo = Text(headers, "Cust_no");
  document.quotationNumber = Text(headers, "quotation_number");
  document.currency = Text(headers, "money_type");
  document.taxType = Text(headers, "tax_type");
  document.taxRate = Text(headers, "tax_rate");
  for (const Labelled& item : kHeaderFields) document.header.push_back(Item(headers, item.field, item.label));
  document.customer = ReadCustomer(headers.GetConnection(), custNo);
  document.lines = ReadLines(headers.GetConnection(), custNo, document.quotationNumber);
  return document;
}

}  // namespace documents
