// The report procedures and their dialogs on screen (offscreen): progress window, preview,
// Cancel, "No Records", window sections, and the dialogs' captions, entries and buttons.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "core/globals.h"
#include "platform/errormanager.h"
#include "platform/progresswindow.h"
#include "platform/reportpreview.h"
#include "platform/runtime.h"
#include "reports/getdate.h"
#include "reports/getradio.h"
#include "reports/journalreport.h"
#include "reports/reportfixture.h"
#include "reports/reportprocedures.h"

namespace jurnal {
namespace {

using test::Contact;

std::int32_t d(int y, int m, int day) { return dateFromCalendar(y, m, day); }

class ReportProcedures : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) registerReportProcedures(Runtime::instance().registry());
    registered = true;
  }

  // Starts a procedure on its own thread and follows it until it ends.
  Procedure* start(const QString& name) {
    Procedure* p = Runtime::instance().startOnNewThread(name);
    if (p) {
      m_ended = false;
      QObject::connect(p, &Procedure::finished, [this](int r) {
        m_ended = true;
        m_response = r;
      });
    }
    return p;
  }
  bool waitEnded() { return test::waitFor([this] { return m_ended; }); }

  test::ScratchFolder m_folder;
  bool m_ended = false;
  int m_response = -1;
};

TEST_F(ReportProcedures, FrequencyReportShowsProgressThenPreviewAndKeepsWindowSections) {
  test::addContacts({{d(2004, 3, 1), 1, 14.074, "UA3AAA"}, {d(2004, 3, 2), 1, 7.0, "UA3BBB"},
                     {d(2004, 3, 3), 1, 0, "UA3CCC"}});
  auto* report = qobject_cast<JournalReport*>(start(QStringLiteral("PrintJUR:BAND_KEY")));
  ASSERT_NE(report, nullptr);
  QPointer<ProgressWindow> window = report->progressWindow();
  ASSERT_TRUE(window);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Прогресс..."));
  EXPECT_EQ(window->cancelButton()->text(), QStringLiteral("Отменить"));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
  ASSERT_TRUE(test::waitFor([&] { return report->preview() != nullptr; }));
  ReportPreview* preview = report->preview();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->percentText(), QStringLiteral("100% Complete"));
  EXPECT_EQ(preview->pageCount(), 1);
  EXPECT_TRUE(preview->isVisible());
  preview->move(40, 50);
  preview->close();  // leaving the preview without printing
  ASSERT_TRUE(waitEnded());
  EXPECT_EQ(m_response, Response::Completed);
  EXPECT_EQ(globals().response, Response::Completed);
  const QByteArray ini = m_folder.read(QStringLiteral("config.ini"));
  EXPECT_TRUE(ini.contains("[_PreviewWindow_]"));
  EXPECT_TRUE(ini.contains("[PrintJUR:BAND_KEY]"));
  EXPECT_TRUE(ErrorManager::instance().takeMessages().isEmpty());
}

TEST_F(ReportProcedures, OneRecordShowsFiftyPercent) {
  test::addContacts({{d(2004, 3, 1), 1, 14.074, "UA3AAA"}});
  auto* report = qobject_cast<JournalReport*>(start(QStringLiteral("PrintJUR:BAND_KEY")));
  ASSERT_NE(report, nullptr);
  ASSERT_TRUE(test::waitFor([&] { return report->preview() != nullptr; }));
  EXPECT_EQ(report->progressWindow()->percentText(), QStringLiteral("50% Complete"));
  EXPECT_EQ(report->progressWindow()->percent(), 50);
  report->preview()->close();
  ASSERT_TRUE(waitEnded());
}

TEST_F(ReportProcedures, EmptySelectionGivesNoRecordsAndNoPreview) {
  test::addContacts({{d(2004, 3, 1), 1, 14.074, "UA3AAA"}});
  globals().radio.set("UA9ZZZ");
  auto* report = qobject_cast<JournalReport*>(start(QStringLiteral("PrintJUR:RADIO_KEY")));
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->progressWindow()->windowTitle(), QStringLiteral("Progress..."));
  EXPECT_EQ(report->progressWindow()->cancelButton()->text(), QStringLiteral("Cancel"));
  QPointer<JournalReport> guard(report);
  bool previewed = false;
  QObject::connect(report, &JournalReport::previewShown, [&] { previewed = true; });
  ASSERT_TRUE(waitEnded());
  EXPECT_FALSE(previewed);
  EXPECT_EQ(m_response, Response::Cancelled);
  const auto messages = ErrorManager::instance().takeMessages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].title, QStringLiteral("No Records"));
  EXPECT_EQ(messages[0].text, QStringLiteral("There are no records available to process."));
}

TEST_F(ReportProcedures, CancelEndsAtOnceWithoutPreviewAndTheNextRunStartsAfresh) {
  std::vector<Contact> contacts;
  for (int i = 0; i < 2000; ++i) contacts.push_back({d(2004, 1, 1), 1, 1.0 + i, "UA3AAA"});
  test::addContacts(contacts);
  auto* report = qobject_cast<JournalReport*>(start(QStringLiteral("PrintJUR:BAND_KEY")));
  ASSERT_NE(report, nullptr);
  bool previewed = false;
  QObject::connect(report, &JournalReport::previewShown, [&] { previewed = true; });
  QTest::mouseClick(report->progressWindow()->cancelButton(), Qt::LeftButton);
  ASSERT_TRUE(waitEnded());
  EXPECT_FALSE(previewed);
  EXPECT_EQ(m_response, Response::Cancelled);
  EXPECT_TRUE(ErrorManager::instance().takeMessages().isEmpty());

  auto* again = qobject_cast<JournalReport*>(start(QStringLiteral("PrintJUR:BAND_KEY")));
  ASSERT_NE(again, nullptr);
  ASSERT_TRUE(test::waitFor([&] { return again->preview() != nullptr; }, 20000));
  EXPECT_EQ(again->processManager() ? again->processManager()->recordsProcessed() : 2000, 2000);
  EXPECT_EQ(again->preview()->pageCount(), (2000 + 43) / 44);
  again->preview()->close();
  ASSERT_TRUE(waitEnded());
}

TEST_F(ReportProcedures, DialogsHaveTheirCaptionsControlsAndButtons) {
  const struct {
    const char* name;
    const char* caption;
    const char* ok;
    const char* cancel;
    const char* entry;
  } dialogs[] = {
      {"GetRadio", "Окно ввода", "OK", "Cancel", "GLO:RADIO"},
      {"GetDiplom", "Введите диплом", "ОК", "Выход", "GLO:DIPLOM"},
      {"getdate", "Введите даты периода", "ОК", "Выход", "GLO:DATE"},
  };
  for (const auto& c : dialogs) {
    SCOPED_TRACE(c.name);
    Procedure* p = start(QString::fromLatin1(c.name));
    ASSERT_NE(p, nullptr);
    QWidget* w = p->window();
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.caption));
    auto* ok = w->findChild<QPushButton*>(QStringLiteral("OKBUTTON"));
    auto* cancel = w->findChild<QPushButton*>(QStringLiteral("CANCELBUTTON"));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QString::fromUtf8(c.ok));
    EXPECT_EQ(cancel->text(), QString::fromUtf8(c.cancel));
    auto* entry = w->findChild<QLineEdit*>(QString::fromLatin1(c.entry));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(w->focusProxy(), entry);
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_TRUE(waitEnded());
    EXPECT_EQ(m_response, Response::Cancelled);
  }
}

TEST_F(ReportProcedures, GetRadioKeepsTwelveCharactersAndTheValueAfterCancel) {
  test::addContacts({{d(2004, 3, 1), 1, 14.074, "RV3ABC/QRPP"}, {d(2004, 3, 2), 1, 7.0, "UA3BBB"}});
  auto* dialog = qobject_cast<GetRadio*>(start(QStringLiteral("GetRadio")));
  ASSERT_NE(dialog, nullptr);
  dialog->entry()->setFocus();
  QTest::keyClicks(dialog->entry(), QStringLiteral("rv3abc/qrpp12345"));
  EXPECT_EQ(dialog->entry()->text(), QStringLiteral("rv3abc/qrpp1"));  // 12 typed at most
  dialog->entry()->setText(QStringLiteral("rv3abc/qrpp"));
  emit dialog->entry()->editingFinished();  // leaving the entry stores it
  EXPECT_EQ(globals().radio.trimmed(), "rv3abc/qrpp");
  dialog->reject();
  ASSERT_TRUE(waitEnded());
  EXPECT_EQ(globals().radio.trimmed(), "rv3abc/qrpp");

  // Open again: the entry shows the last value; OK runs the report on the dialog's thread.
  dialog = qobject_cast<GetRadio*>(start(QStringLiteral("GetRadio")));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->entry()->text(), QStringLiteral("rv3abc/qrpp"));
  QPointer<GetRadio> guard(dialog);
  QTest::keyClick(dialog->entry(), Qt::Key_Return);
  ReportPreview* preview = nullptr;
  ASSERT_TRUE(test::waitFor([&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* p = qobject_cast<ReportPreview*>(w); p && p->isVisible()) preview = p;
    return preview != nullptr;
  }));
  EXPECT_FALSE(m_ended);  // the dialog waits behind the report
  EXPECT_FALSE(dialog->window()->isEnabled());
  EXPECT_EQ(preview->pageCount(), 1);
  const QStringList texts = test::pageTexts(preview->pages()[0]);
  EXPECT_TRUE(texts.contains(QStringLiteral("RV3ABC/QRPP")));
  EXPECT_FALSE(texts.contains(QStringLiteral("UA3BBB")));
  preview->close();
  ASSERT_TRUE(waitEnded());  // the dialog closes after the report
  EXPECT_EQ(m_response, Response::Completed);
}

TEST_F(ReportProcedures, GetDiplomWithEmptyDiplomaGivesNoRecords) {
  test::addContacts({{d(2004, 3, 1), 1, 14.074, "UA3AAA", "R-100-O", 5}});
  Procedure* dialog = start(QStringLiteral("GetDiplom"));
  ASSERT_NE(dialog, nullptr);
  QTest::mouseClick(dialog->window()->findChild<QPushButton*>(QStringLiteral("OKBUTTON")), Qt::LeftButton);
  ASSERT_TRUE(waitEnded());
  const auto messages = ErrorManager::instance().takeMessages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].title, QStringLiteral("No Records"));
}

TEST_F(ReportProcedures, GetDateEntriesOnFirstUseAndAfterEditing) {
  auto* dialog = qobject_cast<GetDate*>(start(QStringLiteral("getdate")));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->startEntry()->text(), QStringLiteral("  /  /    "));
  EXPECT_EQ(dialog->endEntry()->text(), QString());
  dialog->startEntry()->setText(QStringLiteral("1.3.2004"));
  emit dialog->startEntry()->editingFinished();
  dialog->endEntry()->setText(QStringLiteral("31/02/2004"));  // no such day: the entry reverts
  emit dialog->endEntry()->editingFinished();
  EXPECT_EQ(globals().date, d(2004, 3, 1));
  EXPECT_EQ(globals().date2, 0);
  EXPECT_EQ(dialog->startEntry()->text(), QStringLiteral(" 1/03/2004"));
  EXPECT_EQ(dialog->endEntry()->text(), QString());
  dialog->reject();
  ASSERT_TRUE(waitEnded());
  EXPECT_EQ(globals().date, d(2004, 3, 1));
}

TEST(GetDateEntry, ParsesDayMonthYear) {
  const struct {
    const char* text;
    std::optional<std::int32_t> date;
  } cases[] = {
      {" 1/03/2004", d(2004, 3, 1)}, {"1.3.2004", d(2004, 3, 1)}, {"31-12-1999", d(1999, 12, 31)},
      {"01032004", d(2004, 3, 1)},   {"1.3.04", d(2004, 3, 1)},   {"1.3.99", d(1999, 3, 1)},
      {"", 0},                       {"  /  /    ", 0},           {"29.02.2004", d(2004, 2, 29)},
      {"29.02.2003", std::nullopt},  {"31/02/2004", std::nullopt}, {"1.13.2004", std::nullopt},
      {"1.3", std::nullopt},         {"abc", std::nullopt},       {"1.3.200", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(GetDate::parseEntry(QString::fromLatin1(c.text)), c.date);
  }
  EXPECT_EQ(GetDate::formatEntry(d(2004, 3, 1), true), QStringLiteral(" 1/03/2004"));
  EXPECT_EQ(GetDate::formatEntry(0, false), QStringLiteral("  /  /    "));
  EXPECT_EQ(GetDate::formatEntry(0, true), QString());
}

}  // namespace
}  // namespace jurnal
