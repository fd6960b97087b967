// Finding the newest boot event in a computer's System event log.
#ifndef BOOTSPAN_SRC_BOOT_EVENT_H_
#define BOOTSPAN_SRC_BOOT_EVENT_H_

#include <cstdint>

#include "platform.h"

// The event that the event log service writes at every system start.
constexpr uint16_t BootEventId = 6009;
// The size of the record buffer that the walk starts with.
constexpr uint32_t EventRecordBufferSize = 1024;

struct SearchOutcome {
  enum Kind { found, openFailed, noBuffer, notFound };
  Kind kind;
  // found: the boot event's TimeGenerated and the local clock at the match,
  // both seconds since 1970-01-01 UTC.
  uint32_t timeGenerated;
  int32_t currentTime;
  // openFailed, noBuffer, notFound: the error code.
  uint32_t errorCode;
  // notFound: the size that the failed read asked for (0 if none).
  uint32_t minNumberOfBytesNeeded;
};

// Returns true if the first `available` bytes of record hold an information
// event 6009 of the event log service, header and terminated source name
// included; nothing past those bytes is read.
bool isBootEventRecord(const unsigned char* record, uint32_t available);

// Converts the clock's 100-nanosecond ticks since 1601 to seconds since 1970,
// as the low 32 bits of the unsigned quotient.
int32_t fileTimeToUnixSeconds(uint64_t ticks);

// Opens the System log of serverName (null for this computer, else the
// computer name, which gets two leading backslashes) and walks it from
// the newest record backwards to the newest boot event. Releases everything
// it acquired before it returns.
SearchOutcome findBootEvent(Platform& platform, const char* serverName);

#endif  // BOOTSPAN_SRC_BOOT_EVENT_H_
