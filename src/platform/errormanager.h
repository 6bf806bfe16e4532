// The error manager: every message the user sees goes through it, at three levels (notice,
// question, fatal). It also keeps the name of the procedure that is running, and has a
// capture mode in which tests see every message without a box and script the answers.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/errors.h"

namespace jurnal {

enum class Answer { Yes, No, Cancel };

class ErrorManager final : public ErrorSink {
 public:
  struct Message {
    ErrorLevel level;
    QString title;
    QString text;
  };

  static ErrorManager& instance();

  // Becomes the core's error sink; called once at start-up before anything else.
  void init();
  void release();

  // The name of the running procedure, kept as a stack: each window procedure names itself
  // when it starts and restores the previous name when it ends.
  void setProcedureName(const QString& name);
  void restoreProcedureName();
  QString procedureName() const;

  // Core reports arrive here (file managers).
  void report(const ErrorReport& report) override;

  // A message box with OK; the work goes on.
  void notice(const QString& title, const QString& text);
  // Yes and No, Yes the default; true for Yes.
  bool question(const QString& title, const QString& text);
  // Yes, No and Cancel with the given default.
  Answer questionYesNoCancel(const QString& title, const QString& text, Answer defaultAnswer);
  // The message with "  Press OK to end this application", then "Halt" repeating the text,
  // then the program ends at once without its shutdown steps. Returns only in capture mode.
  void fatal(const QString& title, const QString& text);

  // Capture mode: no boxes; messages are recorded and questions take the scripted answers
  // (Yes when none is left); a fatal error is recorded and returns.
  void setCaptureMode(bool on);
  bool captureMode() const { return m_capture; }
  void scriptAnswers(const QList<Answer>& answers);
  QList<Message> takeMessages();
  const QList<Message>& messages() const { return m_messages; }

 private:
  ErrorManager() = default;
  Answer nextScriptedAnswer(Answer fallback);

  QStringList m_names;
  bool m_capture = false;
  QList<Message> m_messages;
  QList<Answer> m_answers;
};

}  // namespace jurnal
