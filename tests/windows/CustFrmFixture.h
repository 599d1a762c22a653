#pragma once

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "store/QueryRecordSet.h"
#include "support/WindowFixture.h"
#include "ui/app/RecordToolBar.h"
#include "windows/CustomUnt.h"

// Customer windows over a fresh data.mdb of the test's own.
class CustFrmFixture : public WindowFixture {
 protected:
  TCustFrm* OpenWindow() { return Keep(new TCustFrm); }

  static void Seed(const std::vector<Row>& rows) { SeedTable("customer", rows); }

  // Customers S001..S<count>, company "Company n", address "Road n".
  static void SeedNumbered(int count) {
    std::vector<Row> rows;
    for (int n = 1; n <= count; ++n) {
      char number[16];
      std::snprintf(number, sizeof number, "S%03d", n);
      rows.push_back({{"cust_no", number},
                      {"cust_name", "Company " + std::to_string(n)},
                      {"incaddr", "Road " + std::to_string(n)}});
    }
    Seed(rows);
  }

  // Every stored customer, in the store's order, read through a new connection.
  static std::vector<Row> StoredRows() { return ReadTable("customer"); }

  static std::optional<Row> Stored(const std::string& number) {
    for (const Row& row : StoredRows())
      if (row.at("cust_no") == number) return row;
    return std::nullopt;
  }

  // The numbers of the window's rows, top to bottom.
  static std::vector<std::string> Numbers(TCustFrm& window) {
    std::vector<std::string> numbers;
    store::RecordSet& set = window.ADOQuery1;
    for (int row = 0; row < set.RecordCount(); ++row)
      numbers.push_back(set.CellText(row, set.FieldByName("cust_no").Index()));
    return numbers;
  }
};

// One window open over customers S001..S003, driven through its tool bar.
class CustFrmOpenFixture : public CustFrmFixture {
 protected:
  void SetUp() override {
    CustFrmFixture::SetUp();
    SeedNumbered(3);
    w = OpenWindow();
  }
  void Press(ui::RecordToolBar::Button button) { w->ToolBar1->Action(button)->trigger(); }

  TCustFrm* w = nullptr;
};
