// Profile (INI) entry functions: lookups, byte-preserving updates, limits, unsafe input and
// failures that must leave the file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "core/profile.h"

using namespace jurnal;
namespace fs = std::filesystem;

namespace {

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::path(::testing::TempDir()) / "profileXXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
    m_path = (m_dir / "config.ini").string();
  }
  void TearDown() override { fs::remove_all(m_dir); }

  void put(const std::string& bytes) const {
    std::ofstream(m_path, std::ios::binary) << bytes;
  }
  std::string bytes() const {
    std::ifstream in(m_path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::size_t filesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
  }

  fs::path m_dir;
  std::string m_path;
};

}  // namespace

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesEmptyText) {
  EXPECT_EQ(getProfileString(m_path, "Preserved", "Glo:CQ"), "");
  EXPECT_FALSE(fs::exists(m_path));  // reading never creates the file
  EXPECT_TRUE(profileSections(m_path).empty());
  put("[Preserved]\r\nGlo:CQ=ON\r\n");
  EXPECT_EQ(getProfileString(m_path, "Other", "Glo:CQ"), "");
  EXPECT_EQ(getProfileString(m_path, "Preserved", "Glo:Radio2"), "");
  EXPECT_EQ(getProfileString(m_path, "Preserved", "Glo:CQ"), "ON");
}

TEST_F(ProfileTest, ReadsNamesAnyCaseValuesTrimmedAndLfOnlyLines) {
  put("top=ignored\n"
      "; [Main]\n"
      "  [ Main ]  ; window\n"
      "  XPos =  12 \t\n"
      "Empty=\n"
      "No equals sign here\n"
      "Eq=a=b\n"
      "Rus=\xC8\xE2\xE0\xED\n"  // Windows-1251 bytes stay as they are
      "[Other]\r\n"
      "XPos=99\r\n"
      "[Last]\n"
      "Tail=end");  // no line end at the end of the file
  const struct { const char* section; const char* key; const char* value; } cases[] = {
      {"Main", "XPos", "12"}, {"MAIN", "xpos", "12"}, {"main ", " XPOS", "12"},
      {"Main", "Empty", ""}, {"Main", "Eq", "a=b"}, {"Main", "Rus", "\xC8\xE2\xE0\xED"},
      {"Main", "top", ""}, {"other", "XPOS", "99"}, {"Last", "tail", "end"},
      {"Main", "No equals sign here", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(getProfileString(m_path, c.section, c.key), c.value);
  }
  EXPECT_EQ(profileSections(m_path), (std::vector<std::string>{"Main", "Other", "Last"}));
}

TEST_F(ProfileTest, FirstOccurrenceOfADuplicateNameCounts) {
  put("[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\n");
  EXPECT_EQ(getProfileString(m_path, "A", "k"), "1");
  ASSERT_TRUE(writeProfileString(m_path, "a", "K", "9"));
  EXPECT_EQ(bytes(), "[A]\r\nk=9\r\nK=2\r\n[a]\r\nk=3\r\n");
}

TEST_F(ProfileTest, CreatesFileAndAppendsSectionsAfterAnEmptyLine) {
  ASSERT_TRUE(writeProfileString(m_path, "Main", "Maximize", "No"));
  EXPECT_EQ(bytes(), "[Main]\r\nMaximize=No\r\n");
  ASSERT_TRUE(writeProfileString(m_path, "Preserved", "Glo:CQ", "ON"));
  ASSERT_TRUE(writeProfileString(m_path, "main", "XPos", "10"));
  EXPECT_EQ(bytes(), "[Main]\r\nMaximize=No\r\nXPos=10\r\n\r\n[Preserved]\r\nGlo:CQ=ON\r\n");
}

TEST_F(ProfileTest, UpdateChangesOneLineAndKeepsEveryOtherByte) {
  const std::string before =
      "; settings of the log\n"
      "[Main]\n"
      "Maximize = Yes ; kept\n"
      "XPos=1\n"
      "\n"
      "\n"
      "[Preserved]\r\n"
      "Glo:CQ=ON\r\n"
      "Unknown=stays\r\n"
      "[Last]\r\n"
      "A=1";
  const struct { const char* section; const char* key; const char* value; const char* after; } cases[] = {
      // An existing key keeps its spelling and its line end.
      {"main", "MAXIMIZE", "No",
       "; settings of the log\n[Main]\nMaximize=No\nXPos=1\n\n\n[Preserved]\r\nGlo:CQ=ON\r\n"
       "Unknown=stays\r\n[Last]\r\nA=1"},
      // A new key goes after the section's last entry, before the blank lines.
      {"Main", "YPos", "2",
       "; settings of the log\n[Main]\nMaximize = Yes ; kept\nXPos=1\nYPos=2\r\n\n\n"
       "[Preserved]\r\nGlo:CQ=ON\r\nUnknown=stays\r\n[Last]\r\nA=1"},
      {"Preserved", "Glo:CQ", "",
       "; settings of the log\n[Main]\nMaximize = Yes ; kept\nXPos=1\n\n\n[Preserved]\r\nGlo:CQ=\r\n"
       "Unknown=stays\r\n[Last]\r\nA=1"},
      // The last line of the file gets its line end before a new key follows it.
      {"Last", "B", "2",
       "; settings of the log\n[Main]\nMaximize = Yes ; kept\nXPos=1\n\n\n[Preserved]\r\nGlo:CQ=ON\r\n"
       "Unknown=stays\r\n[Last]\r\nA=1\r\nB=2\r\n"},
      {"Last", "a", "7",
       "; settings of the log\n[Main]\nMaximize = Yes ; kept\nXPos=1\n\n\n[Preserved]\r\nGlo:CQ=ON\r\n"
       "Unknown=stays\r\n[Last]\r\nA=7"},
      {"New", "K", "v",
       "; settings of the log\n[Main]\nMaximize = Yes ; kept\nXPos=1\n\n\n[Preserved]\r\nGlo:CQ=ON\r\n"
       "Unknown=stays\r\n[Last]\r\nA=1\r\n\r\n[New]\r\nK=v\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    put(before);
    ASSERT_TRUE(writeProfileString(m_path, c.section, c.key, c.value));
    EXPECT_EQ(bytes(), c.after);
  }
}

TEST_F(ProfileTest, NewSectionAfterFileEndingInEmptyLineGetsNoSecondOne) {
  put("[A]\r\nk=1\r\n\r\n");
  ASSERT_TRUE(writeProfileString(m_path, "B", "k", "2"));
  EXPECT_EQ(bytes(), "[A]\r\nk=1\r\n\r\n[B]\r\nk=2\r\n");
}

TEST_F(ProfileTest, NamesAndValuesAreWrittenWithoutTrailingBlanksAndCut) {
  ASSERT_TRUE(writeProfileString(m_path, "Sec  ", "Key \t", "value   "));
  EXPECT_EQ(bytes(), "[Sec]\r\nKey=value\r\n");

  const std::string longSection = std::string(64, 'S') + "tail";
  const std::string longKey = std::string(63, 'k') + " tail";  // the cut ends in a blank
  const std::string longValue = std::string(1023, 'v') + " after the limit";
  fs::remove(m_path);
  ASSERT_TRUE(writeProfileString(m_path, longSection, longKey, longValue));
  EXPECT_EQ(bytes(), "[" + std::string(64, 'S') + "]\r\n" + std::string(63, 'k') + "=" +
                         std::string(1023, 'v') + "\r\n");
  // The same long names find the entry again.
  EXPECT_EQ(getProfileString(m_path, longSection, longKey), std::string(1023, 'v'));
  EXPECT_EQ(getProfileString(m_path, std::string(64, 's'), std::string(63, 'K')), std::string(1023, 'v'));

  ASSERT_TRUE(writeProfileString(m_path, "V", "full", std::string(1100, 'x')));
  EXPECT_EQ(getProfileString(m_path, "V", "full"), std::string(1024, 'x'));
}

// A name or value that would add lines, sections or keys of its own is refused and the file
// stays as it was.
TEST_F(ProfileTest, RefusesTextThatWouldBreakTheFileStructure) {
  const std::string before = "[Preserved]\r\nGlo:CQ=ON\r\n";
  const struct { const char* name; std::string section, key, value; } cases[] = {
      {"line break in value", "Preserved", "Glo:CQ", "OFF\r\n[Main]\r\nMaximize=Yes"},
      {"LF in value", "Preserved", "Glo:CQ", "a\nb"},
      {"NUL in value", "Preserved", "Glo:CQ", std::string("a\0b", 3)},
      {"line break in key", "Preserved", "a\nb", "v"},
      {"equals sign in key", "Preserved", "Glo:CQ=OFF", "v"},
      {"key like a section", "Preserved", "[Main]", "v"},
      {"key like a comment", "Preserved", ";x", "v"},
      {"empty key", "Preserved", "   ", "v"},
      {"bracket in section", "A]B", "k", "v"},
      {"line break in section", "A\nB", "k", "v"},
      {"empty section", "", "k", "v"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    put(before);
    EXPECT_FALSE(writeProfileString(m_path, c.section, c.key, c.value));
    EXPECT_EQ(bytes(), before);
  }
}

TEST_F(ProfileTest, FailedWriteLeavesNothingBehind) {
  // A folder that does not exist: nothing can be written.
  EXPECT_FALSE(writeProfileString((m_dir / "missing" / "config.ini").string(), "A", "k", "v"));
  // A settings "file" that cannot be read is never replaced.
  fs::create_directory(m_path);
  EXPECT_FALSE(writeProfileString(m_path, "A", "k", "v"));
  EXPECT_TRUE(fs::is_directory(m_path));
  EXPECT_EQ(getProfileString(m_path, "A", "k"), "");
  EXPECT_EQ(filesInDir(), 1u);  // no temporary file left beside it
}

TEST_F(ProfileTest, ReplacementKeepsPermissionsAndSymbolicLinks) {
  put("[A]\r\nk=1\r\n");
  ::chmod(m_path.c_str(), 0640);
  const std::string link = (m_dir / "link.ini").string();
  fs::create_symlink(m_path, link);

  ASSERT_TRUE(writeProfileString(link, "A", "k", "2"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(bytes(), "[A]\r\nk=2\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(filesInDir(), 2u);
}
