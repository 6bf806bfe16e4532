// The input-language switch of the contact form: each entry asks for the layout its text is
// typed in, and the status area shows the language asked for.
#pragma once

#include <string_view>

#include "platform/keyboardlayout.h"

namespace jurnal {

// Asks for the layout `requested` ("00000409" or "00000419"). With Glo:SWKBD "OFF" only
// GLO:KBD changes (to "OFF"). Otherwise GLO:KBD becomes "EN" for 00000409 and "RU" for any
// other request, and when the active layout's identifier differs from the request the backend
// steps once to the next layout. It never picks a layout by name and does not check where the
// step landed: with English and Russian installed one step always reaches the other.
void switchKbd(std::string_view requested, KeyboardLayout& backend = KeyboardLayout::current());

}  // namespace jurnal
