// Globals: starting values, the ON/OFF switches and the preserved settings in the settings
// file, including a first run's file byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/globals.h"
#include "core/profile.h"

using namespace jurnal;
namespace fs = std::filesystem;

namespace {

class GlobalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetGlobals();
    std::string pattern = (fs::path(::testing::TempDir()) / "globalsXXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
    m_ini = (m_dir / "config.ini").string();
  }
  void TearDown() override {
    resetGlobals();
    fs::remove_all(m_dir);
  }
  std::string bytes() const {
    std::ifstream in(m_ini, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path m_dir;
  std::string m_ini;
};

void expectStartingValues(const Globals& g) {
  EXPECT_EQ(g.utsEdit.view(), "   ");
  EXPECT_EQ(g.band, 0.0);
  EXPECT_EQ(g.cq.view(), std::string(20, ' '));
  EXPECT_EQ(g.radio2.view(), std::string(20, ' '));
  EXPECT_EQ(g.swkbd.view(), "   ");
  EXPECT_EQ(g.setPom.view(), std::string(20, ' '));
  EXPECT_EQ(g.kbd.view(), std::string(10, ' '));
  EXPECT_EQ(g.radio.view(), std::string(12, ' '));
  EXPECT_EQ(g.diplom, "");
  EXPECT_EQ(g.date, 0);
  EXPECT_EQ(g.date2, 0);
  EXPECT_TRUE(g.radioLook.empty());
  EXPECT_TRUE(g.lookQth.empty());
  EXPECT_TRUE(g.lookOperator.empty());
  EXPECT_EQ(g.request, 0);
  EXPECT_EQ(g.response, 0);
}

}  // namespace

TEST_F(GlobalsTest, ResetRestoresStartingValues) {
  Globals& g = globals();
  g.utsEdit.set("-3");
  g.band = 7.1;
  g.cq.set("ON");
  g.radio2.set("ON");
  g.swkbd.set("OFF");
  g.setPom.set("x");
  g.kbd.set("00000419");
  g.radio.set("UA3ABC/MM");
  g.setDiplom("R-100-O");
  g.date = 75000;
  g.date2 = 75001;
  g.radioLook.set("UA3ABC");
  g.lookQth.set("MOSCOW");
  g.lookOperator.set("IVAN");
  g.request = Request::Change;
  g.response = Response::Cancelled;
  resetGlobals();
  expectStartingValues(globals());
}

TEST_F(GlobalsTest, DiplomKeepsTheWholeDiplomaField) {
  globals().setDiplom("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(globals().diplom, "ABCDEFGHIJKLMNOPQRST");
}

TEST_F(GlobalsTest, SwitchesNeedExactlyOnOrOff) {
  const struct { const char* text; bool on, off; } cases[] = {
      {"ON", true, false}, {"ON   ", true, false}, {"OFF", false, true}, {"OFF ", false, true},
      {"on", false, false}, {" ON", false, false}, {"ONE", false, false}, {"off", false, false},
      {"", false, false}, {"   ", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    EXPECT_EQ(isOn(FixedText<20>(c.text)), c.on);
    EXPECT_EQ(isOff(FixedText<3>(c.text)), c.off);
  }
}

TEST_F(GlobalsTest, MissingSettingsFileGivesStartingValuesAndNoFile) {
  globals().band = 3.5;
  globals().cq.set("ON");
  loadPreserved(m_ini);
  expectStartingValues(globals());
  EXPECT_FALSE(fs::exists(m_ini));
}

// The settings file of a first run in an empty folder: the main window's section, then the
// preserved settings with the string globals empty, then the bookkeeping.
TEST_F(GlobalsTest, FirstRunWritesExactFile) {
  loadPreserved(m_ini);
  ASSERT_TRUE(writeProfileString(m_ini, "Main", "Maximize", "No"));
  ASSERT_TRUE(writeProfileString(m_ini, "Main", "XPos", "12"));
  ASSERT_TRUE(writeProfileString(m_ini, "Main", "YPos", "34"));
  ASSERT_TRUE(writeProfileString(m_ini, "Main", "Height", "300"));
  ASSERT_TRUE(writeProfileString(m_ini, "Main", "Width", "400"));
  ASSERT_TRUE(savePreserved(m_ini));
  ASSERT_TRUE(writeIniBookkeeping(m_ini));
  EXPECT_EQ(bytes(),
            "[Main]\r\n"
            "Maximize=No\r\n"
            "XPos=12\r\n"
            "YPos=34\r\n"
            "Height=300\r\n"
            "Width=400\r\n"
            "\r\n"
            "[Preserved]\r\n"
            "Glo:UTSEDIT=\r\n"
            "Glo:BAND=0\r\n"
            "Glo:CQ=\r\n"
            "Glo:Radio2=\r\n"
            "Glo:SWKBD=\r\n"
            "Glo:set_pom=\r\n"
            "\r\n"
            "[__Dont_Touch_Me__]\r\n"
            "Sectors=0\r\n");
}

TEST_F(GlobalsTest, PreservedSettingsSurviveARun) {
  Globals& g = globals();
  g.utsEdit.set("-3");
  g.band = 14.074;
  g.cq.set("ON");
  g.radio2.set("OFF");
  g.swkbd.set("ON");
  g.setPom.set("\xEF\xF0\xE8\xEC\xE5\xF0");  // Windows-1251 text
  ASSERT_TRUE(savePreserved(m_ini));
  EXPECT_EQ(getProfileString(m_ini, "Preserved", "Glo:BAND"), "14.074");
  EXPECT_EQ(getProfileString(m_ini, "Preserved", "Glo:UTSEDIT"), "-3");

  resetGlobals();
  loadPreserved(m_ini);
  EXPECT_EQ(g.utsEdit.view(), "-3 ");
  EXPECT_EQ(g.band, 14.074);
  EXPECT_TRUE(isOn(g.cq));
  EXPECT_EQ(g.radio2, "OFF");
  EXPECT_TRUE(isOn(g.swkbd));
  EXPECT_EQ(g.setPom, "\xEF\xF0\xE8\xEC\xE5\xF0");
  EXPECT_TRUE(g.kbd.empty());  // globals outside the section are not touched
}

// A hand-edited file: entries in any order and case, texts longer than their globals cut,
// an unreadable frequency read as 0, a second save changes only the six values.
TEST_F(GlobalsTest, LoadTakesWhateverTextTheFileHolds) {
  {
    std::ofstream(m_ini, std::ios::binary) << "[preserved]\n"
                                              "GLO:SET_POM=kept\n"
                                              "glo:utsedit= +10 \n"
                                              "Glo:CQ=ON ON ON ON ON ON ON ON\n"
                                              "Glo:BAND=fourteen\n"
                                              "Glo:SWKBD=OFFICE\n";
  }
  loadPreserved(m_ini);
  const Globals& g = globals();
  EXPECT_EQ(g.utsEdit.view(), "+10");
  EXPECT_EQ(g.cq.view(), "ON ON ON ON ON ON ON");
  EXPECT_EQ(g.band, 0.0);
  EXPECT_EQ(g.swkbd.view(), "OFF");  // cut to three characters, as the global holds them
  EXPECT_TRUE(g.radio2.empty());
  EXPECT_EQ(g.setPom, "kept");

  ASSERT_TRUE(savePreserved(m_ini));
  EXPECT_EQ(bytes(),
            "[preserved]\n"
            "GLO:SET_POM=kept\n"
            "glo:utsedit=+10\n"
            "Glo:CQ=ON ON ON ON ON ON ON\n"
            "Glo:BAND=0\n"
            "Glo:SWKBD=OFF\n"
            "Glo:Radio2=\r\n");
}

TEST_F(GlobalsTest, SaveReportsAFileThatCannotBeWritten) {
  EXPECT_FALSE(savePreserved((m_dir / "missing" / "config.ini").string()));
  EXPECT_FALSE(writeIniBookkeeping((m_dir / "missing" / "config.ini").string()));
}
