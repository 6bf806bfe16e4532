// The contact history lookup: the earlier contacts of one callsign in any letter case, and
// the location and operator handed back however the window closes.
#include <gtest/gtest.h>

#include <QTableView>

#include "browse/lookcontact.h"
#include "browsetestsupport.h"

using namespace jurnal;
using namespace jurnal::test;

namespace {

class LookContactTest : public BrowseFixture {
 protected:
  void SetUp() override {
    BrowseFixture::SetUp();
    m_caller = std::make_shared<Context>();
    // The form's contact being entered, in the caller's JURNAL buffer.
    m_caller->files().jurnal = makeContact({.radio = "NEW", .qth = "Тула", .operatorName = "Иван"});
  }

  // Opens the lookup for `callsign` on the caller's thread.
  LookContact* look(const char* callsign) {
    globals().radioLook.set(utf8ToCp1251(callsign));
    auto* p = new LookContact(m_caller);
    m_looks.push_back(p);
    Runtime::instance().call(nullptr, p, [this](int) { ++m_ended; });
    return m_looks.back() ? static_cast<LookContact*>(m_looks.back().data()) : nullptr;
  }
  void close(LookContact* p, bool closeBox) {
    if (closeBox)
      p->frameWindow()->close();
    else
      p->window()->findChild<QAbstractButton*>(QStringLiteral("CLOSE"))->click();
    ASSERT_TRUE(waitFor([&] { return m_ended == 1; }));
  }
  static std::string handedQth() { return utf8(globals().lookQth.view()); }
  static std::string handedOperator() { return utf8(globals().lookOperator.view()); }

  ContextPtr m_caller;
  std::vector<QPointer<Procedure>> m_looks;
  int m_ended = 0;
};

TEST_F(LookContactTest, CallsignNeverWorkedKeepsTheFormsValues) {
  add({.date = 1, .radio = "UA1AAA", .qth = "Москва", .operatorName = "Пётр"});
  LookContact* p = look("UA9ZZZ");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->browse()->rowCount(), 0);
  close(p, true);
  EXPECT_EQ(handedQth(), "Тула");
  EXPECT_EQ(handedOperator(), "Иван");
}

TEST_F(LookContactTest, ListsEveryCaseOfTheCallsignAndHandsBackTheHighlightedRow) {
  add({.date = 3, .radio = "UA1AAA", .qth = "Москва", .operatorName = "Пётр"});
  add({.date = 1, .radio = "UB5BBB", .qth = "Киев", .operatorName = "Олег"});
  add({.date = 2, .radio = "ua1aaa", .qth = "Химки", .operatorName = "Павел"});
  add({.date = 1, .radio = "Ua1Aaa", .qth = "", .operatorName = ""});
  const struct {
    const char* typed;
    int downs;
    bool closeBox;
    const char* qth;
    const char* op;
  } cases[] = {
      {"ua1aaa", 0, false, "Москва", "Пётр"},  // the first in key order: the first added
      {"UA1AAA", 1, true, "Химки", "Павел"},
      {"Ua1aAA", 2, false, "", ""},           // a blank location blanks the form's field
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    m_ended = 0;
    LookContact* p = look(c.typed);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->browse()->rowCount(), 3);
    EXPECT_EQ(p->browse()->currentRow(), 0);
    for (int i = 0; i < c.downs; ++i) QTest::keyClick(listOf(p), Qt::Key_Down);
    close(p, c.closeBox);
    EXPECT_EQ(handedQth(), c.qth);
    EXPECT_EQ(handedOperator(), c.op);
  }
}

TEST_F(LookContactTest, FullLengthLocationComesBackUnchanged) {
  add({.date = 1, .radio = "R1", .qth = "Петропавловск-К", .operatorName = "Анна"});
  LookContact* p = look("r1");
  close(p, false);
  EXPECT_EQ(handedQth(), "Петропавловск-К");
}

}  // namespace
