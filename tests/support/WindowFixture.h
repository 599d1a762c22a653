#pragma once

#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>
#include <vector>

#include "support/PromptScript.h"
#include "support/TableRows.h"
#include "support/Typing.h"
#include "support/WorkDirDatabase.h"

// Each test runs in its own folder with a fresh data.mdb; prompt boxes are
// answered from a script and recorded, and the windows it kept are deleted
// after it.
class WindowFixture : public ::testing::Test {
 protected:
  void TearDown() override;

  template <class Window>
  Window* Keep(Window* window) {
    windows_.push_back(window);
    return window;
  }

  void Answer(std::initializer_list<ui::Answer> answers) { prompts_.Answer(answers); }
  static const std::vector<ui::Prompt>& Shown() { return PromptScript::Shown(); }
  static std::vector<QString> TakeTexts() { return PromptScript::TakeTexts(); }
  static void Type(QWidget* widget, const QString& text) { TypeText(widget, text); }

 private:
  WorkDirDatabase workDir_;
  PromptScript prompts_;
  std::vector<QPointer<QWidget>> windows_;
};
