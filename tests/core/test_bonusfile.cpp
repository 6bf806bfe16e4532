// The diploma totals: the case-insensitive unique key, blank names outside the key, and the
// all-or-nothing replacement of the totals while other connections read.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "core/bonusfile.h"
#include "storagetestsupport.h"

using namespace jurnal;
using namespace jurnal::testing;

namespace {

BonusRecord bonus(std::string_view utf8Name, std::int32_t summa) {
  BonusRecord r;
  r.clear();
  setField(r.diplomName, utf8ToCp1251(utf8Name));
  r.summa.set(summa);
  return r;
}

std::vector<std::string> names(BonusFile& f) {
  std::vector<std::string> out;
  for (const auto& row : f.readAll())
    out.push_back(cp1251ToUtf8(fieldText(row.rec.diplomName)) + "=" + std::to_string(row.rec.summa.get()));
  return out;
}

class BonusFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(file.create()) << file.errorText();
    ASSERT_EQ(file.open(OpenMode::ReadWrite), OpenOutcome::Ok) << file.errorText();
  }
  TempFolder folder;
  BonusFile file{folder.path()};
};

TEST_F(BonusFileTest, CaseVariantsOfANameCannotCoexist) {
  std::int64_t first = 0;
  ASSERT_TRUE(file.insert(bonus("Р-100-О", 5), &first));
  for (const char* variant : {"р-100-о", "Р-100-о", "Р-100-О  "}) {
    SCOPED_TRACE(variant);
    EXPECT_EQ(file.insert(bonus(variant, 1)).code, ErrorCode::DuplicateKey);
  }
  std::int64_t second = 0;
  ASSERT_TRUE(file.insert(bonus("W-100-U", 2), &second));
  EXPECT_TRUE(file.update(second, bonus("w-100-U", 3)));  // its own case variant is no duplicate
  EXPECT_EQ(file.update(second, bonus("р-100-О", 3)).code, ErrorCode::DuplicateKey);
  EXPECT_EQ(names(file), (std::vector<std::string>{"w-100-U=3", "Р-100-О=5"}));
  ASSERT_TRUE(file.find(utf8ToCp1251("р-100-о")));
  EXPECT_EQ(file.find(utf8ToCp1251("р-100-о"))->id, first);
}

TEST_F(BonusFileTest, BlankNamesAreStoredButOutsideTheKey) {
  ASSERT_TRUE(file.insert(bonus("", 4)));
  ASSERT_TRUE(file.insert(bonus("   ", 6)));  // blank twice: no duplicate in a key it is not in
  ASSERT_TRUE(file.insert(bonus("R-6-K", -99999)));
  EXPECT_EQ(file.count(), 3);
  EXPECT_EQ(names(file), (std::vector<std::string>{"R-6-K=-99999"}));
  EXPECT_FALSE(file.find(""));
}

TEST_F(BonusFileTest, ReplaceAllIsAllOrNothingForOtherReaders) {
  ASSERT_TRUE(file.replaceAll({bonus("OLD-1", 1), bonus("OLD-2", 2)}));

  // Another connection in the middle of a read while the totals are rebuilt.
  sqlite3* reader = nullptr;
  ASSERT_EQ(sqlite3_open(folder.file("BONUS.db").c_str(), &reader), SQLITE_OK);
  auto countRows = [&] {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(reader, "SELECT count(*), coalesce(sum(summa), 0) FROM bonus", -1, &st, nullptr);
    sqlite3_step(st);
    const std::string out = std::to_string(sqlite3_column_int(st, 0)) + "/" + std::to_string(sqlite3_column_int(st, 1));
    sqlite3_finalize(st);
    return out;
  };
  ASSERT_EQ(sqlite3_exec(reader, "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(countRows(), "2/3");

  ASSERT_TRUE(file.replaceAll({bonus("NEW-1", 10), bonus("NEW-2", 20), bonus("NEW-3", 30)}));
  EXPECT_EQ(countRows(), "2/3");  // its snapshot: the old totals, whole
  ASSERT_EQ(sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(countRows(), "3/60");

  // A duplicate among the new totals changes nothing at all.
  EXPECT_EQ(file.replaceAll({bonus("X", 1), bonus("x", 2)}).code, ErrorCode::DuplicateKey);
  EXPECT_EQ(countRows(), "3/60");
  EXPECT_EQ(names(file), (std::vector<std::string>{"NEW-1=10", "NEW-2=20", "NEW-3=30"}));
  sqlite3_close(reader);
}

}  // namespace
