// The browse manager over a keyed view: it holds one page of rows only, and scrolling, paging,
// jumps to either end, the scroll bar and refills after deletions read by key position.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <memory>
#include <set>

#include "core/filemanager.h"
#include "core/fixedtext.h"
#include "core/threadfiles.h"
#include "platform/browsejurnalview.h"
#include "platform/browsemanager.h"
#include "platform/context.h"
#include "platform/dialogunits.h"
#include "support/testsupport.h"

using namespace jurnal;

namespace {

class BrowseManagerTest : public ::testing::Test {
 protected:
  static constexpr int kContacts = 200;

  void SetUp() override {
    m_folder = std::make_unique<test::ScratchFolder>();
    m_context = std::make_shared<Context>();
    ThreadFiles& files = m_context->files();
    ASSERT_TRUE(FileManager::jurnal().open(files));
    // Dates 1..200, with a run of equal dates (50..59 all on day 50) to test ties.
    for (int i = 1; i <= kContacts; ++i) {
      files.jurnal.clear();
      files.jurnal.date = i >= 50 && i < 60 ? 50 : i;
      setField(files.jurnal.radio, "C" + std::to_string(i));
      ASSERT_TRUE(FileManager::jurnal().insert(files, &m_ids[i]).ok());
    }
    m_list = new QTableView(&m_window);
    m_bar = new QScrollBar(Qt::Vertical, &m_window);
    m_list->setGeometry(0, 0, 300, 200);
    m_bar->setGeometry(300, 0, 16, 200);
    m_window.resize(320, 200);
    m_window.show();
    std::vector<JurSelection> orders(1);
    auto view = std::make_unique<BrowseJurnalView>(files, orders, [](const JurnalRecord& rec, BrowseRow& row) {
      row.values = {QString::fromLatin1(fieldText(rec.radio).data(), static_cast<int>(fieldText(rec.radio).size()))};
    });
    m_browse = new BrowseManager(m_list, m_bar, std::move(view), &m_window);
    m_browse->setColumns({{QStringLiteral("RADIO"), 40}}, DialogUnits(m_window.font()));
    m_browse->start();
    m_page = m_browse->pageSize();
  }
  void TearDown() override {
    delete m_browse;
    FileManager::jurnal().close(m_context->files());
    m_context.reset();
    m_folder.reset();
  }

  // The callsign number of the highlighted row and of the page's first and last rows.
  int highlighted() const { return number(m_browse->current()); }
  int first() const { return number(&m_browse->model()->rows().front()); }
  int last() const { return number(&m_browse->model()->rows().back()); }
  static int number(const BrowseRow* row) { return row ? row->values[0].mid(1).toInt() : -1; }

  std::unique_ptr<test::ScratchFolder> m_folder;
  ContextPtr m_context;
  std::int64_t m_ids[kContacts + 1] = {};
  QWidget m_window;
  QTableView* m_list = nullptr;
  QScrollBar* m_bar = nullptr;
  BrowseManager* m_browse = nullptr;
  int m_page = 0;
};

TEST_F(BrowseManagerTest, HoldsOnePageAndWalksByKeyPosition) {
  ASSERT_GT(m_page, 3);
  ASSERT_LT(m_page, kContacts);
  EXPECT_EQ(m_browse->rowCount(), m_page);
  EXPECT_EQ(highlighted(), 1);
  EXPECT_EQ(m_bar->value(), 0);

  // Down past the last row of the page scrolls by one record.
  for (int i = 1; i < m_page; ++i) QTest::keyClick(m_list, Qt::Key_Down);
  EXPECT_EQ(highlighted(), m_page);
  EXPECT_EQ(first(), 1);
  QTest::keyClick(m_list, Qt::Key_Down);
  EXPECT_EQ(highlighted(), m_page + 1);
  EXPECT_EQ(first(), 2);
  EXPECT_EQ(m_browse->rowCount(), m_page);

  QTest::keyClick(m_list, Qt::Key_End);
  EXPECT_EQ(highlighted(), kContacts);
  EXPECT_EQ(last(), kContacts);
  EXPECT_EQ(m_browse->rowCount(), m_page);
  EXPECT_EQ(m_bar->value(), m_bar->maximum());
  QTest::keyClick(m_list, Qt::Key_Down);
  EXPECT_EQ(highlighted(), kContacts) << "the end stays the end";

  // Paging down from the start covers the run of equal dates without losing a record.
  QTest::keyClick(m_list, Qt::Key_Home);
  EXPECT_EQ(highlighted(), 1);
  std::vector<int> walked;
  std::set<int> seen;
  for (int guard = 0; guard < kContacts; ++guard) {
    for (const BrowseRow& r : m_browse->model()->rows())
      if (seen.insert(number(&r)).second) walked.push_back(number(&r));
    if (last() == kContacts) break;
    QTest::keyClick(m_list, Qt::Key_PageDown);
  }
  ASSERT_EQ(static_cast<int>(walked.size()), kContacts);
  for (int i = 0; i < kContacts; ++i) EXPECT_EQ(walked[static_cast<std::size_t>(i)], i + 1);
}

TEST_F(BrowseManagerTest, ScrollBarDragPositionsByValueScale) {
  m_bar->setSliderPosition(500);  // emits sliderMoved as a drag does
  emit m_bar->sliderMoved(500);
  // Half way between day 1 and day 200 is about day 100.
  EXPECT_NEAR(highlighted(), 100, 2);
  EXPECT_EQ(m_browse->rowCount(), m_page);
}

TEST_F(BrowseManagerTest, RefillKeepsTheHighlightOrTakesTheNextRecord) {
  for (int i = 0; i < 3; ++i) QTest::keyClick(m_list, Qt::Key_Down);
  ASSERT_EQ(highlighted(), 4);
  ThreadFiles other;
  ASSERT_TRUE(FileManager::jurnal().open(other));
  // Another thread deletes a row above the highlight: the highlight stays on its record.
  ASSERT_TRUE(FileManager::jurnal().remove(other, m_ids[2]).ok());
  ASSERT_TRUE(test::waitFor([&] { return m_browse->model()->rows()[1].values[0] == QStringLiteral("C3"); }));
  EXPECT_EQ(highlighted(), 4);
  // It deletes the highlighted record: the next one takes its place.
  ASSERT_TRUE(FileManager::jurnal().remove(other, m_ids[4]).ok());
  ASSERT_TRUE(test::waitFor([&] { return highlighted() == 5; }));
  FileManager::jurnal().close(other);
}

}  // namespace
