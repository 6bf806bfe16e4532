// Record fields as the windows show them: Windows-1251 text without its trailing blanks as a Qt
// string, and a day number in the user's short date format.
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

#include "core/fixedtext.h"

namespace jurnal {

QString displayText(std::string_view cp1251);

template <std::size_t N>
QString fieldString(const char (&field)[N]) {
  return displayText(fieldText(field));
}

// Empty for no date (0) and for day numbers out of the calendar.
QString shortDateText(std::int32_t date);

}  // namespace jurnal
