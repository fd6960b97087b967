#include "boot_event.h"

#include <cstring>

namespace {

constexpr uint32_t BackwardsFromNewest =
    EventlogSequentialRead | EventlogBackwardsRead;
constexpr uint32_t BackwardsFromNumber = EventlogSeekRead | EventlogBackwardsRead;

uint32_t load32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t load16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Returns how many bytes of the record at the start of the buffer may be
// looked at: no more than the read returned, the buffer holds and the
// record's own Length says.
uint32_t recordExtent(const unsigned char* buffer, uint32_t bytesRead,
                      uint32_t bufferSize) {
  uint32_t available = bytesRead < bufferSize ? bytesRead : bufferSize;
  if (available < 4) return 0;
  uint32_t length = load32(buffer + EventRecordLengthOffset);
  return length < available ? length : available;
}

// The buffer that records are read into; it grows for a record that does
// not fit.
struct RecordBuffer {
  unsigned char* bytes;
  uint32_t size;
};

struct ReadResult {
  bool ok;
  uint32_t bytesRead;
  uint32_t errorCode;
  uint32_t minNumberOfBytesNeeded;
};

// Reads one record into the buffer as it is.
ReadResult readOnce(Platform& platform, EventLogHandle log, uint32_t flags,
                    uint32_t offset, const RecordBuffer& buffer) {
  ReadResult result = {false, 0, 0, 0};
  result.ok = platform.ReadEventLogA(log, flags, offset, buffer.bytes,
                                     buffer.size, &result.bytesRead,
                                     &result.minNumberOfBytesNeeded);
  if (!result.ok) result.errorCode = platform.GetLastError();
  return result;
}

// Reads one record. A record too large for the buffer is read once more
// into a buffer of the size the platform asks for, up to the largest read
// the platform accepts; that buffer then replaces the old one.
ReadResult readRecord(Platform& platform, EventLogHandle log, uint32_t flags,
                      uint32_t offset, RecordBuffer& buffer) {
  ReadResult result = readOnce(platform, log, flags, offset, buffer);
  uint32_t needed = result.minNumberOfBytesNeeded;
  if (result.ok || result.errorCode != ErrorInsufficientBuffer ||
      needed <= buffer.size || needed > MaxEventLogReadSize) {
    return result;
  }
  void* larger = platform.Allocate(needed);
  if (larger == nullptr) return result;
  platform.Release(buffer.bytes);
  buffer = {static_cast<unsigned char*>(larger), needed};
  return readOnce(platform, log, flags, offset, buffer);
}

SearchOutcome outcomeOf(SearchOutcome::Kind kind, uint32_t errorCode,
                        uint32_t minNumberOfBytesNeeded = 0) {
  return {kind, 0, 0, errorCode, minNumberOfBytesNeeded};
}

// Walks an open log from the newest record backwards to the boot event.
SearchOutcome walkLog(Platform& platform, EventLogHandle log) {
  RecordBuffer buffer = {
      static_cast<unsigned char*>(platform.Allocate(EventRecordBufferSize)),
      EventRecordBufferSize};
  if (buffer.bytes == nullptr) {
    return outcomeOf(SearchOutcome::noBuffer, platform.GetLastError());
  }
  SearchOutcome outcome;
  uint32_t flags = BackwardsFromNewest;
  uint32_t number = 0;  // the record number of the record just read
  for (;;) {
    ReadResult read = readRecord(platform, log, flags, number, buffer);
    if (!read.ok) {
      outcome = outcomeOf(SearchOutcome::notFound, read.errorCode,
                          read.minNumberOfBytesNeeded);
      break;
    }
    uint32_t extent = recordExtent(buffer.bytes, read.bytesRead, buffer.size);
    if (flags == BackwardsFromNewest) {
      // The newest record names where the walk goes on; one too short to
      // hold its number leaves nowhere to go.
      if (extent < EventRecordNumberOffset + 4) {
        outcome = outcomeOf(SearchOutcome::notFound, ErrorInvalidData);
        break;
      }
      number = load32(buffer.bytes + EventRecordNumberOffset);
      flags = BackwardsFromNumber;
    }
    if (isBootEventRecord(buffer.bytes, extent)) {
      // The clock is read at the match, before anything is released.
      int32_t now = fileTimeToUnixSeconds(platform.GetSystemTimeAsFileTime());
      outcome = {SearchOutcome::found,
                 load32(buffer.bytes + EventRecordTimeGeneratedOffset), now, 0,
                 0};
      break;
    }
    // Record numbers start at 1; below 0 there is nothing left to read.
    if (number == 0) {
      outcome = outcomeOf(SearchOutcome::notFound, ErrorHandleEof);
      break;
    }
    --number;
  }
  platform.Release(buffer.bytes);
  return outcome;
}

}  // namespace

bool isBootEventRecord(const unsigned char* record, uint32_t available) {
  if (available <= EventRecordHeaderSize) return false;
  if (load16(record + EventRecordEventTypeOffset) != EventlogInformationType) {
    return false;
  }
  if ((load32(record + EventRecordEventIdOffset) & 0xFFFF) != BootEventId) {
    return false;
  }
  static const char Source[] = "eventlog";
  const unsigned char* name = record + EventRecordHeaderSize;
  uint32_t room = available - EventRecordHeaderSize;
  if (room < sizeof Source) return false;  // no room for it and a terminator
  for (size_t i = 0; i < sizeof Source; ++i) {
    unsigned char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    if (c != static_cast<unsigned char>(Source[i])) return false;
  }
  return true;
}

int32_t fileTimeToUnixSeconds(uint64_t ticks) {
  uint64_t seconds = (ticks - UnixEpochFileTime) / 10000000ULL;
  return static_cast<int32_t>(static_cast<uint32_t>(seconds));
}

SearchOutcome findBootEvent(Platform& platform, const char* serverName) {
  // The event log service takes a computer name with two backslashes first.
  char* serverText = nullptr;
  if (serverName != nullptr) {
    size_t length = std::strlen(serverName);
    serverText = static_cast<char*>(platform.Allocate(length + 3));
    if (serverText == nullptr) {
      return outcomeOf(SearchOutcome::noBuffer, platform.GetLastError());
    }
    serverText[0] = '\\';
    serverText[1] = '\\';
    std::memcpy(serverText + 2, serverName, length + 1);
  }
  EventLogHandle log =
      platform.OpenEventLogA(serverText != nullptr ? serverText : "", "System");
  uint32_t openError = log == nullptr ? platform.GetLastError() : 0;
  if (serverText != nullptr) platform.Release(serverText);
  if (log == nullptr) return outcomeOf(SearchOutcome::openFailed, openError);
  SearchOutcome outcome = walkLog(platform, log);
  platform.CloseEventLog(log);
  return outcome;
}
