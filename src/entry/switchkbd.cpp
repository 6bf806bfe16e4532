// The input-language switch.
#include "entry/switchkbd.h"

#include <string>

#include "core/fixedtext.h"
#include "core/globals.h"

namespace jurnal {

void switchKbd(std::string_view requested, KeyboardLayout& backend) {
  Globals& g = globals();
  if (isOff(g.swkbd)) {
    g.kbd.set("OFF");
    return;
  }
  const std::string active = backend.activeName();
  g.kbd.set(trimRight(requested) == kLayoutEnglish ? "EN" : "RU");
  if (trimRight(active) != trimRight(requested)) backend.activateNext();
}

}  // namespace jurnal
