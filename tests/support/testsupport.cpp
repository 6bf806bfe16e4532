// Scratch folders and event pumping for the Qt-layer tests.
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "core/globals.h"
#include "platform/errormanager.h"
#include "platform/inisections.h"

namespace jurnal::test {

ScratchFolder::ScratchFolder() : m_previous(QDir::currentPath()) {
  QDir::setCurrent(m_dir.path());
  setIniFilePath(QStringLiteral("./config.ini"));
  resetGlobals();
  ErrorManager::instance().setCaptureMode(true);
}

ScratchFolder::~ScratchFolder() {
  pumpEvents();
  QDir::setCurrent(m_previous);
}

QByteArray ScratchFolder::read(const QString& name) const {
  QFile f(file(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool waitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return done();
}

void pumpEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

}  // namespace jurnal::test
