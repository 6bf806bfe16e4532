// The window-procedure pattern and the three ways of running a procedure.
#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include "core/globals.h"
#include "platform/errormanager.h"
#include "platform/procedure.h"
#include "platform/runtime.h"
#include "support/testsupport.h"

using namespace jurnal;

namespace {

// A window procedure that records what happened to it.
class Probe final : public Procedure {
 public:
  Probe(const QString& name, ContextPtr context, bool openOk = true)
      : Procedure(name, std::move(context)), m_openOk(openOk) {
    setPlacement(Placement::TopLevel);
    setResizable(true);
  }
  bool opened = false, closedFiles = false, handedBack = false, allowClose = true;
  QString nameWhileRunning;

 protected:
  bool openFiles() override {
    opened = true;
    return m_openOk;
  }
  void closeFiles() override { closedFiles = true; }
  QWidget* createWindow() override {
    auto* w = new QWidget;
    w->setWindowTitle(name());
    w->resize(200, 100);
    nameWhileRunning = ErrorManager::instance().procedureName();
    return w;
  }
  bool queryClose() override { return allowClose; }
  void aboutToEnd() override { handedBack = true; }

 private:
  bool m_openOk;
};

}  // namespace

TEST(Procedure, TakesOverTheRequestAndLeavesItsOutcome) {
  test::ScratchFolder folder;
  ErrorManager::instance().setProcedureName(QStringLiteral("Main"));
  globals().request = Request::Change;
  globals().response = Response::Completed;
  auto* probe = new Probe(QStringLiteral("probe"), std::make_shared<Context>());
  QPointer<Probe> guard(probe);
  int outcome = -1;
  QObject::connect(probe, &Procedure::finished, [&](int r) { outcome = r; });
  ASSERT_TRUE(probe->start());
  EXPECT_EQ(probe->request(), Request::Change);
  EXPECT_EQ(globals().request, Request::None);
  EXPECT_EQ(globals().response, Response::None);
  EXPECT_EQ(probe->nameWhileRunning.toStdString(), "probe");

  probe->allowClose = false;
  probe->requestClose();
  EXPECT_TRUE(probe->isRunning()) << "a refused close keeps the window";
  probe->allowClose = true;
  probe->requestClose();
  EXPECT_TRUE(probe->handedBack);
  EXPECT_TRUE(probe->closedFiles);
  EXPECT_EQ(outcome, Response::Cancelled);
  EXPECT_EQ(globals().response, Response::Cancelled);
  EXPECT_EQ(ErrorManager::instance().procedureName().toStdString(), "Main");
  test::pumpEvents();
  EXPECT_TRUE(guard.isNull());
  // The window was opened, so its section was saved.
  EXPECT_TRUE(folder.read(QStringLiteral("config.ini")).startsWith("[probe]\r\nMaximize=No\r\nXPos="));
  ErrorManager::instance().restoreProcedureName();
}

TEST(Procedure, FilesThatCannotBeOpenedEndItWithoutAWindowOrSection) {
  test::ScratchFolder folder;
  auto* probe = new Probe(QStringLiteral("probe"), std::make_shared<Context>(), false);
  int outcome = -1;
  QObject::connect(probe, &Procedure::finished, [&](int r) { outcome = r; });
  EXPECT_FALSE(probe->start());
  EXPECT_EQ(outcome, Response::Cancelled);
  test::pumpEvents();
  EXPECT_TRUE(folder.read(QStringLiteral("config.ini")).isEmpty());
}

TEST(Runtime, CallAndWaitSharesTheThreadAndDisablesTheCaller) {
  test::ScratchFolder folder;
  auto& registry = Runtime::instance().registry();
  registry.add(QStringLiteral("probe-callee"), [](ContextPtr c) { return new Probe(QStringLiteral("probe-callee"), c); });
  registry.add(QStringLiteral("probe-caller"), [](ContextPtr c) { return new Probe(QStringLiteral("probe-caller"), c); });

  Procedure* caller = Runtime::instance().startOnNewThread(QStringLiteral("probe-caller"));
  Procedure* other = Runtime::instance().startOnNewThread(QStringLiteral("probe-caller"));
  ASSERT_TRUE(caller && other);
  EXPECT_NE(&caller->context(), &other->context()) << "each start has a logical thread of its own";

  int outcome = -1;
  Procedure* callee = Runtime::instance().call(caller, QStringLiteral("probe-callee"), [&](int r) { outcome = r; });
  ASSERT_TRUE(callee);
  EXPECT_EQ(&callee->context(), &caller->context());
  EXPECT_FALSE(caller->frameWindow()->isEnabled());
  EXPECT_TRUE(other->frameWindow()->isEnabled()) << "other threads go on";
  caller->requestClose();
  EXPECT_TRUE(caller->isRunning()) << "a waiting window cannot close";
  callee->finish(Response::Completed);
  EXPECT_EQ(outcome, Response::Completed);
  EXPECT_TRUE(caller->frameWindow()->isEnabled());
  caller->requestClose();
  other->requestClose();
  test::pumpEvents();
}

TEST(Runtime, FrameThreadSuspendsTheFrameUntilTheWindowEnds) {
  test::ScratchFolder folder;
  Runtime::instance().registry().add(QStringLiteral("probe-frame"),
                                     [](ContextPtr c) { return new Probe(QStringLiteral("probe-frame"), c); });
  QList<bool> changes;
  auto connection = QObject::connect(&Runtime::instance(), &Runtime::frameSuspendedChanged,
                                     [&](bool s) { changes << s; });
  Procedure* p = Runtime::instance().runOnFrameThread(QStringLiteral("probe-frame"));
  ASSERT_TRUE(p);
  EXPECT_TRUE(Runtime::instance().frameSuspended());
  EXPECT_EQ(&p->context(), Runtime::instance().frameContext().get());
  p->requestClose();
  EXPECT_FALSE(Runtime::instance().frameSuspended());
  EXPECT_EQ(changes, (QList<bool>{true, false}));
  QObject::disconnect(connection);
  test::pumpEvents();
}

TEST(ErrorManager, CaptureModeRecordsAndAnswersAsScripted) {
  test::ScratchFolder folder;
  auto& em = ErrorManager::instance();
  em.scriptAnswers({Answer::No, Answer::Cancel});
  EXPECT_FALSE(em.question(QStringLiteral("Q"), QStringLiteral("?")));
  EXPECT_EQ(em.questionYesNoCancel(QStringLiteral("Q2"), QStringLiteral("?"), Answer::Yes), Answer::Cancel);
  EXPECT_EQ(em.questionYesNoCancel(QStringLiteral("Q3"), QStringLiteral("?"), Answer::Cancel), Answer::Cancel)
      << "with the script used up the default answers";
  em.report(makeErrorReport(ErrorCode::AccessDenied, "Jurnal"));
  const auto messages = em.takeMessages();
  ASSERT_EQ(messages.size(), 4);
  EXPECT_EQ(messages[3].level, ErrorLevel::Notice);
  EXPECT_EQ(messages[3].title.toStdString(), "Access Denied");
  EXPECT_EQ(messages[3].text.toStdString(), "Could not get write access to Jurnal so trying read-only.");
}
