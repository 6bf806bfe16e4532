// The keyboard-layout backend of an X11 display, through the XKB extension: the active layout
// is the keyboard's locked group, named by its layout code in the root window's
// _XKB_RULES_NAMES ("us,ru": group 0 is us -> 00000409, group 1 ru -> 00000419); the step
// locks the next group. The switch is the display's, so every window of the display follows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/keyboardlayout.h"

namespace jurnal {

class KeyboardLayoutX11 final : public KeyboardLayout {
 public:
  // A connection of its own to `displayName` ("" = $DISPLAY). Null when the program was built
  // without X11, the display cannot be opened or it has no XKB.
  static std::unique_ptr<KeyboardLayoutX11> open(const std::string& displayName = {});
  ~KeyboardLayoutX11() override;

  std::string activeName() override;
  void activateNext() override;

  // The active group (0-based), or -1 when it cannot be read.
  int activeGroup();
  // Layout codes of the groups as the display's rules name them, in group order.
  std::vector<std::string> layoutCodes();

 private:
  explicit KeyboardLayoutX11(void* display) : m_display(display) {}
  int groupCount();

  void* m_display;  // Display*, kept opaque so the header needs no X11
};

}  // namespace jurnal
