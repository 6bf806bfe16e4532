// The program's global variables, one copy shared by every window (all run on the GUI
// thread, so no locks), and the six of them kept in the settings file between runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/fixedtext.h"

namespace jurnal {

// What a window procedure is asked to do; it takes the request over and clears it on start.
struct Request {
  static constexpr std::uint8_t None = 0;
  static constexpr std::uint8_t Insert = 1;
  static constexpr std::uint8_t Change = 2;
  static constexpr std::uint8_t Delete = 3;
  static constexpr std::uint8_t View = 6;
};

// How the last window procedure ended.
struct Response {
  static constexpr std::uint8_t None = 0;
  static constexpr std::uint8_t Completed = 1;
  static constexpr std::uint8_t Cancelled = 2;
};

// GLO:DIPLOM keeps as many characters as the log's diploma field holds: with one fewer, a
// diploma of 20 characters could never be selected for its report.
inline constexpr std::size_t kDiplomGlobalMax = 20;

struct Globals {
  // Kept in the settings file, section "Preserved".
  FixedText<3> utsEdit;       // Glo:UTSEDIT  station clock minus UTC in hours, as text ("-3")
  double band = 0;            // Glo:BAND     CQ frequency, MHz
  FixedText<20> cq;           // Glo:CQ       CQ mode, on only when "ON"
  FixedText<20> radio2;       // Glo:Radio2   RADIO mode, on only when "ON"
  FixedText<3> swkbd;         // Glo:SWKBD    keyboard switching, off only when "OFF"
  FixedText<20> setPom;       // Glo:set_pom  kept and written back, no other use

  // Live for one run only.
  FixedText<10> kbd;          // GLO:KBD      name of the current input language
  // GLO:RADIO: callsign for the report by callsign. 12 bytes like the log's callsign field:
  // with 10, a portable callsign such as UA3ABC/MM would be cut and could never be selected.
  FixedText<12> radio;
  std::string diplom;         // GLO:DIPLOM   diploma for the report by diploma, <= 20 chars
  std::int32_t date = 0;      // GLO:DATE     first day of the report period, day number
  std::int32_t date2 = 0;     // GLO:DATE2    last day of that period
  FixedText<20> radioLook;    // Glo:RadioLook     callsign handed to the history lookup
  FixedText<20> lookQth;      // Glo:LookQTH       location handed back from it
  FixedText<20> lookOperator; // Glo:LookOperator  operator's name handed back from it
  std::uint8_t request = Request::None;    // Glo:Request
  std::uint8_t response = Response::None;  // Glo:Response

  // Stores the diploma cut to the 20 characters of the log's field.
  void setDiplom(std::string_view text);
};

// The one set of globals.
Globals& globals();
// Back to the starting values (blanks, empty, 0).
void resetGlobals();

// A mode switch is on only when it holds exactly "ON"; the keyboard switch is off only when it
// holds exactly "OFF" (trailing blanks aside; letter case and leading blanks count).
inline bool isOn(std::string_view text) { return trimRight(text) == "ON"; }
inline bool isOff(std::string_view text) { return trimRight(text) == "OFF"; }
template <std::size_t N>
bool isOn(const FixedText<N>& text) { return isOn(text.view()); }
template <std::size_t N>
bool isOff(const FixedText<N>& text) { return isOff(text.view()); }

// Section and keys of the preserved globals, in the order they are read and written.
inline constexpr std::string_view kPreservedSection = "Preserved";

// Reads the six preserved globals from the settings file. A missing file, section or entry
// gives blanks, or 0 for the frequency; a text longer than its global is cut.
void loadPreserved(const std::string& iniPath);
// Writes the six preserved globals: texts without trailing blanks (all blanks: an empty
// value), the frequency as plain decimal text. False when an entry could not be written.
bool savePreserved(const std::string& iniPath);
// Writes the profile functions' own bookkeeping: section "__Dont_Touch_Me__", "Sectors" = 0
// (no section of this program is kept as a list).
bool writeIniBookkeeping(const std::string& iniPath);

}  // namespace jurnal
