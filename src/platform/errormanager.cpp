// Message boxes for notices, questions and fatal errors; application-modal, so nothing else
// can be clicked while one is up.
#include "platform/errormanager.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>

namespace jurnal {

ErrorManager& ErrorManager::instance() {
  static ErrorManager manager;
  return manager;
}

void ErrorManager::init() { setErrorSink(this); }

void ErrorManager::release() { setErrorSink(nullptr); }

void ErrorManager::setProcedureName(const QString& name) { m_names.push_back(name); }

void ErrorManager::restoreProcedureName() {
  if (!m_names.isEmpty()) m_names.pop_back();
}

QString ErrorManager::procedureName() const { return m_names.isEmpty() ? QString() : m_names.back(); }

void ErrorManager::report(const ErrorReport& r) {
  const QString title = QString::fromStdString(r.title);
  const QString text = QString::fromStdString(r.text);
  switch (r.level) {
    case ErrorLevel::Notice: notice(title, text); break;
    case ErrorLevel::Question: question(title, text); break;
    case ErrorLevel::Fatal: fatal(title, text); break;
  }
}

void ErrorManager::notice(const QString& title, const QString& text) {
  if (m_capture) {
    m_messages.push_back({ErrorLevel::Notice, title, text});
    return;
  }
  QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

bool ErrorManager::question(const QString& title, const QString& text) {
  if (m_capture) {
    m_messages.push_back({ErrorLevel::Question, title, text});
    return nextScriptedAnswer(Answer::Yes) == Answer::Yes;
  }
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

Answer ErrorManager::questionYesNoCancel(const QString& title, const QString& text, Answer defaultAnswer) {
  if (m_capture) {
    m_messages.push_back({ErrorLevel::Question, title, text});
    return nextScriptedAnswer(defaultAnswer);
  }
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                  QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.setDefaultButton(defaultAnswer == Answer::Yes  ? QMessageBox::Yes
                       : defaultAnswer == Answer::No ? QMessageBox::No
                                                     : QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

void ErrorManager::fatal(const QString& title, const QString& text) {
  if (m_capture) {
    m_messages.push_back({ErrorLevel::Fatal, title, text});
    return;
  }
  {
    QMessageBox box(QMessageBox::Critical, title, text + QStringLiteral("  Press OK to end this application"),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
  }
  {
    QMessageBox halt(QMessageBox::Critical, QStringLiteral("Halt"), text, QMessageBox::Ok,
                     QApplication::activeWindow());
    halt.setWindowModality(Qt::ApplicationModal);
    halt.exec();
  }
  // Ends at once: no settings are saved, no window is asked to close.
  std::_Exit(EXIT_FAILURE);
}

void ErrorManager::setCaptureMode(bool on) {
  m_capture = on;
  m_messages.clear();
  m_answers.clear();
}

void ErrorManager::scriptAnswers(const QList<Answer>& answers) { m_answers = answers; }

QList<ErrorManager::Message> ErrorManager::takeMessages() {
  QList<Message> out;
  out.swap(m_messages);
  return out;
}

Answer ErrorManager::nextScriptedAnswer(Answer fallback) {
  if (m_answers.isEmpty()) return fallback;
  return m_answers.takeFirst();
}

}  // namespace jurnal
