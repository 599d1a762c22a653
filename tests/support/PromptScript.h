#pragma once

#include <QString>
#include <deque>
#include <initializer_list>
#include <vector>

#include "ui/app/Prompts.h"

// While it lives, answers the prompt boxes from a queue (OK when it is empty,
// Cancel for a Yes/No/Cancel question); it starts with nothing recorded.
class PromptScript {
 public:
  PromptScript();
  ~PromptScript();
  PromptScript(const PromptScript&) = delete;
  PromptScript& operator=(const PromptScript&) = delete;

  void Answer(std::initializer_list<ui::Answer> answers);

  static const std::vector<ui::Prompt>& Shown();
  // The texts of the prompts shown so far, then forgets them.
  static std::vector<QString> TakeTexts();

 private:
  ui::Answer Respond(const ui::Prompt& prompt);

  std::deque<ui::Answer> answers_;
};
