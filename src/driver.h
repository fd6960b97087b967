// The program's one pass: language, platform check, options, search,
// computation, output.
#ifndef BOOTSPAN_SRC_DRIVER_H_
#define BOOTSPAN_SRC_DRIVER_H_

#include "platform.h"

// Runs bootspan with the argument vector (program name first) on platform;
// returns the exit status, 0 after a report or the help text, -1 after any
// failure.
int runBootspan(Platform& platform, int argc, const char* const* argv);

#endif  // BOOTSPAN_SRC_DRIVER_H_
