#include "windows/QuotationColumns.h"

#include "ui/app/SalesNames.h"

namespace quotation {

namespace {

ui::GridColumn Shown(const char* field, const QString& title) { return {field, title}; }

ui::GridColumn Hidden(const char* field) {
  ui::GridColumn column{field, QString()};
  column.visible = false;
  return column;
}

}  // namespace

std::vector<ui::GridColumn> HeaderColumns() {
  return {Shown("Cust_no", "客戶編號"),
          Shown("quotation_number", "報價單號"),
          Shown("pay_mode", "付款方式"),
          Shown("pay_condition", "付款條件"),
          Shown("consign_mode", "交貨方式"),
          Shown("money_type", "幣別"),
          Shown("tax_type", "稅別"),
          Shown("tax_rate", "稅率"),
          Shown("quotation_date", "報價日期"),
          Shown("availability_date", "有效日期"),
          Shown("sales", "業務員"),
          Hidden("ap_user"),
          Hidden("ed_user"),
          Hidden("ap_date"),
          Hidden("ed_data")};
}

std::vector<ui::GridColumn> LineColumns(LineOrder order) {
  std::vector<ui::GridColumn> columns = {Shown("Cust_no", "客戶編號"), Shown("quotation_number", "報價單號"),
                                         Shown("serial_number", "序號"), Shown("name_number", "品名/品號"),
                                         Shown("standard", "規格")};
  if (order == LineOrder::WidthFirst) {
    columns.push_back(Shown("width", "寬"));
    columns.push_back(Shown("high", "高"));
  } else {
    columns.push_back(Shown("high", "高"));
    columns.push_back(Shown("width", "寬"));
  }
  for (auto column : {Shown("length", "長"), Shown("amount", "數量"), Shown("price", "單價"),
                      Shown("totle", "總金額"), Hidden("ap_user"), Hidden("ed_user"), Hidden("ap_date")})
    columns.push_back(column);
  return columns;
}

QStringList PayModeItems() { return {"現金", "支票", "國內T/T", "國內L/C", "國外T/T", "月結30天"}; }

QStringList PayConditionItems() { return {"FOS", "C&F", "C&I", "CIF", "DDP", "DDU", "其他(昆山)"}; }

QStringList ConsignModeItems() { return {"快遞", "貨運", "郵寄", "自己送貨", "船運", "空運"}; }

QStringList MoneyTypeItems() { return {"RMB", "NTD", "USD", "HKD", "JPY", "其他"}; }

QStringList SalesItems() { return {QString::fromUtf8(ui::kSalesperson)}; }

}  // namespace quotation
