// Starting procedures: on a new logical thread, called-and-waited-for on the caller's thread,
// or on the frame's own thread. Procedures are found by name in one registry, so features
// never include each other.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "platform/context.h"

#include <QMdiArea>

namespace jurnal {

class Procedure;

using ProcedureFactory = std::function<Procedure*(ContextPtr)>;

class ProcedureRegistry final {
 public:
  void add(const QString& name, ProcedureFactory factory);
  bool has(const QString& name) const { return m_factories.contains(name); }
  Procedure* create(const QString& name, ContextPtr context) const;

 private:
  QHash<QString, ProcedureFactory> m_factories;
};

class Runtime final : public QObject {
  Q_OBJECT
 public:
  static Runtime& instance();

  ProcedureRegistry& registry() { return m_registry; }

  // The frame's area for child windows; without one (tests, headless), windows are top-level.
  void setMdiArea(QMdiArea* area) { m_area = area; }
  QMdiArea* mdiArea() const { return m_area; }

  // The logical thread of the frame itself.
  ContextPtr frameContext();

  // Starts a procedure on a new logical thread and returns at once. Does nothing (returns
  // null) when the thread table is full or no such procedure is registered.
  Procedure* startOnNewThread(const QString& name);

  // Calls a procedure on the caller's thread and waits for it: the caller's window is
  // disabled until the called window ends; then `done` runs with its outcome (only if the
  // caller is still alive). Returns the started procedure, or null when it ended at once
  // (its `done` has then run already).
  Procedure* call(Procedure* caller, const QString& name, std::function<void(int response)> done = {});
  Procedure* call(Procedure* caller, Procedure* callee, std::function<void(int response)> done = {});

  // Runs a procedure on the frame's own thread: the frame's menu and clock are suspended
  // until it ends; windows of other threads go on working.
  Procedure* runOnFrameThread(const QString& name, std::function<void(int response)> done = {});
  bool frameSuspended() const { return m_frameSuspension > 0; }

 signals:
  void frameSuspendedChanged(bool suspended);

 private:
  Runtime() = default;

  ProcedureRegistry m_registry;
  QPointer<QMdiArea> m_area;
  ContextPtr m_frameContext;
  int m_frameSuspension = 0;
};

}  // namespace jurnal
