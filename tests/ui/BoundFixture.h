#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>
#include <vector>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "support/TempDatabase.h"
#include "ui/app/Prompts.h"
#include "ui/data/DataSource.h"

// Three customers in a fresh database file, a query set over them open on the
// first row, its data source, and prompt boxes answered with `answer`.
class BoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    db.Execute(
        "insert into customer (cust_no, cust_name, incaddr, create_date) values "
        "('S001', '宏達電子', '台北市', '2024-01-05'), ('S002', '建興五金', '新竹市', '2024-02-10'), "
        "('S003', '永豐塑膠', '台中市', null)");
    db.Connect(connection);
    query.SQL().Add("select * from customer");
    query.Open();
    ui::Prompts::ClearRecorded();
    ui::Prompts::SetResponder([this](const ui::Prompt&) { return answer; });
  }

  void TearDown() override {
    ui::Prompts::ClearResponder();
    ui::Prompts::ClearRecorded();
  }

  // Focus only moves between controls of an active window.
  static void ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  static std::vector<QString> PromptTexts() {
    std::vector<QString> texts;
    for (const ui::Prompt& prompt : ui::Prompts::Recorded()) texts.push_back(prompt.text);
    return texts;
  }

  std::string Stored(const std::string& column, const std::string& custNo) const {
    return db.Scalar("select " + column + " from customer where cust_no = '" + custNo + "'");
  }

  TempDatabase db;
  store::Connection connection;
  store::QueryRecordSet query{connection, "ADOQuery1"};
  ui::DataSource source{nullptr, &query};
  ui::Answer answer = ui::Answer::Ok;
};
