// The platform on Windows: each operation forwards to kernel32, advapi32 or
// the C runtime.
#ifndef BOOTSPAN_PLATFORM_WIN32_PLATFORM_H_
#define BOOTSPAN_PLATFORM_WIN32_PLATFORM_H_

#include "platform.h"

class Win32Platform : public Platform {
 public:
  ~Win32Platform() override;

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
};

#endif  // BOOTSPAN_PLATFORM_WIN32_PLATFORM_H_
