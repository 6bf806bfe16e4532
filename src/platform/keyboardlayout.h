// The keyboard layout of the operating system as the contact form needs it: the identifier of
// the active layout and a step to the next installed one. Identifiers are eight hexadecimal
// digits ("00000409" English (US), "00000419" Russian); empty when the layout is not known.
#pragma once

#include <string>

namespace jurnal {

inline constexpr const char* kLayoutEnglish = "00000409";
inline constexpr const char* kLayoutRussian = "00000419";

class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;

  // Identifier of the active layout; empty when it cannot be read or has no identifier.
  virtual std::string activeName() = 0;
  // Makes the layout after the active one in the installed list active (wrapping round).
  virtual void activateNext() = 0;

  // The backend the program uses: the X11 one on an X11 display, else one that knows no
  // layout and steps nowhere (offscreen, Wayland).
  static KeyboardLayout& current();
  // Replaces the backend (tests); nullptr goes back to the default. Not owned.
  static void setCurrent(KeyboardLayout* backend);

  // Identifier of an XKB layout code ("us", "ru"); empty for any other.
  static std::string identifierOfLayoutCode(const std::string& code);
};

}  // namespace jurnal
