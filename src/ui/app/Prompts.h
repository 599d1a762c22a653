#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QMessageBox;
class QWidget;

namespace ui {

// Every modal box the program shows goes through here, so tests can answer
// and record them instead of a user.
struct Prompt {
  enum class Kind { Confirm, Notice, Error, Question, YesNo };
  Kind kind;
  QString title;
  QString text;
};

// Answers a prompt would get from a user.
enum class Answer { Ok, Cancel, Yes, No };

class Prompts {
 public:
  static constexpr const char* kTitle = "信息提示";

  // "信息提示", OK and Cancel, question icon; true only for OK.
  static bool Confirm(QWidget* parent, const QString& text);
  // "信息提示", OK, information icon.
  static void Notice(QWidget* parent, const QString& text);
  // "信息提示", Yes and No, question icon; true only for Yes.
  static bool AskYesNo(QWidget* parent, const QString& text);
  // Yes / No / Cancel about unsaved changes, titled "信息提示".
  static Answer AskSaveChanges(QWidget* parent, const QString& text);
  // The default error display: titled with the executable's name, error icon, OK.
  static void Error(QWidget* parent, const QString& message);
  // Grid-style OK/Cancel confirmation with its own title (e.g. "Delete record?").
  static bool ConfirmPlain(QWidget* parent, const QString& text);

  // Test seam: while a responder is installed no box is shown; each prompt is
  // recorded and answered by the responder.
  using Responder = std::function<Answer(const Prompt&)>;
  static void SetResponder(Responder responder);
  static void ClearResponder();
  static const std::vector<Prompt>& Recorded();
  static void ClearRecorded();

  // The box a prompt is shown in when no responder answers it.
  static std::unique_ptr<QMessageBox> MakeBox(QWidget* parent, const Prompt& prompt);

 private:
  static Answer Ask(QWidget* parent, Prompt prompt);
};

}  // namespace ui
