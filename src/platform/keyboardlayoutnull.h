// The keyboard-layout backend of a display that offers no layout switching (offscreen,
// Wayland): it knows no identifier and its step does nothing.
#pragma once

#include "platform/keyboardlayout.h"

namespace jurnal {

class KeyboardLayoutNull final : public KeyboardLayout {
 public:
  std::string activeName() override { return {}; }
  void activateNext() override {}
};

}  // namespace jurnal
