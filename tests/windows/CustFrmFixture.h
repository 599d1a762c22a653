#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/Schema.h"
#include "ui/app/Prompts.h"
#include "windows/CustomUnt.h"

// A customer row as the tests write and read it: column name -> text.
using Row = std::map<std::string, std::string>;

// Runs each test in its own folder with a fresh data.mdb, answers the prompt
// boxes from a queue (OK when it is empty, Cancel for a Yes/No/Cancel question)
// and deletes the windows the test left open.
class CustFrmFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    oldDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    store::CreateDatabase("data.mdb");
    ui::Prompts::ClearRecorded();
    ui::Prompts::SetResponder([this](const ui::Prompt& prompt) { return Respond(prompt); });
  }

  void TearDown() override {
    for (const QPointer<TCustFrm>& window : windows_) delete window.data();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::Prompts::ClearResponder();
    QDir::setCurrent(oldDir_);
  }

  TCustFrm* OpenWindow() {
    auto* window = new TCustFrm;
    windows_.push_back(window);
    return window;
  }

  // Stores rows through a connection of the test's own.
  void Seed(const std::vector<Row>& rows) {
    store::Connection connection;
    connection.SetConnectionString(store::kReadWriteConnectionString);
    connection.Open();
    store::QueryRecordSet set(connection, "Seed");
    set.SQL().Add("select * from customer");
    set.Open();
    for (const Row& row : rows) {
      set.Append();
      for (const auto& [column, value] : row) set.FieldByName(column).SetAsString(value);
      set.Post();
    }
  }

  // Customers S001..S<count>, company "Company n", address "Road n".
  void SeedNumbered(int count) {
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
  std::vector<Row> StoredRows() {
    store::Connection connection;
    connection.SetConnectionString(store::kReadWriteConnectionString);
    connection.Open();
    store::QueryRecordSet set(connection, "Check");
    set.SQL().Add("select * from customer");
    set.Open();
    std::vector<Row> rows;
    for (int r = 0; r < set.RecordCount(); ++r) {
      Row row;
      for (int i = 0; i < set.FieldCount(); ++i) row[set.FieldAt(i).FieldName()] = set.CellText(r, i);
      rows.push_back(row);
    }
    return rows;
  }

  std::optional<Row> Stored(const std::string& number) {
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

  void Answer(std::initializer_list<ui::Answer> answers) { answers_.insert(answers_.end(), answers); }

  static const std::vector<ui::Prompt>& Shown() { return ui::Prompts::Recorded(); }

  // The texts of the prompts shown so far, then forgets them.
  static std::vector<QString> TakeTexts() {
    std::vector<QString> texts;
    for (const ui::Prompt& prompt : ui::Prompts::Recorded()) texts.push_back(prompt.text);
    ui::Prompts::ClearRecorded();
    return texts;
  }

  // Types as a user would: keys for ASCII, an input-method commit for the rest.
  static void Type(QWidget* widget, const QString& text) {
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
  std::vector<QPointer<TCustFrm>> windows_;
};
