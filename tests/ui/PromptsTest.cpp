#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>

#include "store/StoreError.h"
#include "ui/app/ErrorText.h"
#include "ui/app/Guard.h"
#include "ui/app/Prompts.h"

using ui::Answer;
using ui::Prompt;
using ui::Prompts;

namespace {

class PromptsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Prompts::ClearRecorded();
    Prompts::SetResponder([this](const Prompt&) { return answer; });
  }
  void TearDown() override {
    Prompts::ClearResponder();
    Prompts::ClearRecorded();
  }
  const Prompt& Last() const { return Prompts::Recorded().back(); }

  Answer answer = Answer::Ok;
};

TEST(ErrorTextTest, AppendsAFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(ui::ErrorText("Table not found"), "Table not found.");
  EXPECT_EQ(ui::ErrorText("找不到資料表"), "找不到資料表.");
  EXPECT_EQ(ui::ErrorText("'x' is not a valid date"), "'x' is not a valid date.");
  EXPECT_EQ(ui::ErrorText("path a/b/"), "path a/b/.");  // '/' sorts after '.'
  EXPECT_EQ(ui::ErrorText("value:"), "value:.");
}

TEST(ErrorTextTest, KeepsMessagesEndingInAFullStopOrEarlierCharacter) {
  EXPECT_EQ(ui::ErrorText(""), "");
  EXPECT_EQ(ui::ErrorText("Done."), "Done.");
  EXPECT_EQ(ui::ErrorText("資料夾不能寫入。"), "資料夾不能寫入。");
  for (const char* text : {"Stop!", "ends in -", "ends in ,", "(note)", "quoted'", "space ", "line\n"})
    EXPECT_EQ(ui::ErrorText(text), text) << text;
}

TEST_F(PromptsTest, ConfirmGoesOnOnlyForOk) {
  EXPECT_TRUE(Prompts::Confirm(nullptr, "確定要保存嗎？"));
  answer = Answer::Cancel;
  EXPECT_FALSE(Prompts::Confirm(nullptr, "確定要保存嗎？"));
  answer = Answer::Yes;
  EXPECT_FALSE(Prompts::Confirm(nullptr, "確定要保存嗎？"));
  ASSERT_EQ(Prompts::Recorded().size(), 3u);
  EXPECT_EQ(Last().kind, Prompt::Kind::Confirm);
  EXPECT_EQ(Last().title, "信息提示");
  EXPECT_EQ(Last().text, "確定要保存嗎？");
}

TEST_F(PromptsTest, EachPromptIsRecordedWithItsKindAndTitle) {
  Prompts::Notice(nullptr, "保存成功");
  EXPECT_EQ(Last().kind, Prompt::Kind::Notice);
  EXPECT_EQ(Last().title, "信息提示");

  answer = Answer::No;
  EXPECT_EQ(Prompts::AskSaveChanges(nullptr, "是否保存修改？"), Answer::No);
  EXPECT_EQ(Last().kind, Prompt::Kind::Question);
  EXPECT_EQ(Last().title, "信息提示");

  answer = Answer::Yes;
  EXPECT_TRUE(Prompts::AskYesNo(nullptr, "要匯入嗎？"));
  EXPECT_EQ(Last().kind, Prompt::Kind::YesNo);
  answer = Answer::No;
  EXPECT_FALSE(Prompts::AskYesNo(nullptr, "要匯入嗎？"));

  answer = Answer::Ok;
  EXPECT_TRUE(Prompts::ConfirmPlain(nullptr, "Delete record?"));
  EXPECT_EQ(Last().kind, Prompt::Kind::Confirm);
  EXPECT_EQ(Last().title, "Confirm");
  EXPECT_EQ(Last().text, "Delete record?");

  Prompts::Error(nullptr, "no such table: customer");
  EXPECT_EQ(Last().kind, Prompt::Kind::Error);
  EXPECT_EQ(Last().title, QCoreApplication::applicationName());
  EXPECT_EQ(Last().text, "no such table: customer.");
  EXPECT_EQ(Prompts::Recorded().size(), 6u);
}

TEST(PromptBoxTest, BoxesCarryTheirIconsAndButtons) {
  struct Case {
    Prompt::Kind kind;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
  };
  const Case cases[] = {
      {Prompt::Kind::Confirm, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel},
      {Prompt::Kind::Notice, QMessageBox::Information, QMessageBox::Ok},
      {Prompt::Kind::Error, QMessageBox::Critical, QMessageBox::Ok},
      {Prompt::Kind::Question, QMessageBox::Question,
       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel},
      {Prompt::Kind::YesNo, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
  };
  for (const Case& c : cases) {
    const auto box = Prompts::MakeBox(nullptr, {c.kind, "信息提示", "text"});
    EXPECT_EQ(box->icon(), c.icon);
    EXPECT_EQ(box->standardButtons(), c.buttons);
    EXPECT_EQ(box->windowTitle(), "信息提示");
    EXPECT_EQ(box->text(), "text");
  }
}

TEST(PromptBoxTest, WithoutAResponderAHeadlessRunTakesTheCautiousAnswer) {
  Prompts::ClearResponder();
  Prompts::ClearRecorded();
  EXPECT_FALSE(Prompts::Confirm(nullptr, "確定？"));
  EXPECT_EQ(Prompts::AskSaveChanges(nullptr, "保存？"), Answer::Cancel);
  EXPECT_FALSE(Prompts::AskYesNo(nullptr, "匯入？"));
  Prompts::Notice(nullptr, "完成");
  EXPECT_EQ(Prompts::Recorded().size(), 4u);
  Prompts::ClearRecorded();
}

TEST_F(PromptsTest, GuardShowsWhatAHandlerThrowsAndReportsFailure) {
  EXPECT_FALSE(ui::Guard([] { throw store::StoreError("ADOQuery1: Field 'x' not found"); }));
  ASSERT_EQ(Prompts::Recorded().size(), 1u);
  EXPECT_EQ(Last().kind, Prompt::Kind::Error);
  EXPECT_EQ(Last().text, "ADOQuery1: Field 'x' not found.");

  EXPECT_FALSE(ui::Guard([] { throw 42; }));
  EXPECT_EQ(Last().kind, Prompt::Kind::Error);
  EXPECT_FALSE(Last().text.isEmpty());

  bool ran = false;
  EXPECT_TRUE(ui::Guard([&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_EQ(Prompts::Recorded().size(), 2u);
}

TEST_F(PromptsTest, GuardedSlotKeepsTheExceptionOutOfQt) {
  QPushButton button;
  int calls = 0;
  QObject::connect(&button, &QPushButton::clicked, ui::Guarded([&] {
    ++calls;
    throw std::runtime_error("disk full");
  }));
  button.click();
  button.click();
  EXPECT_EQ(calls, 2);
  ASSERT_EQ(Prompts::Recorded().size(), 2u);
  EXPECT_EQ(Last().text, "disk full.");
}

}  // namespace
