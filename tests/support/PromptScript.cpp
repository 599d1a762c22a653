#include "PromptScript.h"

PromptScript::PromptScript() {
  ui::Prompts::ClearRecorded();
  ui::Prompts::SetResponder([this](const ui::Prompt& prompt) { return Respond(prompt); });
}

PromptScript::~PromptScript() { ui::Prompts::ClearResponder(); }

void PromptScript::Answer(std::initializer_list<ui::Answer> answers) {
  answers_.insert(answers_.end(), answers);
}

const std::vector<ui::Prompt>& PromptScript::Shown() { return ui::Prompts::Recorded(); }

std::vector<QString> PromptScript::TakeTexts() {
  std::vector<QString> texts;
  for (const ui::Prompt& prompt : ui::Prompts::Recorded()) texts.push_back(prompt.text);
  ui::Prompts::ClearRecorded();
  return texts;
}

ui::Answer PromptScript::Respond(const ui::Prompt& prompt) {
  if (!answers_.empty()) {
    ui::Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return prompt.kind == ui::Prompt::Kind::Question ? ui::Answer::Cancel : ui::Answer::Ok;
}
