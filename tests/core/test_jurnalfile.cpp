// The contact log's six key orders: optional keys, ties in insertion order, case-insensitive
// Cyrillic keys, prefix narrowing, reading from a position both ways, writes, and a file that
// plain SQLite can read.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>

#include "core/jurnalfile.h"
#include "storagetestsupport.h"

using namespace jurnal;
using namespace jurnal::testing;

namespace {

class JurnalFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(file.create()) << file.errorText();
    ASSERT_EQ(file.open(OpenMode::ReadWrite), OpenOutcome::Ok) << file.errorText();
  }

  std::int64_t add(const Contact& c) {
    std::int64_t id = 0;
    EXPECT_TRUE(file.insert(makeContact(c), &id));
    return id;
  }

  std::vector<std::int64_t> ids(const JurSelection& sel, bool forward = true) {
    std::vector<std::int64_t> out;
    for (const auto& row : file.read(sel, std::nullopt, true, forward, 1000)) out.push_back(row.id);
    return out;
  }
  std::vector<std::int64_t> ids(JurKey key, bool forward = true) { return ids(JurSelection{key, {}, {}, {}}, forward); }

  TempFolder folder;
  JurnalFile file{folder.path()};
};

using Ids = std::vector<std::int64_t>;

TEST_F(JurnalFileTest, OptionalKeysLeaveOutOnlyTheirOwnOrder) {
  const std::int64_t full = add({10, 14.074, "UA3ABC", "Москва", "Р-100-О", 5});
  const struct {
    const char* what;
    Contact contact;
    JurKey missingFrom;
  } cases[] = {
      {"blank callsign", {11, 7.0, "", "Тверь", "W-100-U", 1}, JurKey::Radio},
      {"blank location", {12, 7.0, "RA3XYZ", "", "W-100-U", 1}, JurKey::Qth},
      {"blank diploma", {13, 7.0, "RA3XYZ", "Тверь", "", 1}, JurKey::Diplom},
      {"zero frequency", {14, 0.0, "RA3XYZ", "Тверь", "W-100-U", 1}, JurKey::Band},
      {"zero points", {15, 7.0, "RA3XYZ", "Тверь", "W-100-U", 0}, JurKey::Bonus},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::int64_t id = add(c.contact);
    for (int k = 0; k < kJurKeyCount; ++k) {
      const auto key = static_cast<JurKey>(k);
      SCOPED_TRACE(jurKeyDescription(key));
      const Ids listed = ids(key);
      const bool present = std::find(listed.begin(), listed.end(), id) != listed.end();
      EXPECT_EQ(present, key != c.missingFrom);
      EXPECT_EQ(present, inKey(key, makeContact(c.contact)));
      EXPECT_NE(std::find(listed.begin(), listed.end(), full), listed.end());
    }
    ASSERT_TRUE(file.remove(id));
  }
}

TEST_F(JurnalFileTest, DateZeroComesFirstAndTiesKeepInsertionOrder) {
  const std::int64_t a = add({500, 7.0, "UA1AA"});
  const std::int64_t b = add({0, 7.0, "UA1AA"});
  const std::int64_t c = add({500, 7.0, "UA1AA"});
  const std::int64_t d = add({500, 7.0, "UA1AA"});  // identical to c: both stored
  const std::int64_t e = add({100, 7.0, "UA1AA"});
  EXPECT_EQ(ids(JurKey::Index), (Ids{b, e, a, c, d}));
  EXPECT_EQ(ids(JurKey::Index, false), (Ids{d, c, a, e, b}));
  EXPECT_EQ(ids(JurKey::Radio), (Ids{a, b, c, d, e}));
  EXPECT_EQ(file.count(), 5);
}

TEST_F(JurnalFileTest, TextKeysIgnoreLetterCaseIncludingCyrillicAndYo) {
  const std::int64_t moscowLower = add({1, 0, "", "москва"});
  const std::int64_t yolkino = add({2, 0, "", "Ёлкино"});
  const std::int64_t abakan = add({3, 0, "", "Абакан"});
  const std::int64_t moscowUpper = add({4, 0, "", "МОСКВА"});
  const std::int64_t yolkinoLower = add({5, 0, "", "ёлкино"});
  const std::int64_t latin = add({6, 0, "", "Berlin"});
  const std::int64_t elets = add({7, 0, "", "елец"});
  // Latin before Cyrillic, Ё before А as in the code page; equal keys in insertion order.
  EXPECT_EQ(ids(JurKey::Qth), (Ids{latin, yolkino, yolkinoLower, abakan, elets, moscowLower, moscowUpper}));

  const struct {
    const char* prefix;
    Ids expected;
  } prefixes[] = {
      {"МОСК", {moscowLower, moscowUpper}},
      {"моСк", {moscowLower, moscowUpper}},
      {"ёл", {yolkino, yolkinoLower}},
      {"Е", {elets}},  // Е and Ё are different letters
      {"b", {latin}},
      {"москва ", {moscowLower, moscowUpper}},  // the field is blank-padded
      {"москвак", {}},
      {"", {latin, yolkino, yolkinoLower, abakan, elets, moscowLower, moscowUpper}},
  };
  for (const auto& p : prefixes) {
    SCOPED_TRACE(p.prefix);
    JurSelection sel{JurKey::Qth, {}, {}, utf8ToCp1251(p.prefix)};
    EXPECT_EQ(ids(sel), p.expected);
    Ids backward = p.expected;
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(ids(sel, false), backward);
  }

  JurSelection bounded{JurKey::Qth, KeyValue(utf8ToCp1251("абакан")), KeyValue(utf8ToCp1251("Москва  ")), {}};
  EXPECT_EQ(ids(bounded), (Ids{abakan, elets, moscowLower, moscowUpper}));
}

TEST_F(JurnalFileTest, BandPrefixMatchesThePlainDecimalText) {
  const double bands[] = {7.05, 7.1, 70.2, 14.074, 144.3, 1.83, 0.136, 7.0, 700.5, 21.0, 3.5, 5.3515, 0.0, -7.1, -75.0};
  std::vector<std::int64_t> idOf;
  for (double b : bands) idOf.push_back(add({1, b, "R1A"}));
  auto byBand = [&](std::vector<double> wanted) {
    std::sort(wanted.begin(), wanted.end());
    Ids out;
    for (double w : wanted)
      for (std::size_t i = 0; i < std::size(bands); ++i)
        if (bands[i] == w) out.push_back(idOf[i]);
    return out;
  };
  const struct {
    const char* prefix;
    std::vector<double> expected;
  } cases[] = {
      {"7", {7.0, 7.05, 7.1, 70.2, 700.5}},
      {"14", {14.074, 144.3}},
      {"144", {144.3}},
      {"7.", {7.05, 7.1}},  // 7 is written "7"
      {"7.0", {7.05}},
      {"7.1", {7.1}},
      {"0", {0.136}},
      {"0.13", {0.136}},
      {"5", {5.3515}},
      {"5.35", {5.3515}},
      {"2", {21.0}},
      {"9", {}},
      {"-7", {-75.0, -7.1}},
      {"-7.", {-7.1}},
      {"-", {-75.0, -7.1}},
      {"x", {}},
      {"1.2.", {}},
      {"", {-75.0, -7.1, 0.136, 1.83, 3.5, 5.3515, 7.0, 7.05, 7.1, 14.074, 21.0, 70.2, 144.3, 700.5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prefix);
    JurSelection sel{JurKey::Band, {}, {}, c.prefix};
    const Ids expected = byBand(c.expected);
    EXPECT_EQ(ids(sel), expected);
    Ids backward = expected;
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(ids(sel, false), backward);
  }
}

TEST_F(JurnalFileTest, ReadsFromAPositionBothWays) {
  // Band order: 3.5(a) 7(b) 7(c) 7(d) 14(e)
  const std::int64_t b = add({1, 7.0, "B"});
  const std::int64_t a = add({1, 3.5, "A"});
  const std::int64_t c = add({1, 7.0, "C"});
  const std::int64_t e = add({1, 14.0, "E"});
  const std::int64_t d = add({1, 7.0, "D"});
  const JurSelection sel{JurKey::Band, {}, {}, {}};
  const JurPosition atC{7.0, c};
  const struct {
    const char* what;
    bool inclusive, forward;
    int limit;
    Ids expected;
  } cases[] = {
      {"forward inclusive", true, true, 10, {c, d, e}},
      {"forward exclusive", false, true, 10, {d, e}},
      {"backward inclusive", true, false, 10, {c, b, a}},
      {"backward exclusive", false, false, 10, {b, a}},
      {"limit", true, true, 2, {c, d}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    Ids got;
    for (const auto& row : file.read(sel, atC, t.inclusive, t.forward, t.limit)) got.push_back(row.id);
    EXPECT_EQ(got, t.expected);
  }
  // A position between stored values, and one taken from a row.
  Ids got;
  for (const auto& row : file.read(sel, JurPosition{5.0, 0}, true, true, 10)) got.push_back(row.id);
  EXPECT_EQ(got, (Ids{b, c, d, e}));
  const auto lastRow = file.last(sel);
  ASSERT_TRUE(lastRow);
  EXPECT_EQ(lastRow->id, e);
  const auto before = file.read(sel, positionOf(JurKey::Band, *lastRow), false, false, 1);
  ASSERT_EQ(before.size(), 1u);
  EXPECT_EQ(before[0].id, d);
  EXPECT_EQ(file.first(sel)->id, a);

  auto scan = file.scan(sel, false);
  Ids walked;
  JurnalRow row;
  while (scan->next(row)) walked.push_back(row.id);
  EXPECT_EQ(walked, (Ids{e, d, c, b, a}));
}

TEST_F(JurnalFileTest, RecordsRoundTripAndWritesCheckTheRecordExists) {
  JurnalRecord r = makeContact({73000, 144.3, "ua3abc/mm", "Санкт-Петербург", "Р-100-О", -32768,
                                "Полевой день «тест» №1"});
  r.uts = 8640000;
  setField(r.rss, "599");
  setField(r.rsr, "57");
  setField(r.operatorName, utf8ToCp1251("Пётр Ёлкин"));
  r.qslRes[0] = '#';
  std::int64_t id = 0;
  ASSERT_TRUE(file.insert(r, &id));
  auto back = file.fetch(id);
  ASSERT_TRUE(back);
  EXPECT_TRUE(*back == r);

  r.bonus = 32767;
  setField(r.radio, "UA3ABC");
  ASSERT_TRUE(file.update(id, r));
  EXPECT_TRUE(*file.fetch(id) == r);

  ASSERT_TRUE(file.remove(id));
  EXPECT_FALSE(file.fetch(id));
  EXPECT_EQ(file.update(id, r).code, ErrorCode::RecordWriteError);
  EXPECT_EQ(file.remove(id).code, ErrorCode::RecordWriteError);
}

TEST_F(JurnalFileTest, DataVersionSeesOwnAndOtherConnectionsWrites) {
  const std::int64_t v0 = file.dataVersion();
  add({1, 7.0, "A"});
  const std::int64_t v1 = file.dataVersion();
  EXPECT_GT(v1, v0);
  JurnalFile other(folder.path());
  ASSERT_EQ(other.open(OpenMode::ReadWrite), OpenOutcome::Ok);
  ASSERT_TRUE(other.insert(makeContact({2, 7.0, "B"})));
  EXPECT_GT(file.dataVersion(), v1);
  EXPECT_EQ(file.count(), 2);
}

TEST_F(JurnalFileTest, BatchRollbackLeavesNothing) {
  ASSERT_TRUE(file.begin());
  add({1, 7.0, "A"});
  add({2, 7.0, "B"});
  ASSERT_TRUE(file.rollback());
  EXPECT_EQ(file.count(), 0);
  ASSERT_TRUE(file.begin());
  add({1, 7.0, "A"});
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(file.count(), 1);
}

TEST_F(JurnalFileTest, PlainSqliteReadsChecksAndOrdersTheFile) {
  add({1, 7.0, "ua1aa", "москва"});
  add({2, 7.0, "UA1AB", "Тверь"});
  file.close();
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(folder.file("JURNAL.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  auto column = [&](const char* sql) {
    std::vector<std::string> out;
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    while (st && sqlite3_step(st) == SQLITE_ROW)
      out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
  };
  EXPECT_EQ(column("PRAGMA integrity_check"), (std::vector<std::string>{"ok"}));
  EXPECT_EQ(column("PRAGMA journal_mode"), (std::vector<std::string>{"wal"}));
  EXPECT_EQ(column("SELECT radio FROM jurnal INDEXED BY jur_radio_key WHERE radio <> ''"
                   " ORDER BY coalesce(radio_u, radio), id"),
            (std::vector<std::string>{"ua1aa", "UA1AB"}));
  EXPECT_EQ(column("SELECT qth FROM jurnal WHERE qth_u = 'МОСКВА'"), (std::vector<std::string>{"москва"}));
  EXPECT_EQ(column("SELECT stored_name FROM layout WHERE stored_name IS NOT NULL ORDER BY rowid"),
            (std::vector<std::string>{"RSS=N(2.0)", "RSR=N(2.0)", "BONUS=N(4.0)", "INDEX=D[DATE]"}));
  EXPECT_EQ(column("SELECT byte_offset || '/' || width FROM layout WHERE label = 'JUR:QLS_SEND'"),
            (std::vector<std::string>{"126/1"}));
  sqlite3_close(db);
}

}  // namespace
