// The file managers: creation on first use, use counts per logical thread, every opening
// fallback brought about for real (refused write access, a folder that does not exist, keys
// dropped or altered, a file that is no database, a missing text file) with the exact reports,
// and write failures reported with the display name.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "core/bonusfile.h"
#include "core/filemanager.h"
#include "core/jurnalfile.h"
#include "storagetestsupport.h"

using namespace jurnal;
using namespace jurnal::testing;

namespace {

class FileManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FileManager::resetAll();
    FileManager::setFolder(folder.path());
  }
  void TearDown() override { FileManager::resetAll(); }

  TempFolder folder;
  CaptureSink sink;
};

void sql(const std::string& path, const char* statements) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, statements, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

// Opening succeeds only when every key is there and as expected.
bool keysSound(const TempFolder& f) { return JurnalFile(f.path()).open(OpenMode::ReadOnly) == OpenOutcome::Ok; }

TEST_F(FileManagerTest, FirstOpenInAnEmptyFolderCreatesBothFilesEmpty) {
  ThreadFiles thread;
  ASSERT_TRUE(FileManager::jurnal().open(thread));
  ASSERT_TRUE(FileManager::bonus().open(thread));
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_TRUE(std::filesystem::exists(folder.file("JURNAL.db")));
  EXPECT_TRUE(std::filesystem::exists(folder.file("BONUS.db")));
  EXPECT_EQ(thread.jurnalFile()->count(), 0);
  EXPECT_EQ(thread.bonusFile()->count(), 0);
  EXPECT_FALSE(FileManager::jurnal().readOnly());
}

TEST_F(FileManagerTest, UseCountsArePerThread) {
  ThreadFiles browse, report;
  FileManager& m = FileManager::jurnal();
  ASSERT_TRUE(m.open(browse));
  JurnalFile* handle = browse.jurnalFile();
  ASSERT_TRUE(m.open(browse));  // the contact form on the browse's thread
  ASSERT_TRUE(m.open(report));
  EXPECT_EQ(browse.openCount(FileId::Jurnal), 2);
  EXPECT_EQ(report.openCount(FileId::Jurnal), 1);
  EXPECT_EQ(browse.jurnalFile(), handle);  // the second open shares the thread's handle
  EXPECT_NE(report.jurnalFile(), handle);

  m.close(browse);
  ASSERT_NE(browse.jurnalFile(), nullptr);
  browse.jurnal = makeContact({1, 7.0, "UA1AA"});
  ASSERT_TRUE(m.insert(browse));
  m.close(browse);
  EXPECT_EQ(browse.jurnalFile(), nullptr);
  EXPECT_EQ(browse.openCount(FileId::Jurnal), 0);
  m.close(browse);  // one close too many changes nothing
  EXPECT_EQ(browse.openCount(FileId::Jurnal), 0);
  EXPECT_EQ(report.jurnalFile()->count(), 1);
}

struct Fallback {
  const char* what;
  std::function<void(const TempFolder&)> prepare;
  bool opens;
  std::vector<std::string> titles;
  std::string lastText;
  bool readOnlyAfter;
};

void makeJurnal(const TempFolder& f) { ASSERT_TRUE(JurnalFile(f.path()).create()); }
void makeReadOnly(const TempFolder& f) { ::chmod(f.file("JURNAL.db").c_str(), 0444); }

TEST_F(FileManagerTest, OpeningFallbacksHappenForReal) {
  const Fallback cases[] = {
      {"write access refused",
       [](const TempFolder& f) { makeJurnal(f); makeReadOnly(f); },
       true, {"Access Denied"}, "Could not get write access to Jurnal so trying read-only.", true},
      {"folder does not exist",
       [](const TempFolder& f) { FileManager::setFolder(f.file("missing")); },
       false, {"File Creation Error"}, "Error: (unable to open database file) creating Jurnal.", false},
      {"key dropped",
       [](const TempFolder& f) { makeJurnal(f); sql(f.file("JURNAL.db"), "DROP INDEX jur_radio_key"); },
       true, {"Invalid Key"}, "Jurnal key file is invalid. Key must be rebuilt.", false},
      {"key altered",
       [](const TempFolder& f) {
         makeJurnal(f);
         sql(f.file("JURNAL.db"), "DROP INDEX jur_band_key; CREATE INDEX jur_band_key ON jurnal(band)");
       },
       true, {"Invalid Key"}, "Jurnal key file is invalid. Key must be rebuilt.", false},
      {"read-only with a key dropped",
       [](const TempFolder& f) {
         makeJurnal(f);
         sql(f.file("JURNAL.db"), "DROP INDEX jur_index");
         makeReadOnly(f);
       },
       false, {"Access Denied", "Invalid Key", "Key was not built"},
       "Error: (attempt to write a readonly database) repairing key for Jurnal.", true},
      {"not a database",
       [](const TempFolder& f) { std::ofstream(f.file("JURNAL.db")) << std::string(4096, 'x'); },
       false, {"File Access Error"}, "File (Jurnal) could not be opened.  Error: file is not a database.", false},
      {"empty file left by an interrupted creation",
       [](const TempFolder& f) { std::ofstream(f.file("JURNAL.db")).flush(); },
       true, {}, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder f;
    FileManager::resetAll();
    FileManager::setFolder(f.path());
    c.prepare(f);
    sink.reports.clear();
    ThreadFiles thread;
    EXPECT_EQ(FileManager::jurnal().open(thread), c.opens);
    EXPECT_EQ(sink.titles(), c.titles);
    if (!c.titles.empty()) EXPECT_EQ(sink.reports.back().text, c.lastText);
    EXPECT_EQ(FileManager::jurnal().readOnly(), c.readOnlyAfter);
    EXPECT_EQ(thread.isOpen(FileId::Jurnal), c.opens);
    if (c.opens) {
      // Whatever the way in, the keys are sound afterwards and the orders read.
      EXPECT_EQ(thread.jurnalFile()->read({JurKey::Radio, {}, {}, {}}, std::nullopt, true, true, 5).size(), 0u);
      FileManager::jurnal().close(thread);
      FileManager::resetAll();
      EXPECT_TRUE(keysSound(f));
    }
    if (!c.opens && !c.titles.empty()) EXPECT_EQ(sink.reports.back().level, ErrorLevel::Fatal);
  }
}

TEST_F(FileManagerTest, ReadOnlyLastsForTheRunAndWritesAreReported) {
  makeJurnal(folder);
  makeReadOnly(folder);
  ThreadFiles browse;
  ASSERT_TRUE(FileManager::jurnal().open(browse));
  ASSERT_EQ(sink.titles(), (std::vector<std::string>{"Access Denied"}));

  browse.jurnal = makeContact({1, 7.0, "UA1AA"});
  EXPECT_EQ(FileManager::jurnal().insert(browse).code, ErrorCode::RecordWriteError);
  ASSERT_EQ(sink.reports.size(), 2u);
  EXPECT_EQ(sink.reports[1].text, "Не удалось записать запись в Jurnal.  Ошибка: attempt to write a readonly database.");
  EXPECT_EQ(browse.jurnalFile()->count(), 0);

  // Writable again, yet the manager stays read-only until the next run.
  ::chmod(folder.file("JURNAL.db").c_str(), 0644);
  ThreadFiles other;
  ASSERT_TRUE(FileManager::jurnal().open(other));
  EXPECT_TRUE(other.jurnalFile()->readOnly());
  EXPECT_EQ(sink.reports.size(), 2u);
}

TEST_F(FileManagerTest, TextFileMissingOnlyForTheImport) {
  ThreadFiles thread;
  EXPECT_FALSE(FileManager::txt().open(thread));
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].title, "File Access Error");
  EXPECT_EQ(sink.reports[0].text, "File (jurnal.txt) could not be opened.  Error: File Not Found.");

  sink.reports.clear();
  ASSERT_TRUE(FileManager::viv().open(thread));  // the export creates it
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_TRUE(std::filesystem::exists(folder.file("jurnal.txt")));
  ASSERT_TRUE(FileManager::txt().open(thread));
}

TEST_F(FileManagerTest, DuplicateKeyIsReportedWithTheKeyDescription) {
  ThreadFiles thread;
  ASSERT_TRUE(FileManager::bonus().open(thread));
  setField(thread.bonus.diplomName, utf8ToCp1251("Р-100-О"));
  thread.bonus.summa.set(5);
  std::int64_t id = 0;
  ASSERT_TRUE(FileManager::bonus().insert(thread, &id));
  setField(thread.bonus.diplomName, utf8ToCp1251("р-100-о"));
  EXPECT_EQ(FileManager::bonus().insert(thread).code, ErrorCode::DuplicateKey);
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].title, "Duplicate Key Error");
  EXPECT_EQ(sink.reports[0].level, ErrorLevel::Notice);
  EXPECT_EQ(sink.reports[0].text, "Adding this record creates a duplicate entry for the key: BON:KeyDiplom_Name");
  // The file is unchanged and the record stays in the buffer.
  EXPECT_EQ(thread.bonusFile()->count(), 1);
  EXPECT_EQ(fieldText(thread.bonus.diplomName), utf8ToCp1251("р-100-о"));

  setField(thread.bonus.diplomName, "OTHER");
  std::int64_t other = 0;
  ASSERT_TRUE(FileManager::bonus().insert(thread, &other));
  setField(thread.bonus.diplomName, utf8ToCp1251("Р-100-о"));
  EXPECT_EQ(FileManager::bonus().update(thread, other).code, ErrorCode::DuplicateKey);
  EXPECT_EQ(sink.reports.size(), 2u);
}

}  // namespace
