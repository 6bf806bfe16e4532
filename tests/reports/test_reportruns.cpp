// The four reports run headless over a scratch log: which contacts each range selects, in
// which order, the formats on the page, page breaks and the diploma report's running total.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "core/filemanager.h"
#include "core/globals.h"
#include "core/reportformat.h"
#include "core/threadfiles.h"
#include "reports/reportfixture.h"
#include "reports/reportrun.h"

namespace jurnal {
namespace {

using test::Contact;
using Outcome = ProcessManager::Outcome;

std::int32_t d(int y, int m, int day) { return dateFromCalendar(y, m, day); }

// The callsigns printed, in order (the detail's callsign column).
QStringList printedCalls(const HeadlessReport& r) {
  QStringList calls;
  for (const ReportPage& page : r.pages) {
    // The callsigns of this log are the only texts shaped like a call.
    for (const ReportDrawOp& op : page.ops) {
      static const QRegularExpression call(QStringLiteral("^[A-Z]{1,2}\\d[A-Z/]*$"),
                                           QRegularExpression::CaseInsensitiveOption);
      if (call.match(op.text).hasMatch()) calls << op.text;
    }
  }
  return calls;
}

class ReportRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    test::addContacts({
        {d(2004, 2, 28), 1, 14.074, "UA1AAA", "R-100-O", 5},
        {d(2004, 3, 1), 1, 7.05, "UA3ABC", "r-100-o", 10},
        {d(2004, 3, 31), 1, 0, "ua3abc", "", 0},
        {d(2004, 4, 1), 1, 144.8, "UA9ZZZ", "W-100-U", 3},
        {0, 0, 3.5, "RV3ABC/QRPP", "R-100-O", 3},
        {d(2004, 3, 15), 1, 21.0, "", "R-100-O", 1},
    });
  }

  HeadlessReport run(const ReportDefinition& def) { return runReportHeadless(def, m_files); }

  test::ScratchFolder m_folder;
  ThreadFiles m_files;
};

TEST_F(ReportRuns, RangesSelectTheRightContacts) {
  const struct {
    const char* name;
    std::function<void()> set;
    ReportDefinition (*def)();
    Outcome outcome;
    QStringList calls;
  } cases[] = {
      {"period inclusive at both ends", [] { globals().date = d(2004, 3, 1); globals().date2 = d(2004, 3, 31); },
       &printJurIndex, Outcome::Completed, {"UA3ABC", "UA3ABC"}},
      {"one day", [] { globals().date = d(2004, 3, 31); globals().date2 = d(2004, 3, 31); }, &printJurIndex,
       Outcome::Completed, {"UA3ABC"}},
      {"start after end", [] { globals().date = d(2004, 4, 1); globals().date2 = d(2004, 3, 1); }, &printJurIndex,
       Outcome::NoRecords, {}},
      {"both dates zero: undated contacts", [] { globals().date = 0; globals().date2 = 0; }, &printJurIndex,
       Outcome::Completed, {"RV3ABC/QRPP"}},
      {"frequency order, zero left out", [] {}, &printJurBandKey, Outcome::Completed,
       {"RV3ABC/QRPP", "UA3ABC", "UA1AAA", "UA9ZZZ"}},
      {"callsign typed in lower case", [] { globals().radio.set("ua3abc"); }, &printJurRadioKey,
       Outcome::Completed, {"UA3ABC", "UA3ABC"}},
      {"callsign of 11 characters", [] { globals().radio.set("rv3abc/qrpp"); }, &printJurRadioKey,
       Outcome::Completed, {"RV3ABC/QRPP"}},
      {"blank callsign selects nothing", [] { globals().radio.set(""); }, &printJurRadioKey, Outcome::NoRecords, {}},
      {"callsign not in the log", [] { globals().radio.set("UA3AB"); }, &printJurRadioKey, Outcome::NoRecords, {}},
      {"diploma in any case", [] { globals().setDiplom("R-100-o"); }, &printJurDiplomKey, Outcome::Completed,
       {"UA1AAA", "UA3ABC", "RV3ABC/QRPP"}},
      {"empty diploma", [] { globals().setDiplom(""); }, &printJurDiplomKey, Outcome::NoRecords, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    resetGlobals();
    c.set();
    const HeadlessReport r = run(c.def());
    EXPECT_EQ(r.outcome, c.outcome);
    // Lower-case calls are stored as typed; compare as printed, in upper case.
    EXPECT_EQ(printedCalls(r).join(' ').toUpper(), c.calls.join(' '));
    EXPECT_EQ(r.pages.empty(), c.outcome != Outcome::Completed);
  }
  // The contact without a callsign is printed by the date report like any other.
  resetGlobals();
  globals().date = d(2004, 3, 15);
  globals().date2 = d(2004, 3, 15);
  const HeadlessReport r = run(printJurIndex());
  EXPECT_EQ(r.records, 1);
  EXPECT_TRUE(printedCalls(r).isEmpty());
}

TEST_F(ReportRuns, HeaderDetailAndFooterTexts) {
  globals().date = d(2004, 3, 1);
  globals().date2 = d(2004, 3, 31);
  const HeadlessReport r = run(printJurIndex());
  ASSERT_EQ(r.pages.size(), 1u);
  const QStringList texts = test::pageTexts(r.pages[0]);
  for (const char* expected : {"Отчет за период с", " 1.03.2004", "по", "31.03.2004", "Дата", "Время", "Частота",
                               "Оператор", "Позывной", "Город", "RSS", "RSR", " 0:00", "7.05", "     59.00",
                               "Страница    1"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
  }
}

TEST(ReportPages, FormatsOnTheFrequencyReport) {
  test::ScratchFolder folder;
  test::addContacts({{d(2004, 3, 1), timeFromClock(9, 5), 1296.125, "UA3AAA", "", 0, "59", "5N"}});
  ThreadFiles files;
  const HeadlessReport r = runReportHeadless(printJurBandKey(), files);
  ASSERT_EQ(r.pages.size(), 1u);
  const QStringList texts = test::pageTexts(r.pages[0]);
  EXPECT_TRUE(texts.contains(QStringLiteral("Отчет по Журналу (сортировка по BAND)")));
  EXPECT_TRUE(texts.contains(QStringLiteral(" 9:05")));
  EXPECT_TRUE(texts.contains(QStringLiteral("1296.1")));
  EXPECT_TRUE(texts.contains(QStringLiteral("     59.00")));
  EXPECT_TRUE(texts.contains(QStringLiteral("      0.00")));  // "5N" is no number
}

TEST(ReportPages, DiplomaTotalRunsOverPages) {
  test::ScratchFolder folder;
  std::vector<Contact> contacts;
  // 22 two-line details fit on a page: 30 contacts of 1 point and a last one of 5.
  for (int i = 0; i < 30; ++i) contacts.push_back({d(2004, 1, 1) + i, 1, 14.0, "UA3AAA", "P-150-C", 1});
  contacts.push_back({d(2004, 3, 1), 1, 14.0, "UA3AAA", "P-150-C", 5});
  test::addContacts(contacts);
  globals().setDiplom("P-150-C");
  ThreadFiles files;
  const HeadlessReport r = runReportHeadless(printJurDiplomKey(), files);
  ASSERT_EQ(r.outcome, Outcome::Completed);
  ASSERT_EQ(r.pages.size(), 2u);
  const QStringList first = test::pageTexts(r.pages[0]);
  const QStringList last = test::pageTexts(r.pages[1]);
  EXPECT_TRUE(first.contains(QStringLiteral("Всего очков:")));
  EXPECT_TRUE(first.contains(QStringLiteral("22.00")));  // that page's own running sum
  EXPECT_TRUE(first.contains(QStringLiteral("Страница   1")));
  EXPECT_TRUE(last.contains(QStringLiteral("35.00")));
  EXPECT_TRUE(last.contains(QStringLiteral("Страница   2")));
  EXPECT_TRUE(last.contains(QStringLiteral("P-150-C")));  // the header repeats on every page
}

TEST(ReportPages, BreakWhenTheNextDetailDoesNotFit) {
  ReportLayout layout;
  layout.body = QRect(0, 1000, 1000, 1000);
  layout.detail.area = QRect(0, 0, 1000, 300);
  layout.detail.items = {ReportItem::field(QRect(0, 0, 500, 200), 0)};
  layout.footer.area = QRect(0, 2100, 1000, 200);
  layout.footer.items = {ReportItem::field(QRect(0, 0, 500, 200), 0)};
  ReportEngine engine(layout);
  engine.setFooterValues([](int page) { return QStringList{QString::number(page)}; });
  for (int i = 0; i < 7; ++i) engine.printDetail({QString::number(i)});
  engine.endPage();
  ASSERT_EQ(engine.pageCount(), 3);  // 3 + 3 + 1: a fourth detail would end at 2200
  EXPECT_EQ(test::pageTexts(engine.pages()[0]), (QStringList{"0", "1", "2", "1"}));
  EXPECT_EQ(engine.pages()[1].ops.at(0).rect.top(), 1000);
  EXPECT_EQ(test::pageTexts(engine.pages()[2]), (QStringList{"6", "3"}));
}

// The pages as a PDF: the text is there and sits where the layout puts it.
TEST(ReportPdf, DiplomaReportRendersWhereTheLayoutSays) {
  test::ScratchFolder folder;
  test::addContacts({
      {d(2004, 3, 1), timeFromClock(9, 5), 14.074, "UA3AAA", "R-100-O", 5},
      {d(2004, 3, 2), timeFromClock(12, 30), 144.8, "UA3BBB", "R-100-O", 10},
      {d(2004, 3, 3), timeFromClock(23, 0), 1296.125, "UA3CCC", "R-100-O", 3},
  });
  globals().setDiplom("R-100-O");
  ThreadFiles files;
  const HeadlessReport r = runReportHeadless(printJurDiplomKey(), files);
  ASSERT_EQ(r.pages.size(), 1u);
  const QString pdf = folder.file(QStringLiteral("diplom.pdf"));
  ASSERT_TRUE(ReportEngine::renderToPdf(pdf, r.pages));

  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(text.waitForFinished(20000));
  const QString html = QString::fromUtf8(text.readAllStandardOutput());
  // Words with their boxes in points (1/72 inch).
  auto wordAt = [&html](const QString& word) -> QPointF {
    const QRegularExpression re(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>") +
                                QRegularExpression::escape(word) + QStringLiteral("</word>"));
    const auto m = re.match(html);
    return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QPointF(-1, -1);
  };
  for (const char* word : {"5.00", "10.00", "3.00", "18.00", "9:05", "14.074", "144.8", "1296.1", "Всего",
                           "очков:", "Диплому"}) {
    EXPECT_GE(wordAt(QString::fromUtf8(word)).x(), 0) << word;
  }
  // The footer label at (510 + 5135, 11115) thousandths of an inch.
  const QPointF label = wordAt(QStringLiteral("Всего"));
  EXPECT_NEAR(label.x(), (510 + 5135) * 0.072, 3);
  EXPECT_NEAR(label.y(), 11115 * 0.072, 6);
  // The first contact's time on line 1 of the first detail: body (500, 990) + (844, 83).
  const QPointF time = wordAt(QStringLiteral("9:05"));
  EXPECT_GT(time.x(), (500 + 844) * 0.072);
  EXPECT_NEAR(time.y(), (990 + 83) * 0.072, 6);
}

}  // namespace
}  // namespace jurnal
