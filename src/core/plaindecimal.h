// Plain decimal text of real numbers (frequencies in MHz), independent of the C locale.
// Written: at most 15 significant digits, no trailing zeros, no trailing decimal point and no
// exponent for any value a frequency can have. Read: what strtod reads in the "C" locale.
#pragma once

#include <string>
#include <string_view>

namespace jurnal {

// 14.074 -> "14.074", 7 -> "7", 0 -> "0", 0.136 -> "0.136". Magnitudes below 1e-20 or from
// 1e21 up use exponent form ("1e+25"). Not-a-number and infinities are written "0": such a
// value is never a frequency and could not be read back as one.
std::string formatPlainDecimal(double value);

// Leading white space, an optional sign, digits with an optional decimal point and exponent;
// whatever follows the number is ignored ("14.074 MHz" is 14.074). Empty or unreadable text,
// and text whose value is not a finite number ("nan", "inf", 1e999), give 0.
double parsePlainDecimal(std::string_view text);

}  // namespace jurnal
