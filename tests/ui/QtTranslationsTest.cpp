#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>

#include "ui/app/Prompts.h"
#include "ui/app/QtTranslations.h"

using ui::Prompt;
using ui::Prompts;

namespace {

QString ButtonText(const QMessageBox& box, QMessageBox::StandardButton which) {
  const QAbstractButton* button = box.button(which);
  return button ? button->text() : QStringLiteral("(no button)");
}

// The catalogue is built into the program, so a machine without Qt's
// translation package still shows Chinese buttons.
TEST(QtTranslationsTest, CatalogueIsBuiltIn) {
  EXPECT_TRUE(QFile::exists(QStringLiteral(":/i18n/qtbase_zh_TW.qm")));
}

TEST(QtTranslationsTest, PromptBoxesButtonsReadInChinese) {
  ASSERT_TRUE(ui::InstallQtTranslations());
  const auto confirm =
      Prompts::MakeBox(nullptr, {Prompt::Kind::Confirm, "信息提示", "您確定要保存這筆記錄嗎？"});
  EXPECT_EQ(ButtonText(*confirm, QMessageBox::Ok), "確定");
  EXPECT_EQ(ButtonText(*confirm, QMessageBox::Cancel), "取消");
  const auto question = Prompts::MakeBox(nullptr, {Prompt::Kind::Question, "信息提示", "是否保存修改？"});
  // Qt's catalogue keeps the mnemonic of some: 否(&N).
  EXPECT_TRUE(ButtonText(*question, QMessageBox::Yes).startsWith("是"))
      << ButtonText(*question, QMessageBox::Yes).toStdString();
  EXPECT_TRUE(ButtonText(*question, QMessageBox::No).startsWith("否"))
      << ButtonText(*question, QMessageBox::No).toStdString();
  // The program's own texts are not Qt's to translate.
  EXPECT_EQ(confirm->windowTitle(), "信息提示");
  const auto plain = Prompts::MakeBox(nullptr, {Prompt::Kind::Confirm, "Confirm", "Delete record?"});
  EXPECT_EQ(plain->text(), "Delete record?");
  EXPECT_EQ(ButtonText(*plain, QMessageBox::Ok), "確定");
}

}  // namespace
