// Helpers for the Qt-layer tests: a private working folder (the log's files and the settings
// file live in the working directory), the error manager in capture mode, event pumping.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>

namespace jurnal::test {

// Makes a fresh temporary folder the working directory for the life of the object, points
// the settings file at ./config.ini in it, resets the globals and captures every message.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  QString path() const { return m_dir.path(); }
  QString file(const QString& name) const { return m_dir.filePath(name); }
  QByteArray read(const QString& name) const;

 private:
  QTemporaryDir m_dir;
  QString m_previous;
};

// Processes events until `done` holds or `ms` milliseconds pass; returns `done()`.
bool waitFor(const std::function<bool()>& done, int ms = 3000);
// Processes pending events (posted deletes included).
void pumpEvents();

}  // namespace jurnal::test
