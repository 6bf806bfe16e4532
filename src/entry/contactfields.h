// How the contact form shows and reads the fields of a contact, and the defaults it gives a
// new contact (today's date, the local time corrected to UTC, reports 59).
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

#include "core/daytime.h"
#include "core/records.h"

namespace jurnal {

// Date as day.month.year with the day unpadded ("5.03.2004"); empty for no date.
QString formatContactDate(std::int32_t date);
// Day, month and year separated by points (or any non-digit); a two-digit year is 19xx from
// 50 up, 20xx below. Empty or unreadable text gives 0 (no date).
std::int32_t parseContactDate(const QString& text);

// Time as hours:minutes with the hour unpadded ("7:05"); empty for no time.
QString formatContactTime(std::int32_t time);
// "H:mm", "H:mm:ss", "H.mm" or "HHmm"; empty or out-of-range text gives 0 (no time).
std::int32_t parseContactTime(const QString& text);

// Frequency in the entry: plain decimal ("14.074"); empty for 0.
QString formatContactBand(double band);
// A decimal point or comma; unreadable text gives 0.
double parseContactBand(const QString& text);
// The CQ frequency in the status area: three decimals ("14.074").
QString formatCqBand(double band);

// Points with thousands commas and two decimals ("1,234.00").
QString formatContactBonus(std::int16_t bonus);
// Commas and blanks ignored; rounded to whole points and kept within -32768..32767.
std::int16_t parseContactBonus(const QString& text);

// The UTC offset of Glo:UTSEDIT in hundredths of a second: leading blanks, an optional "-",
// digits with an optional "." or "," and fraction, an optional exponent; reading stops at the
// first other character; no digit read gives 0 ("-3" -> -3 h, "5,5" -> 5.5 h, "abc" and
// " +3" -> 0).
std::int64_t utcOffsetHundredths(std::string_view text);

// The defaults of a new contact: today's date, reports "59" and "59", and the local time
// corrected by Glo:UTSEDIT (whose leading "+" is first rewritten to a blank in the global).
// A corrected time outside the day wraps round midnight and moves the date by the days
// crossed, so a contact logged near midnight keeps a true UTC date and time.
void fillNewContactDefaults(JurnalRecord& rec, const Clock& clock);

}  // namespace jurnal
