// A scripted platform for tests: a log held in memory, a set clock, chosen
// language and system texts, failures on demand, every byte written kept,
// and every handle, buffer and text counted so that leaks and double
// releases show.
#ifndef BOOTSPAN_TESTS_FAKE_PLATFORM_H_
#define BOOTSPAN_TESTS_FAKE_PLATFORM_H_

#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform.h"

// One record of the fake log, as the read returns it.
struct FakeRecord {
  std::string bytes;
  // When set, a read of this record fails with this code.
  uint32_t failWith = 0;
  // When set, a failing read reports this size, and a fitting read this
  // count of bytes read (which may lie either way).
  uint32_t reportSize = 0;
};

// Builds the bytes of an event record with the given fields; extra bytes of
// padding make it as large as minimumSize.
std::string makeEventRecord(uint32_t number, uint32_t eventId,
                            uint16_t eventType, const std::string& source,
                            uint32_t timeGenerated, size_t minimumSize = 0);
// Returns a boot event (information, 6009, "EventLog") generated at time.
FakeRecord bootRecord(uint32_t number, uint32_t timeGenerated);
// Returns an ordinary event that is no boot event.
FakeRecord otherRecord(uint32_t number, size_t size = 0);

// Seconds since 1970 as the clock's 100-ns ticks since 1601.
uint64_t fileTimeOf(int64_t unixSeconds);

class FakePlatform : public Platform {
 public:
  // The operations that can be told to fail.
  enum Operation { Version, FormatMessage, Open, Read, Allocation, OperationCount };

  // What the system says.
  uint16_t languageId = 0x0409;
  uint32_t platformId = VerPlatformWin32Nt;
  std::map<uint32_t, std::string> systemTexts;  // code page 1252, by code
  uint64_t clock = fileTimeOf(0);
  bool outputFails = false;
  // The log, by record number; the highest number is the newest record.
  std::map<uint32_t, FakeRecord> log;
  uint32_t openError = ErrorAccessDenied;

  // Makes the n-th call (from 1) of an operation fail with code; 0 never.
  void failCall(Operation operation, int n, uint32_t code) {
    failAt_[operation] = n;
    failCode_[operation] = code;
  }

  // Everything written to standard output.
  std::string output;
  // What the program did.
  std::vector<std::string> openedServers;
  std::vector<uint32_t> readOffsets;  // the offset of every read
  std::vector<uint32_t> readSizes;    // the buffer size of every read
  uint32_t lastRecordRead = 0;        // the number of the last record read
  int calls[OperationCount] = {};

  // True when every handle, buffer and text was released exactly once and
  // nothing else was released.
  bool allReleased() const {
    return openLogs_.empty() && liveBuffers_.empty() && liveTexts_.empty() &&
           badReleases_ == 0;
  }
  int acquired() const { return acquired_; }

  uint16_t GetUserDefaultLangID() override { return languageId; }
  bool GetVersionExA(uint32_t* platformId) override;
  uint32_t FormatMessageA(uint32_t flags, uint32_t messageId,
                          uint32_t languageId, char** buffer) override;
  void LocalFree(char* text) override;
  uint32_t GetLastError() override { return lastError_; }
  EventLogHandle OpenEventLogA(const char* serverName,
                               const char* sourceName) override;
  bool ReadEventLogA(EventLogHandle log, uint32_t flags, uint32_t offset,
                     void* buffer, uint32_t size, uint32_t* bytesRead,
                     uint32_t* minNumberOfBytesNeeded) override;
  void CloseEventLog(EventLogHandle log) override;
  uint64_t GetSystemTimeAsFileTime() override { return clock; }
  void* Allocate(size_t size) override;
  void Release(void* memory) override;
  void WriteOutput(const char* bytes, size_t size, TextOrigin) override {
    output.append(bytes, size);
  }
  bool FlushOutput() override { return !outputFails; }

 private:
  // Counts a call; returns true (with the error set) if it is to fail.
  bool injectFault(Operation operation);

  uint32_t lastError_ = 0;
  int failAt_[OperationCount] = {};
  uint32_t failCode_[OperationCount] = {};
  bool sequentialDone_ = false;
  int handleTag_ = 0;
  std::set<void*> openLogs_;
  std::set<void*> liveBuffers_;
  std::set<void*> liveTexts_;
  int badReleases_ = 0;
  int acquired_ = 0;
};



// The outcome of a run of the whole program on a fake platform.
struct RunResult {
  std::string output;
  int status;
  bool operator==(const RunResult& other) const {
    return output == other.output && status == other.status;
  }
};

inline void PrintTo(const RunResult& result, std::ostream* out) {
  *out << "status " << result.status << ", output \"";
  for (unsigned char c : result.output) {
    if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
      *out << c;
    } else {
      static const char Hex[] = "0123456789ABCDEF";
      *out << "\\x" << Hex[c >> 4] << Hex[c & 15];
    }
  }
  *out << "\"";
}

// Runs bootspan with the arguments after the program name.
RunResult runBootspanOn(FakePlatform& platform,
                        const std::vector<const char*>& arguments);

#endif  // BOOTSPAN_TESTS_FAKE_PLATFORM_H_
