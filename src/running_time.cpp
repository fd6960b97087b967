#include "running_time.h"

namespace {

bool isLeapYear(uint32_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

uint32_t elapsedSeconds(int32_t now, uint32_t timeGenerated) {
  uint32_t span = static_cast<uint32_t>(now) - timeGenerated;
  // No computer runs for 68 years: a span with the top bit set is a
  // negative one seen modulo 2^32.
  return span >= 0x80000000u ? 0 : span;
}

RunningTime breakDownRunningTime(uint32_t elapsed) {
  uint32_t days = elapsed / 86400;
  uint32_t secondOfDay = elapsed % 86400;
  uint32_t year = 1970;
  for (;;) {
    uint32_t daysInYear = isLeapYear(year) ? 366 : 365;
    if (days < daysInYear) break;
    days -= daysInYear;
    ++year;
  }
  return {static_cast<uint16_t>(year - 1970), static_cast<uint16_t>(days),
          static_cast<uint16_t>(secondOfDay / 3600),
          static_cast<uint16_t>(secondOfDay / 60 % 60),
          static_cast<uint16_t>(secondOfDay % 60)};
}
