// The texts of the frame's status-bar zones 3 (day name and date) and 4 (clock).
#pragma once

#include <QString>
#include <cstdint>

namespace jurnal {

// "Friday,  5/03/2004": the day name without its trailing blanks, ", ", then dd/mm/yyyy with
// the day's leading zero shown as a blank.
QString statusDateText(std::int32_t date);
// " 9:07:03": hh:mm:ss on a 24-hour clock with the hour's leading zero shown as a blank.
QString statusTimeText(std::int32_t time);

}  // namespace jurnal
