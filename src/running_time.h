// The running time and its breakdown into calendar units.
#ifndef BOOTSPAN_SRC_RUNNING_TIME_H_
#define BOOTSPAN_SRC_RUNNING_TIME_H_

#include <cstdint>

struct RunningTime {
  uint16_t years;
  uint16_t days;
  uint16_t hours;
  uint16_t minutes;
  uint16_t seconds;
};

// Returns the seconds from timeGenerated to now, both seconds since 1970 on
// a 32-bit clock that may have wrapped (so spans across 2038 come out right);
// a negative span, from a target clock ahead of ours, gives 0.
uint32_t elapsedSeconds(int32_t now, uint32_t timeGenerated);

// Breaks elapsed seconds down as the UTC calendar does for that moment
// after 1970-01-01: years since 1970, day of the year from 0, hours,
// minutes, seconds.
RunningTime breakDownRunningTime(uint32_t elapsed);

#endif  // BOOTSPAN_SRC_RUNNING_TIME_H_
