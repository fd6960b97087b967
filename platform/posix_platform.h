// The platform on Linux and other POSIX systems: a stand-in for the Windows
// services that serves the kernel's boot moment as a one-record System log.
#ifndef BOOTSPAN_PLATFORM_POSIX_PLATFORM_H_
#define BOOTSPAN_PLATFORM_POSIX_PLATFORM_H_

#include <cstddef>
#include <cstdint>

#include "platform.h"

class PosixPlatform : public Platform {
 public:
  // statPath is where the kernel's statistics (with its btime line) are read.
  explicit PosixPlatform(const char* statPath = "/proc/stat");
  ~PosixPlatform() override;

  uint16_t GetUserDefaultLangID() override;
  bool GetVersionExA(uint32_t* platformId) override;
  uint32_t FormatMessageA(uint32_t flags, uint32_t messageId,
                          uint32_t languageId, char** buffer) override;
  void LocalFree(char* text) override;
  uint32_t GetLastError() override;
  EventLogHandle OpenEventLogA(const char* serverName,
                               const char* sourceName) override;
  bool ReadEventLogA(EventLogHandle log, uint32_t flags, uint32_t offset,
                     void* buffer, uint32_t size, uint32_t* bytesRead,
                     uint32_t* minNumberOfBytesNeeded) override;
  void CloseEventLog(EventLogHandle log) override;
  uint64_t GetSystemTimeAsFileTime() override;
  void* Allocate(size_t size) override;
  void Release(void* memory) override;
  void WriteOutput(const char* bytes, size_t size, TextOrigin origin) override;
  bool FlushOutput() override;

 private:
  // Returns false (with the error set) where the call must fail.
  bool fail(uint32_t code);
  void put(char byte);

  const char* statPath_;
  uint32_t lastError_ = 0;
  bool utf8Console_;
  bool outputFailed_ = false;
  size_t outputUsed_ = 0;
  char output_[4096];
};

// Returns the Windows language identifier for a POSIX locale name such as
// "de_CH.UTF-8"; 0x0409 for C, POSIX, an empty name or an unknown language.
uint16_t languageIdForLocale(const char* locale);

// Returns true if the locale name's codeset is UTF-8.
bool isUtf8Locale(const char* locale);

// Returns the boot moment from the text of the kernel's statistics: true
// with *bootTime set if a btime line is found.
bool parseBootTime(const char* text, size_t size, uint32_t* bootTime);

#endif  // BOOTSPAN_PLATFORM_POSIX_PLATFORM_H_
