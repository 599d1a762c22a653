#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/Schema.h"
#include "ui/app/Prompts.h"
#include "ui/data/DBGrid.h"
#include "windows/QuotationUnt.h"

// A row as the tests write and read it: column name -> text.
using Row = std::map<std::string, std::string>;

// Each test runs in its own folder with a fresh data.mdb holding a few
// customers, headers and lines. Prompts are answered from a queue (OK when it
// is empty, Cancel for a Yes/No/Cancel question) and recorded.
class QuotationFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    oldDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    store::CreateDatabase("data.mdb");
    SeedSample();
    ui::Prompts::ClearRecorded();
    ui::Prompts::SetResponder([this](const ui::Prompt& prompt) { return Respond(prompt); });
  }

  void TearDown() override {
    for (const QPointer<TQuotation>& window : windows_) delete window.data();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::Prompts::ClearResponder();
    QDir::setCurrent(oldDir_);
  }

  TQuotation* OpenWindow() {
    auto* window = new TQuotation;
    windows_.push_back(window);
    window->show();
    return window;
  }

  // Customers S001 Alpha, S002 Beta, S010 Gamma, AS05 Delta; headers (in
  // storage order) S002/Q2, S001/Q1, S010/Q10, S'01/Q'x; two or three lines each.
  void SeedSample() {
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

  // Stores rows through a connection of the test's own.
  static void Seed(const std::string& table, const std::vector<Row>& rows) {
    store::Connection connection;
    connection.SetConnectionString(store::kReadWriteConnectionString);
    connection.Open();
    store::QueryRecordSet set(connection, "Seed");
    set.SQL().Add("select * from " + table);
    set.Open();
    for (const Row& row : rows) {
      set.Append();
      for (const auto& [column, value] : row) set.FieldByName(column).SetAsString(value);
      set.Post();
    }
  }

  // Every stored row of a table, read through a new connection.
  static std::vector<Row> Stored(const std::string& table) {
    store::Connection connection;
    connection.SetConnectionString(store::kReadWriteConnectionString);
    connection.Open();
    store::QueryRecordSet set(connection, "Check");
    set.SQL().Add("select * from " + table);
    set.Open();
    std::vector<Row> rows;
    for (set.First(); !set.Eof(); set.Next()) {
      Row row;
      for (int i = 0; i < set.FieldCount(); ++i) row[set.FieldAt(i).FieldName()] = set.FieldAt(i).AsString();
      rows.push_back(row);
    }
    return rows;
  }

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

  void Answer(std::initializer_list<ui::Answer> answers) { answers_.insert(answers_.end(), answers); }

  // The texts of the prompts shown so far, then forgets them.
  static std::vector<QString> TakeTexts() {
    std::vector<QString> texts;
    for (const ui::Prompt& prompt : ui::Prompts::Recorded()) texts.push_back(prompt.text);
    ui::Prompts::ClearRecorded();
    return texts;
  }

  // Types as a user would: focus the box (the box left behind writes its
  // text), then keys for ASCII and an input-method commit for the rest.
  static void Type(QWidget* widget, const QString& text) {
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::MouseFocusReason);
    for (QChar c : text) {
      if (c.unicode() < 128) {
        QTest::keyClick(widget, c.toLatin1());
      } else {
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(widget, &commit);
      }
    }
  }

  static void ClearBox(QWidget* widget) {
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Backspace);
  }

 private:
  ui::Answer Respond(const ui::Prompt& prompt) {
    if (!answers_.empty()) {
      ui::Answer answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    return prompt.kind == ui::Prompt::Kind::Question ? ui::Answer::Cancel : ui::Answer::Ok;
  }

  QTemporaryDir dir_;
  QString oldDir_;
  std::deque<ui::Answer> answers_;
  std::vector<QPointer<TQuotation>> windows_;
};
