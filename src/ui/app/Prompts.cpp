#include "ui/app/Prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QtDebug>

#include "ui/app/ErrorText.h"
#include "ui/app/Headless.h"

namespace ui {

namespace {

Prompts::Responder& CurrentResponder() {
  static Prompts::Responder responder;
  return responder;
}

std::vector<Prompt>& Log() {
  static std::vector<Prompt> log;
  return log;
}

Answer CautiousAnswer(Prompt::Kind kind) {
  if (kind == Prompt::Kind::YesNo) return Answer::No;
  return kind == Prompt::Kind::Confirm || kind == Prompt::Kind::Question ? Answer::Cancel : Answer::Ok;
}

QMessageBox::Icon IconOf(Prompt::Kind kind) {
  switch (kind) {
    case Prompt::Kind::Confirm:
    case Prompt::Kind::Question:
    case Prompt::Kind::YesNo:
      return QMessageBox::Question;
    case Prompt::Kind::Notice:
      return QMessageBox::Information;
    case Prompt::Kind::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(Prompt::Kind kind) {
  switch (kind) {
    case Prompt::Kind::Confirm:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompt::Kind::Question:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompt::Kind::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Prompt::Kind::Notice:
    case Prompt::Kind::Error:
      return QMessageBox::Ok;
  }
  return QMessageBox::Ok;
}

Answer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

}  // namespace

bool Prompts::Confirm(QWidget* parent, const QString& text) {
  return Ask(parent, {Prompt::Kind::Confirm, QString::fromUtf8(kTitle), text}) == Answer::Ok;
}

void Prompts::Notice(QWidget* parent, const QString& text) {
  Ask(parent, {Prompt::Kind::Notice, QString::fromUtf8(kTitle), text});
}

bool Prompts::AskYesNo(QWidget* parent, const QString& text) {
  return Ask(parent, {Prompt::Kind::YesNo, QString::fromUtf8(kTitle), text}) == Answer::Yes;
}

Answer Prompts::AskSaveChanges(QWidget* parent, const QString& text) {
  return Ask(parent, {Prompt::Kind::Question, QString::fromUtf8(kTitle), text});
}

void Prompts::Error(QWidget* parent, const QString& message) {
  // The program sets no title of its own, so the box carries the executable's name.
  Ask(parent, {Prompt::Kind::Error, QCoreApplication::applicationName(), ErrorText(message)});
}

bool Prompts::ConfirmPlain(QWidget* parent, const QString& text) {
  return Ask(parent, {Prompt::Kind::Confirm, QStringLiteral("Confirm"), text}) == Answer::Ok;
}

std::unique_ptr<QMessageBox> Prompts::MakeBox(QWidget* parent, const Prompt& prompt) {
  if (!parent) parent = QApplication::activeWindow();
  return std::make_unique<QMessageBox>(IconOf(prompt.kind), prompt.title, prompt.text, ButtonsOf(prompt.kind),
                                       parent);
}

void Prompts::SetResponder(Responder responder) { CurrentResponder() = std::move(responder); }

void Prompts::ClearResponder() { CurrentResponder() = nullptr; }

const std::vector<Prompt>& Prompts::Recorded() { return Log(); }

void Prompts::ClearRecorded() { Log().clear(); }

Answer Prompts::Ask(QWidget* parent, Prompt prompt) {
  if (const Responder responder = CurrentResponder()) {
    Log().push_back(prompt);
    return responder(prompt);
  }
  if (Headless()) {  // the cautious answer instead of a box nobody can click
    qWarning().noquote() << "unanswered prompt:" << prompt.title << prompt.text;
    Log().push_back(prompt);
    return CautiousAnswer(prompt.kind);
  }
  return AnswerOf(MakeBox(parent, prompt)->exec());
}

}  // namespace ui
