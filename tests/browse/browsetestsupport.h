// Helpers of the browsing tests: a scratch folder with a writer on a logical thread of its
// own (another window, as far as the browse can tell), contacts built from UTF-8 texts, and
// the procedures started by name.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>
#include <memory>
#include <string_view>

#include "browse/browseprocedures.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "core/records.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "platform/browsemanager.h"
#include "platform/context.h"
#include "platform/runtime.h"
#include "support/testsupport.h"

namespace jurnal::test {

struct Contact {
  std::int32_t date = 0;
  double band = 0;
  std::string_view radio = {}, qth = {}, diplom = {};
  std::int16_t bonus = 0;
  std::string_view remarks = {}, qslRes = {}, qlsSend = {}, operatorName = {};
};

inline JurnalRecord makeContact(const Contact& c) {
  JurnalRecord r;
  r.clear();
  r.date = c.date;
  r.band = c.band;
  setField(r.radio, utf8ToCp1251(c.radio));
  setField(r.qth, utf8ToCp1251(c.qth));
  setField(r.diplom, utf8ToCp1251(c.diplom));
  setField(r.remarks, utf8ToCp1251(c.remarks));
  setField(r.qslRes, c.qslRes);
  setField(r.qlsSend, c.qlsSend);
  setField(r.operatorName, utf8ToCp1251(c.operatorName));
  r.bonus = c.bonus;
  return r;
}

inline std::string utf8(std::string_view cp1251) { return cp1251ToUtf8(trimRight(cp1251)); }

// Types text into a widget key by key (QTest::keyClicks knows only ASCII).
inline void typeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    const int key = c.isLetterOrNumber() && c.unicode() < 128 ? c.toUpper().unicode() : Qt::Key_unknown;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

class BrowseFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) registerBrowseProcedures(Runtime::instance().registry());
    registered = true;
    m_folder = std::make_unique<ScratchFolder>();
    m_writer = std::make_shared<Context>();
    ASSERT_TRUE(FileManager::jurnal().open(m_writer->files()));
  }
  void TearDown() override {
    // Windows called from the started ones close first, as a user would close them.
    for (int pass = 0; pass < 4; ++pass) {
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->isEnabled())
          if (auto* close = top->findChild<QAbstractButton*>(QStringLiteral("CLOSE"))) close->click();
      pumpEvents();
    }
    for (auto& p : m_started)
      if (p) p->finish(2);
    pumpEvents();
    FileManager::jurnal().close(m_writer->files());
    m_writer.reset();
    m_folder.reset();
  }

  std::int64_t add(const Contact& c) {
    m_writer->files().jurnal = makeContact(c);
    std::int64_t id = 0;
    EXPECT_TRUE(FileManager::jurnal().insert(m_writer->files(), &id).ok());
    return id;
  }

  template <class P>
  P* start(const QString& name) {
    Procedure* p = Runtime::instance().startOnNewThread(name);
    m_started.push_back(p);
    return qobject_cast<P*>(p);
  }

  // The list's column texts of every row on the page.
  static std::vector<QString> column(BrowseManager* browse, int col) {
    std::vector<QString> out;
    for (const BrowseRow& row : browse->model()->rows()) out.push_back(row.values.value(col).trimmed());
    return out;
  }

  static QTableView* listOf(Procedure* p) { return p->window()->findChild<QTableView*>(QStringLiteral("BROWSE:1")); }

  std::unique_ptr<ScratchFolder> m_folder;
  ContextPtr m_writer;
  std::vector<QPointer<Procedure>> m_started;
};

}  // namespace jurnal::test
