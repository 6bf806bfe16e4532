// Shared fixture of the contact-entry tests: a scratch folder, a fixed clock, a fake keyboard,
// the entry procedures registered, and a contact form opened on a logical thread of its own.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>
#include <vector>

#include "core/daytime.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "core/jurnalfile.h"
#include "core/records.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "entry/entryprocedures.h"
#include "entry/updatejurnal.h"
#include "platform/context.h"
#include "platform/errormanager.h"
#include "platform/keyboardlayoutfake.h"
#include "platform/runtime.h"
#include "support/testsupport.h"

namespace jurnal::test {

inline JurnalRecord makeContact(const char* radio, const char* qth = "", const char* op = "") {
  JurnalRecord r;
  r.clear();
  r.date = dateFromCalendar(2003, 7, 14);
  r.uts = timeFromClock(18, 20);
  r.band = 7.0;
  setField(r.radio, utf8ToCp1251(radio));
  setField(r.rss, "57");
  setField(r.rsr, "58");
  setField(r.qth, utf8ToCp1251(qth));
  setField(r.operatorName, utf8ToCp1251(op));
  return r;
}

class EntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) registerEntryProcedures(Runtime::instance().registry());
    registered = true;
    m_clock.set(dateFromCalendar(2004, 3, 5), timeFromClock(10, 15, 30));
    Clock::setCurrent(&m_clock);
    KeyboardLayout::setCurrent(&m_keyboard);
    UpdateJurnal::clearRecallRecord();
    ErrorManager::instance().takeMessages();
  }

  void TearDown() override {
    if (m_form) m_form->finish(2);
    pumpEvents();
    m_thread.reset();
    m_store.reset();
    Clock::setCurrent(nullptr);
    KeyboardLayout::setCurrent(nullptr);
  }

  // Opens the form with `request` on the browse's thread, whose buffer holds `rec` (id `id`).
  UpdateJurnal* openForm(std::uint8_t request, const std::optional<JurnalRecord>& rec = {}, std::int64_t id = 0) {
    if (!m_thread) m_thread = std::make_shared<Context>();
    if (rec) m_thread->files().jurnal = *rec;
    m_thread->files().jurnalId = id;
    m_response.reset();
    globals().request = request;
    auto* form = new UpdateJurnal(m_thread);
    Runtime::instance().call(nullptr, form, [this](int response) { m_response = response; });
    m_form = form;
    return form;
  }

  template <class T>
  T* control(const char* name) const {
    T* c = m_form && m_form->window() ? m_form->window()->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  QString text(const char* name) const {
    if (auto* e = control<QLineEdit>(name)) return e->text();
    return {};
  }
  QString label(const char* name) const {
    if (auto* l = control<QLabel>(name)) return l->text();
    return {};
  }
  // Types into an entry as the operator would and accepts it with Enter.
  void type(const char* name, const QString& value) {
    QLineEdit* e = control<QLineEdit>(name);
    if (!e) return;
    e->selectAll();
    e->del();
    e->insert(value);  // typed text (key clicks only know ASCII)
    QTest::keyClick(e, Qt::Key_Return);
  }
  static void focusIn(QWidget* w) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &in);
  }
  void click(const char* name) {
    if (auto* b = control<QAbstractButton>(name)) b->click();
    pumpEvents();
  }
  bool formOpen() const { return !m_form.isNull() && !m_response.has_value(); }

  // The log as stored, read on a thread of its own.
  std::vector<JurnalRow> stored() {
    ThreadFiles& files = store().files();
    return files.jurnalFile() ? files.jurnalFile()->read(JurSelection{}, std::nullopt, true, true, 1000)
                              : std::vector<JurnalRow>{};
  }
  std::int64_t storeContact(const JurnalRecord& rec) {
    ThreadFiles& files = store().files();
    files.jurnal = rec;
    std::int64_t id = 0;
    EXPECT_TRUE(FileManager::jurnal().insert(files, &id).ok());
    return id;
  }
  void removeStored(std::int64_t id) { EXPECT_TRUE(FileManager::jurnal().remove(store().files(), id).ok()); }
  Context& store() {
    if (!m_store) {
      m_store = std::make_shared<Context>();
      FileManager::jurnal().open(m_store->files());
    }
    return *m_store;
  }

  ScratchFolder m_folder;
  FixedClock m_clock{0, 0};
  KeyboardLayoutFake m_keyboard;
  ContextPtr m_thread;
  ContextPtr m_store;
  QPointer<UpdateJurnal> m_form;
  std::optional<int> m_response;
};

}  // namespace jurnal::test
