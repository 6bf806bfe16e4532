// The export and import procedures on a real log in a scratch folder: jurnal.txt byte for
// byte, the notices, Cancel, failed adds, commits between slices, and the round trip.
#include <gtest/gtest.h>

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <sqlite3.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "core/daytime.h"
#include "core/filemanager.h"
#include "core/generator.h"
#include "core/globals.h"
#include "core/jurnalfile.h"
#include "core/jurnalscan.h"
#include "core/textexport.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "exchange/exportrun.h"
#include "exchange/importrun.h"
#include "exchange/vyvod.h"
#include "exchange/zagruzka.h"
#include "platform/context.h"
#include "platform/errormanager.h"
#include "platform/progresswindow.h"
#include "support/testsupport.h"

using namespace jurnal;
using jurnal::test::ScratchFolder;
using jurnal::test::waitFor;

namespace {

JurnalRecord contact(std::int32_t date, std::int32_t uts, double band, const char* radio) {
  JurnalRecord r;
  r.clear();
  r.date = date;
  r.uts = uts;
  r.band = band;
  setField(r.radio, radio);
  setField(r.rss, "59");
  setField(r.rsr, "57");
  return r;
}

// A log of the scratch folder open on a thread of the test's own.
class Log {
 public:
  Log() { EXPECT_TRUE(FileManager::jurnal().open(m_files)); }
  ~Log() { FileManager::jurnal().close(m_files); }
  JurnalFile& file() { return *m_files.jurnalFile(); }
  void add(const JurnalRecord& r) { ASSERT_TRUE(file().insert(r)); }
  void addGenerated(std::int64_t count) {
    ASSERT_TRUE(Generator::generate(file(), count, 7, dateFromCalendar(2024, 6, 15)));
  }
  std::vector<JurnalRecord> all() {
    std::vector<JurnalRecord> out;
    auto scan = file().scan(JurSelection{JurKey::Index, {}, {}, {}});
    JurnalRow row;
    while (scan->next(row)) out.push_back(row.rec);
    return out;
  }

 private:
  ThreadFiles m_files;
};

// Starts a procedure on a new logical thread; `whileRunning` may act on it before waiting.
template <typename P>
int runToEnd(const std::function<void(P&)>& whileRunning = {}) {
  auto* p = new P(std::make_shared<Context>());
  QPointer<P> guard(p);
  int response = -1;
  QObject::connect(p, &Procedure::finished, [&response](int r) { response = r; });
  p->start();
  if (guard && whileRunning && response < 0) whileRunning(*guard);
  EXPECT_TRUE(waitFor([&] { return response >= 0; }, 60000));
  jurnal::test::pumpEvents();
  return response;
}

// Every record ends with CR LF: the file as a list of its lines.
std::vector<std::string> lines(const QByteArray& file) {
  std::vector<std::string> out;
  std::string text = file.toStdString();
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      out.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    out.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return out;
}

class Exchange : public ::testing::Test {
 protected:
  void SetUp() override {
    Clock::setCurrent(&m_clock);
    ErrorManager::instance().takeMessages();
  }
  void TearDown() override {
    Clock::setCurrent(nullptr);
    ErrorManager::instance().takeMessages();
  }
  void writeFile(const std::string& bytes) {
    QFile f(m_folder.file(QStringLiteral("jurnal.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  void removeLog() {
    ASSERT_TRUE(QFile::remove(m_folder.file(QStringLiteral("JURNAL.db"))));
    QFile::remove(m_folder.file(QStringLiteral("JURNAL.db-wal")));
    QFile::remove(m_folder.file(QStringLiteral("JURNAL.db-shm")));
  }
  QByteArray jurnalTxt() const { return m_folder.read(QStringLiteral("jurnal.txt")); }

  ScratchFolder m_folder;
  FixedClock m_clock{dateFromCalendar(2024, 6, 15), timeFromClock(12, 0)};
};

}  // namespace

TEST_F(Exchange, ExportWritesTheLogInDateOrderAndTheSameFileTwice) {
  writeFile(std::string(5000, 'x'));  // an earlier, longer file leaves nothing behind
  const JurnalRecord later = contact(dateFromCalendar(2004, 3, 6), 0, 144.3, "C3");
  const JurnalRecord first = contact(dateFromCalendar(2004, 3, 5), timeFromClock(7, 5), 14.074, "A1");
  const JurnalRecord second = contact(dateFromCalendar(2004, 3, 5), timeFromClock(23, 59, 59), 0.136, "B2");
  {
    Log log;
    log.add(later);
    log.add(first);
    log.add(second);
  }
  const std::vector<std::string> expected = {exportLine(first), exportLine(second), exportLine(later)};
  ASSERT_EQ(runToEnd<Vyvod>(), Response::Completed);
  EXPECT_EQ(lines(jurnalTxt()), expected);
  const QByteArray once = jurnalTxt();
  ASSERT_EQ(runToEnd<Vyvod>(), Response::Completed);
  EXPECT_EQ(jurnalTxt(), once);
  EXPECT_TRUE(ErrorManager::instance().takeMessages().isEmpty());
}

TEST_F(Exchange, ExportOfAnEmptyLogEmptiesTheFileWithNoRecords) {
  writeFile("old line\r\n");
  EXPECT_EQ(runToEnd<Vyvod>(), Response::Cancelled);
  EXPECT_TRUE(jurnalTxt().isEmpty());
  const auto messages = ErrorManager::instance().takeMessages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].title, "No Records");
}

TEST_F(Exchange, ExportToAFileHeldElsewhereWritesNothingAndSaysWhy) {
  {
    Log log;
    log.add(contact(dateFromCalendar(2004, 3, 5), timeFromClock(7, 5), 14.074, "A1"));
  }
  writeFile("held\r\n");
  // Another program holding the file: an exclusive lock on its own open file.
  const int fd = ::open(m_folder.file(QStringLiteral("jurnal.txt")).toLocal8Bit().constData(), O_RDWR);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_EQ(runToEnd<Vyvod>(), Response::Cancelled);
  ::close(fd);
  EXPECT_EQ(jurnalTxt(), "held\r\n");
  const auto messages = ErrorManager::instance().takeMessages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].level, ErrorLevel::Notice);
  EXPECT_TRUE(messages[0].text.contains("jurnal.txt")) << messages[0].text.toStdString();
  EXPECT_TRUE(messages[0].text.contains(QStringLiteral("занят"))) << messages[0].text.toStdString();
}

TEST_F(Exchange, CancelledExportLeavesAPrefixOfWholeLines) {
  {
    Log log;
    log.addGenerated(3000);
  }
  ASSERT_EQ(runToEnd<Vyvod>(), Response::Completed);
  const QByteArray full = jurnalTxt();

  // A clock that runs fast makes every slice end after a few records; Cancel after the first.
  const int response = runToEnd<Vyvod>([](Vyvod& v) {
    ASSERT_NE(v.processManager(), nullptr);
    auto ticks = std::make_shared<qint64>(0);
    v.processManager()->setClock([ticks] { return *ticks += 7; });
    QPointer<Vyvod> guard(&v);
    QTimer::singleShot(30, &v, [guard] {
      if (guard && guard->progressWindow()) guard->progressWindow()->cancelButton()->click();
    });
  });
  EXPECT_EQ(response, Response::Cancelled);
  const QByteArray part = jurnalTxt();
  EXPECT_GT(part.size(), 0);
  EXPECT_LT(part.size(), full.size());
  EXPECT_TRUE(part.endsWith("\r\n"));
  EXPECT_EQ(full.left(part.size()), part);
}

TEST_F(Exchange, ImportAddsEveryRecordAndLeavesBonusAlone) {
  writeFile(" 5/03/04, 7:05,14.074,TEST1\r\n"
            "25/12/03,23:59,144.300,UA3ABC/MM123,59,57,\"Moscow, centre\",Op,W-100,40000,,#,#\r\n"
            "\x1A");
  EXPECT_EQ(runToEnd<Zagruzka>(), Response::Completed);
  EXPECT_TRUE(ErrorManager::instance().takeMessages().isEmpty());
  Log log;
  const auto all = log.all();
  ASSERT_EQ(all.size(), 2u);
  JurnalRecord expected = contact(dateFromCalendar(2003, 12, 25), timeFromClock(23, 59), 144.3, "UA3ABC/MM123");
  setField(expected.qth, "Moscow, centre");
  setField(expected.operatorName, "Op");
  setField(expected.diplom, "W-100");
  expected.bonus = -25536;
  setField(expected.qslRes, "#");
  setField(expected.qlsSend, "#");
  EXPECT_EQ(all[0], expected);
  JurnalRecord four = contact(dateFromCalendar(2004, 3, 5), timeFromClock(7, 5), 14.074, "TEST1");
  setField(four.rss, "");
  setField(four.rsr, "");
  EXPECT_EQ(all[1], four);
  EXPECT_FALSE(QFile::exists(m_folder.file(QStringLiteral("BONUS.db"))));
}

TEST_F(Exchange, ImportWithoutTheFileOrRecordsIsANoticeAndAddsNothing) {
  EXPECT_EQ(runToEnd<Zagruzka>(), Response::Cancelled);
  const auto messages = ErrorManager::instance().takeMessages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].level, ErrorLevel::Notice);
  EXPECT_EQ(messages[0].title, "File Access Error");
  EXPECT_EQ(messages[0].text, "File (jurnal.txt) could not be opened.  Error: File Not Found.");

  writeFile("");  // an empty file: nothing to process
  EXPECT_EQ(runToEnd<Zagruzka>(), Response::Cancelled);
  const auto empty = ErrorManager::instance().takeMessages();
  ASSERT_EQ(empty.size(), 1);
  EXPECT_EQ(empty[0].title, "No Records");
  Log log;
  EXPECT_EQ(log.file().count(), 0);
}

TEST_F(Exchange, FailedAddsAreCountedOnceAndTheRestIsAdded) {
  {
    Log log;  // creates the file; then a rule that refuses two of the callsigns
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(m_folder.file(QStringLiteral("JURNAL.db")).toUtf8().constData(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TRIGGER refuse BEFORE INSERT ON jurnal WHEN NEW.radio LIKE 'BAD%' "
                         "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  writeFile("1/1/04,,,OK1\r\n\r\n2/1/04,,,BAD1\r\n3/1/04,,,OK2\r\n4/1/04,,,BAD2\r\n5/1/04,,,OK3\r\n");
  EXPECT_EQ(runToEnd<Zagruzka>(), Response::Completed);
  const auto messages = ErrorManager::instance().takeMessages();
  ASSERT_EQ(messages.size(), 1);
  const std::string text = messages[0].text.toStdString();
  EXPECT_NE(text.find("Не добавлено записей: 2"), std::string::npos) << text;
  EXPECT_NE(text.find("строка 3 "), std::string::npos) << text;
  EXPECT_NE(text.find("refused"), std::string::npos) << text;
  Log log;
  const auto all = log.all();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(fieldText(all[0].radio), "OK1");
  EXPECT_EQ(fieldText(all[2].radio), "OK3");
}

TEST_F(Exchange, ImportCommitsBetweenSlicesAndCancelKeepsWholeContacts) {
  {
    Log log;
    log.addGenerated(2000);
  }
  ASSERT_EQ(runToEnd<Vyvod>(), Response::Completed);
  removeLog();  // the import adds into a fresh log

  bool savedMeanwhile = false;
  const int response = runToEnd<Zagruzka>([&savedMeanwhile](Zagruzka& z) {
    ASSERT_NE(z.processManager(), nullptr);
    auto ticks = std::make_shared<qint64>(0);
    z.processManager()->setClock([ticks] { return *ticks += 7; });
    QPointer<Zagruzka> guard(&z);
    // Another window saves a contact while the import runs: its write must not wait for the
    // import's transaction. Then Cancel.
    QTimer::singleShot(30, &z, [guard, &savedMeanwhile] {
      ThreadFiles other;
      if (FileManager::jurnal().open(other)) {
        savedMeanwhile = other.jurnalFile()->insert(contact(dateFromCalendar(2024, 1, 1), 0, 7.0, "OTHER")).ok();
        FileManager::jurnal().close(other);
      }
      if (guard && guard->progressWindow()) guard->progressWindow()->cancelButton()->click();
    });
  });
  EXPECT_EQ(response, Response::Cancelled);
  EXPECT_TRUE(savedMeanwhile);
  for (const auto& m : ErrorManager::instance().takeMessages())
    ADD_FAILURE() << "unexpected message " << m.title.toStdString() << ": " << m.text.toStdString();
  Log log;
  const std::int64_t count = log.file().count();
  EXPECT_GT(count, 1);
  EXPECT_LT(count, 2001);
}

TEST_F(Exchange, RoundTripGivesTheSameFile) {
  {
    Log log;
    log.addGenerated(1500);
    JurnalRecord r = contact(dateFromCalendar(2024, 2, 29), timeFromClock(0, 0), 1296.125, "R1A");
    setField(r.qth, utf8ToCp1251("Ёлкино"));
    r.bonus = -32768;
    log.add(r);
  }
  ASSERT_EQ(runToEnd<Vyvod>(), Response::Completed);
  const QByteArray first = jurnalTxt();
  removeLog();
  ASSERT_EQ(runToEnd<Zagruzka>(), Response::Completed);
  ASSERT_EQ(runToEnd<Vyvod>(), Response::Completed);
  const QByteArray second = jurnalTxt();
  EXPECT_EQ(lines(second).size(), 1501u);
  EXPECT_EQ(lines(second), lines(first));
}

TEST_F(Exchange, HeadlessRunsGiveWhatTheProceduresGive) {
  {
    Log log;
    log.addGenerated(1200);
  }
  ASSERT_EQ(runToEnd<Vyvod>(), Response::Completed);
  const QByteArray byProcedure = jurnalTxt();
  removeLog();

  // Into the empty log the headless import loads without keys and builds them at the end.
  ThreadFiles files;
  const ImportResult imported = runImportHeadless(files);
  EXPECT_EQ(imported.outcome, ProcessManager::Outcome::Completed);
  EXPECT_EQ(imported.added, 1200u);
  EXPECT_EQ(imported.failed, 0u);
  EXPECT_TRUE(imported.error.empty()) << imported.error;
  {
    Log log;
    EXPECT_EQ(log.file().read(JurSelection{JurKey::Radio, {}, {}, {}}, std::nullopt, true, true, 5).size(), 5u);
  }
  EXPECT_TRUE(ErrorManager::instance().takeMessages().isEmpty());  // no key had to be rebuilt

  const ExportResult exported = runExportHeadless(files);
  EXPECT_EQ(exported.outcome, ProcessManager::Outcome::Completed);
  EXPECT_EQ(exported.lines, 1200u);
  EXPECT_EQ(jurnalTxt(), byProcedure);

  ASSERT_TRUE(QFile::remove(m_folder.file(QStringLiteral("jurnal.txt"))));
  const ImportResult missing = runImportHeadless(files);
  EXPECT_EQ(missing.outcome, ProcessManager::Outcome::Failed);
  EXPECT_NE(missing.error.find("jurnal.txt"), std::string::npos);
  EXPECT_EQ(missing.added, 0u);
}
