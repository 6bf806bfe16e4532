// The three ways of running a procedure.
#include "platform/runtime.h"

#include <QWidget>

#include "platform/procedure.h"

namespace jurnal {

void ProcedureRegistry::add(const QString& name, ProcedureFactory factory) { m_factories.insert(name, std::move(factory)); }

Procedure* ProcedureRegistry::create(const QString& name, ContextPtr context) const {
  const auto it = m_factories.find(name);
  return it == m_factories.end() ? nullptr : it.value()(std::move(context));
}

Runtime& Runtime::instance() {
  static Runtime runtime;
  return runtime;
}

ContextPtr Runtime::frameContext() {
  if (!m_frameContext) m_frameContext = std::make_shared<Context>();
  return m_frameContext;
}

Procedure* Runtime::startOnNewThread(const QString& name) {
  if (Context::liveCount() >= Context::kMaxThreads || !m_registry.has(name)) return nullptr;
  Procedure* procedure = m_registry.create(name, std::make_shared<Context>());
  if (!procedure) return nullptr;
  QPointer<Procedure> guard(procedure);
  procedure->start();
  return guard.data();
}

Procedure* Runtime::call(Procedure* caller, const QString& name, std::function<void(int)> done) {
  Procedure* callee = m_registry.create(name, caller ? caller->contextPtr() : frameContext());
  if (!callee) {
    if (done) done(2);
    return nullptr;
  }
  return call(caller, callee, std::move(done));
}

Procedure* Runtime::call(Procedure* caller, Procedure* callee, std::function<void(int)> done) {
  QPointer<Procedure> callerGuard(caller);
  QPointer<QWidget> callerWindow(caller ? caller->frameWindow() : nullptr);
  if (callerWindow) callerWindow->setEnabled(false);
  const bool hadCaller = caller != nullptr;
  QObject::connect(callee, &Procedure::finished, callee, [hadCaller, callerGuard, callerWindow, done](int response) {
    if (callerWindow) {
      callerWindow->setEnabled(true);
      callerWindow->activateWindow();
    }
    if (done && (!hadCaller || callerGuard)) done(response);
  });
  QPointer<Procedure> guard(callee);
  callee->start();
  return guard.data();
}

Procedure* Runtime::runOnFrameThread(const QString& name, std::function<void(int)> done) {
  Procedure* procedure = m_registry.create(name, frameContext());
  if (!procedure) {
    if (done) done(2);
    return nullptr;
  }
  if (m_frameSuspension++ == 0) emit frameSuspendedChanged(true);
  QObject::connect(procedure, &Procedure::finished, this, [this, done](int response) {
    if (--m_frameSuspension == 0) emit frameSuspendedChanged(false);
    if (done) done(response);
  });
  QPointer<Procedure> guard(procedure);
  procedure->start();
  return guard.data();
}

}  // namespace jurnal
