#include "win32_platform.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

// The C runtime hands over the arguments as the command line splits them,
// with no wildcard expanded to file names.
extern "C" int _dowildcard;
int _dowildcard = 0;

Win32Platform::~Win32Platform() { FlushOutput(); }

uint16_t Win32Platform::GetUserDefaultLangID() {
  return ::GetUserDefaultLangID();
}

bool Win32Platform::GetVersionExA(uint32_t* platformId) {
  OSVERSIONINFOA info;
  ZeroMemory(&info, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;  // 148: the record of NT 4 on
  if (!::GetVersionExA(&info)) return false;
  *platformId = info.dwPlatformId;
  return true;
}

uint32_t Win32Platform::FormatMessageA(uint32_t flags, uint32_t messageId,
                                       uint32_t languageId, char** buffer) {
  // With FORMAT_MESSAGE_ALLOCATE_BUFFER the system stores the address of the
  // text it allocated where the buffer argument points.
  return ::FormatMessageA(flags, nullptr, messageId, languageId,
                          reinterpret_cast<LPSTR>(buffer), 0, nullptr);
}

void Win32Platform::LocalFree(char* text) { ::LocalFree(text); }

uint32_t Win32Platform::GetLastError() { return ::GetLastError(); }

EventLogHandle Win32Platform::OpenEventLogA(const char* serverName,
                                            const char* sourceName) {
  return ::OpenEventLogA(serverName, sourceName);
}

bool Win32Platform::ReadEventLogA(EventLogHandle log, uint32_t flags,
                                  uint32_t offset, void* buffer, uint32_t size,
                                  uint32_t* bytesRead,
                                  uint32_t* minNumberOfBytesNeeded) {
  DWORD read = 0;
  DWORD needed = *minNumberOfBytesNeeded;
  BOOL ok = ::ReadEventLogA(log, flags, offset, buffer, size, &read, &needed);
  *bytesRead = read;
  *minNumberOfBytesNeeded = needed;
  return ok != FALSE;
}

void Win32Platform::CloseEventLog(EventLogHandle log) { ::CloseEventLog(log); }

uint64_t Win32Platform::GetSystemTimeAsFileTime() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return static_cast<uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
}

void* Win32Platform::Allocate(size_t size) {
  void* memory = std::malloc(size);
  // The C runtime need not set the system's error code; say what failed.
  if (memory == nullptr) ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return memory;
}

void Win32Platform::Release(void* memory) { std::free(memory); }

void Win32Platform::WriteOutput(const char* bytes, size_t size, TextOrigin) {
  // The console shows code page 850 and the arguments arrive in the ANSI
  // code page: both go out as they are. The text-mode stream ends each line
  // with carriage return and line feed.
  std::fwrite(bytes, 1, size, stdout);
}

bool Win32Platform::FlushOutput() {
  return std::fflush(stdout) == 0 && !std::ferror(stdout);
}
