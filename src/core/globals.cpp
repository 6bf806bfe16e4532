// The globals' single instance and the preserved settings.
#include "core/globals.h"

#include <algorithm>

#include "core/plaindecimal.h"
#include "core/profile.h"

namespace jurnal {

namespace {
constexpr std::string_view kUtsEditKey = "Glo:UTSEDIT";
constexpr std::string_view kBandKey = "Glo:BAND";
constexpr std::string_view kCqKey = "Glo:CQ";
constexpr std::string_view kRadio2Key = "Glo:Radio2";
constexpr std::string_view kSwkbdKey = "Glo:SWKBD";
constexpr std::string_view kSetPomKey = "Glo:set_pom";
}  // namespace

void Globals::setDiplom(std::string_view text) {
  diplom.assign(text.substr(0, std::min(text.size(), kDiplomGlobalMax)));
}

Globals& globals() {
  static Globals instance;
  return instance;
}

void resetGlobals() { globals() = Globals{}; }

void loadPreserved(const std::string& iniPath) {
  Globals& g = globals();
  auto fetch = [&](std::string_view key) { return getProfileString(iniPath, kPreservedSection, key); };
  g.utsEdit.set(fetch(kUtsEditKey));
  g.band = parsePlainDecimal(fetch(kBandKey));
  g.cq.set(fetch(kCqKey));
  g.radio2.set(fetch(kRadio2Key));
  g.swkbd.set(fetch(kSwkbdKey));
  g.setPom.set(fetch(kSetPomKey));
}

bool savePreserved(const std::string& iniPath) {
  const Globals& g = globals();
  auto update = [&](std::string_view key, std::string_view value) {
    return writeProfileString(iniPath, kPreservedSection, key, trimRight(value));
  };
  // Every entry is attempted even when one fails, so as much as possible is kept.
  bool ok = update(kUtsEditKey, g.utsEdit.view());
  ok = update(kBandKey, formatPlainDecimal(g.band)) && ok;
  ok = update(kCqKey, g.cq.view()) && ok;
  ok = update(kRadio2Key, g.radio2.view()) && ok;
  ok = update(kSwkbdKey, g.swkbd.view()) && ok;
  ok = update(kSetPomKey, g.setPom.view()) && ok;
  return ok;
}

bool writeIniBookkeeping(const std::string& iniPath) {
  return writeProfileString(iniPath, "__Dont_Touch_Me__", "Sectors", "0");
}

}  // namespace jurnal
