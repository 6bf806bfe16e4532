// The phonetic alphabet window, 147 × 288 dialog units at 18, 5, not resizable.
#include "entry/phonetics.h"

#include <QLabel>
#include <QWidget>

#include "core/globals.h"
#include "core/profile.h"
#include "platform/dialogunits.h"
#include "platform/inisections.h"

namespace jurnal {
namespace {
// Where each line sits, in dialog units.
const int kPositions[28][2] = {
    {39, 1},
    {11, 13},
    {9, 22},
    {9, 32},
    {9, 42},
    {9, 52},
    {9, 62},
    {9, 72},
    {9, 82},
    {9, 92},
    {9, 102},
    {9, 112},
    {9, 122},
    {9, 132},
    {9, 142},
    {9, 152},
    {9, 162},
    {9, 172},
    {9, 182},
    {9, 192},
    {9, 202},
    {9, 212},
    {9, 222},
    {9, 232},
    {9, 242},
    {9, 252},
    {9, 262},
    {9, 272},
};
}  // namespace

// Each letter line: the letter, then the English, German and French words, lined up with
// blanks for the window's proportional font. The letter O is written with the digit zero.
const char* const Phonetics::kLines[28] = {
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

Phonetics::Phonetics(ContextPtr context) : Procedure(QStringLiteral("phonetics"), std::move(context)) {
  setPlacement(Placement::MdiChild);
  setResizable(false);
  // It opens to view: nothing can be saved and it always ends cancelled.
  globals().request = Request::View;
}

QWidget* Phonetics::createWindow() {
  auto* window = new QWidget;
  window->setWindowTitle(QStringLiteral("PHONETICS"));
  const DialogUnits units(window->font());
  window->setFixedSize(units.size(147, 288));
  for (int i = 0; i < 28; ++i) {
    auto* line = new QLabel(QString::fromUtf8(kLines[i]), window);
    line->setObjectName(QStringLiteral("STRING%1").arg(i + 1));
    line->setTextFormat(Qt::PlainText);
    if (i >= 26) line->setFont(layoutFont(QStringLiteral("Arial"), 10, true));
    placeDlu(units, line, kPositions[i][0], kPositions[i][1]);
  }
  return window;
}

void Phonetics::windowOpened() {
  // Its designed place near the frame's top left, unless a saved position was restored.
  QWidget* frame = frameWindow();
  if (!frame || !window()) return;
  const std::string saved = getProfileString(iniFilePath().toStdString(), "phonetics", "XPos");
  if (!saved.empty()) return;
  const DialogUnits units(window()->font());
  frame->move(units.x(18), units.y(5));
}

}  // namespace jurnal
