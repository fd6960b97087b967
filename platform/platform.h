// The seam between bootspan and the operating system: every call that the
// program makes to the system goes through a Platform, so that tests can
// script the system's answers, count what was acquired and make any call fail.
#ifndef BOOTSPAN_PLATFORM_PLATFORM_H_
#define BOOTSPAN_PLATFORM_PLATFORM_H_

#include <cstddef>
#include <cstdint>

// The event log handle, as opaque as the system's own.
using EventLogHandle = void*;

// Error codes as GetLastError returns them.
enum : uint32_t {
  ErrorFileNotFound = 2,
  ErrorAccessDenied = 5,
  ErrorNotEnoughMemory = 8,
  ErrorInvalidData = 13,
  ErrorGenFailure = 31,
  ErrorHandleEof = 38,
  ErrorInvalidParameter = 87,
  ErrorInsufficientBuffer = 122,
  ErrorRpcServerUnavailable = 1722,
};

// 1970-01-01 00:00:00 UTC on the Windows clock: 100-ns ticks since 1601.
constexpr uint64_t UnixEpochFileTime = 116444736000000000ULL;

// The platform identifier of the NT family.
constexpr uint32_t VerPlatformWin32Nt = 2;

// The flags and language with which system texts are fetched: allocate the
// buffer, ignore inserts, take the text from the system; the user's language.
constexpr uint32_t FormatMessageFlags = 0x1300;
constexpr uint32_t LangUserDefault = 0x400;

// Event log read flags.
constexpr uint32_t EventlogSequentialRead = 0x1;
constexpr uint32_t EventlogSeekRead = 0x2;
constexpr uint32_t EventlogBackwardsRead = 0x8;

// The largest read buffer that ReadEventLogA accepts.
constexpr uint32_t MaxEventLogReadSize = 0x7FFFF;

// The layout of an EVENTLOGRECORD header: byte offsets of the fields read
// here, and the header's size (the source name follows it directly).
enum : uint32_t {
  EventRecordLengthOffset = 0,
  EventRecordReservedOffset = 4,
  EventRecordNumberOffset = 8,
  EventRecordTimeGeneratedOffset = 12,
  EventRecordTimeWrittenOffset = 16,
  EventRecordEventIdOffset = 20,
  EventRecordEventTypeOffset = 24,
  EventRecordStringOffsetOffset = 36,
  EventRecordUserSidOffsetOffset = 44,
  EventRecordDataOffsetOffset = 52,
  EventRecordHeaderSize = 56,
};
constexpr uint32_t EventlogInformationType = 4;
// "LfLe", the signature in the Reserved field of every record.
constexpr uint32_t EventRecordSignature = 0x654C664C;

// Where bytes written to standard output came from. The program's own texts
// are code page 850; bytes from the command line pass through unchanged.
enum class TextOrigin { Program, CommandLine };

// The operating system as bootspan uses it. Each operation keeps the name and
// the contract of the Windows call it stands for; standard output and memory
// allocation complete the set.
class Platform {
 public:
  virtual ~Platform() = default;

  // Returns the user's default language identifier.
  virtual uint16_t GetUserDefaultLangID() = 0;
  // Asks for the version record (OSVERSIONINFOA, size 148); true with
  // *platformId set, false on failure with the code for GetLastError.
  virtual bool GetVersionExA(uint32_t* platformId) = 0;
  // Fetches the system's text for messageId, code page 1252, ending in a line
  // end; stores a text to be released with LocalFree in *buffer and returns
  // its length, or returns 0 when there is no text.
  virtual uint32_t FormatMessageA(uint32_t flags, uint32_t messageId,
                                  uint32_t languageId, char** buffer) = 0;
  // Releases a text from FormatMessageA.
  virtual void LocalFree(char* text) = 0;
  // Returns the error code of the call that has just failed.
  virtual uint32_t GetLastError() = 0;
  // Opens the log named sourceName on serverName ("" for this computer,
  // otherwise two backslashes and the name); null on failure.
  virtual EventLogHandle OpenEventLogA(const char* serverName,
                                       const char* sourceName) = 0;
  // Reads one record into buffer: the newest for flags 9 (offset 0), record
  // number offset for flags 10. True on success with *bytesRead set; false on
  // failure, with *minNumberOfBytesNeeded set when the record does not fit.
  virtual bool ReadEventLogA(EventLogHandle log, uint32_t flags,
                             uint32_t offset, void* buffer, uint32_t size,
                             uint32_t* bytesRead,
                             uint32_t* minNumberOfBytesNeeded) = 0;
  // Closes a log from OpenEventLogA.
  virtual void CloseEventLog(EventLogHandle log) = 0;
  // Returns the current UTC time in 100-nanosecond ticks since 1601-01-01.
  virtual uint64_t GetSystemTimeAsFileTime() = 0;

  // Returns size bytes of memory, or null with the code for GetLastError.
  virtual void* Allocate(size_t size) = 0;
  // Releases memory from Allocate.
  virtual void Release(void* memory) = 0;
  // Writes bytes to standard output (line feeds as the stream ends lines).
  virtual void WriteOutput(const char* bytes, size_t size,
                           TextOrigin origin) = 0;
  // Flushes standard output; false if any byte could not be written.
  virtual bool FlushOutput() = 0;
};

#endif  // BOOTSPAN_PLATFORM_PLATFORM_H_
