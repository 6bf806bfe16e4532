// The phonetic alphabet window: its 28 lines byte for byte, and that it opens to view and
// leaves nothing behind but its window section.
#include <QDir>
#include <QLabel>

#include "entry/entrytestsupport.h"
#include "platform/procedure.h"

using namespace jurnal;
using namespace jurnal::test;

namespace {
class PhoneticsTest : public EntryTest {};
}  // namespace

TEST_F(PhoneticsTest, ShowsTheTwentyEightLinesAndEndsCancelled) {
  const char* const expected[28] = {
      "LIST OF PHONETICS",
      "    ENGLISH     GERMAN        FRENCH",
      "A    Alpha          Anton              Alfa",
      "B   Bravo          Berta               Bravo",
      "C   Charlie        C5sar              Charlie",
      "D   Delta           Dora                Delta",
      "E   Echo            Emil                Echo",
      "F   Foxtrot         Friedrich         Foxtrot",
      "G   Golf             Gustav            Golf",
      "H   Hotel           Heinrich          Hotel",
      "I     Item            Ida                  India",
      "J   Juliet           Julius              Juliett",
      "K   Kilo             Konrad            Kilo",
      "L    Lima           Ludwig            Lima",
      "M   Mike           Martha            Mike",
      "N   November  Nordpol           November",
      "0   Oscar          Otto                 Oscar",
      "P   Papa           Paula               Papa",
      "Q   Quebec       Quelle             Quebec",
      "R   Romeo        Richard           Romeo",
      "S   Sierra          Siegfried         Sierra",
      "T   Tango          Theodor          Tango",
      "U   Uniform       Ulrich              Uniform",
      "V    Victor          Viktor               Victor",
      "W   Whisky       Wilhelm         Whiskey",
      "X   X-ray            Xanthippe       X-ray",
      "Y   Yankee        Ypsilon            Yankee",
      "Z    Zulu            Zeppelin           Zulu",
  };
  QPointer<Procedure> window = Runtime::instance().startOnNewThread(QStringLiteral("phonetics"));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->request(), Request::View);
  EXPECT_EQ(globals().request, Request::None);
  EXPECT_EQ(window->window()->windowTitle(), "PHONETICS");
  for (int i = 0; i < 28; ++i) {
    SCOPED_TRACE(i + 1);
    auto* line = window->window()->findChild<QLabel*>(QStringLiteral("STRING%1").arg(i + 1));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text().toUtf8().toStdString(), expected[i]);
    EXPECT_EQ(line->font().bold(), i >= 26);
  }
  window->requestClose();
  test::pumpEvents();
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(globals().response, Response::Cancelled);
  const QStringList left = QDir(m_folder.path()).entryList(QDir::Files);
  EXPECT_EQ(left, QStringList{QStringLiteral("config.ini")});
  EXPECT_TRUE(m_folder.read(QStringLiteral("config.ini")).contains("[phonetics]"));
}
