// The user's own template for the running time (/f).
#ifndef BOOTSPAN_SRC_CUSTOM_FORMAT_H_
#define BOOTSPAN_SRC_CUSTOM_FORMAT_H_

#include <cstddef>

#include "platform.h"
#include "running_time.h"

// Expands the template into output, which holds at least
// customFormatCapacity(format) bytes: %Y %D %H %M %S give the values, %% a
// percent sign, \\ \n \r \t a backslash, line feed, carriage return and tab;
// everything else is copied. Returns the number of bytes written.
size_t expandCustomFormat(const char* format, const RunningTime& time,
                          char* output);

// Returns the room that expanding format can ever need.
size_t customFormatCapacity(const char* format);

// Writes the expanded template to standard output. Returns false, having
// written nothing, if the output buffer cannot be allocated.
bool renderCustomFormat(Platform& platform, const char* format,
                        const RunningTime& time);

#endif  // BOOTSPAN_SRC_CUSTOM_FORMAT_H_
