#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "support/WindowFixture.h"
#include "ui/data/DBGrid.h"
#include "windows/QuotationUnt.h"

// Each test runs in its own folder with a fresh data.mdb holding a few
// customers, headers and lines.
class QuotationFixture : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    SeedSample();
  }

  TQuotation* OpenWindow() {
    TQuotation* window = Keep(new TQuotation);
    window->show();
    return window;
  }

  // Customers S001 Alpha, S002 Beta, S010 Gamma, AS05 Delta; headers (in
  // storage order) S002/Q2, S001/Q1, S010/Q10, S'01/Q'x; two or three lines each.
  static void SeedSample() {
    Seed("customer", {{{"cust_no", "S001"}, {"cust_name", "Alpha"}},
                      {{"cust_no", "S002"}, {"cust_name", "Beta"}},
                      {{"cust_no", "S010"}, {"cust_name", "Gamma"}},
                      {{"cust_no", "AS05"}, {"cust_name", "Delta"}}});
    Seed("Quomaster",
         {Header("S002", "Q2"), Header("S001", "Q1"), Header("S010", "Q10"), Header("S'01", "Q'x")});
    Seed("QuoDilate",
         {Line("S002", "Q2", 1, "bolt"), Line("S001", "Q1", 1, "nut"), Line("S002", "Q2", 2, "screw"),
          Line("S001", "Q1", 2, "washer"), Line("S010", "Q10", 1, "gear"), Line("S001", "Q1", 3, "spring")});
  }

  static Row Header(const std::string& custNo, const std::string& number) {
    return {{"Cust_no", custNo}, {"quotation_number", number}, {"pay_mode", "現金"}};
  }

  static Row Line(const std::string& custNo, const std::string& number, int serial, const std::string& name) {
    return {{"Cust_no", custNo},
            {"quotation_number", number},
            {"serial_number", std::to_string(serial)},
            {"name_number", name}};
  }

  static void Seed(const std::string& table, const std::vector<Row>& rows) { SeedTable(table, rows); }
  static std::vector<Row> Stored(const std::string& table) { return ReadTable(table); }

  // The values of one column over the visible rows of a set, top to bottom.
  static std::vector<std::string> Column(store::RecordSet& set, const std::string& field) {
    std::vector<std::string> values;
    const int index = set.FieldByName(field).Index();
    for (int row = 0; row < set.RecordCount(); ++row) values.push_back(set.CellText(row, index));
    return values;
  }

  static std::string Current(store::RecordSet& set, const std::string& field) {
    return set.FieldByName(field).AsString();
  }

  // Clicks a data cell of a grid as a user would.
  static void ClickCell(ui::DBGrid* grid, int row, int column) {
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    ASSERT_TRUE(cell.isValid()) << "row " << row << " is not on screen";
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }

  // Focuses the box first (the box left behind writes its text), then types.
  static void Type(QWidget* widget, const QString& text) {
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::MouseFocusReason);
    TypeText(widget, text);
  }

  static void ClearBox(QWidget* widget) {
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Backspace);
  }
};
