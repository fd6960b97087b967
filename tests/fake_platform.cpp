#include "fake_platform.h"

#include <cstdlib>
#include <cstring>

#include "driver.h"

namespace {

void put32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> 8 * i);
}

}  // namespace

std::string makeEventRecord(uint32_t number, uint32_t eventId,
                            uint16_t eventType, const std::string& source,
                            uint32_t timeGenerated, size_t minimumSize) {
  std::string bytes(EventRecordHeaderSize, '\0');
  bytes += source;
  bytes += '\0';
  bytes += "HOST";
  bytes += '\0';
  size_t length = (bytes.size() + 3) / 4 * 4 + 4;
  if (length < minimumSize) length = (minimumSize + 3) / 4 * 4;
  bytes.resize(length, '\0');
  put32(bytes, EventRecordLengthOffset, static_cast<uint32_t>(length));
  put32(bytes, EventRecordReservedOffset, EventRecordSignature);
  put32(bytes, EventRecordNumberOffset, number);
  put32(bytes, EventRecordTimeGeneratedOffset, timeGenerated);
  put32(bytes, EventRecordTimeWrittenOffset, timeGenerated);
  put32(bytes, EventRecordEventIdOffset, eventId);
  bytes[EventRecordEventTypeOffset] = static_cast<char>(eventType);
  bytes[EventRecordEventTypeOffset + 1] = static_cast<char>(eventType >> 8);
  put32(bytes, length - 4, static_cast<uint32_t>(length));
  return bytes;
}

FakeRecord bootRecord(uint32_t number, uint32_t timeGenerated) {
  return {makeEventRecord(number, 6009, EventlogInformationType, "EventLog",
                          timeGenerated)};
}

FakeRecord otherRecord(uint32_t number, size_t size) {
  return {makeEventRecord(number, 7036, EventlogInformationType,
                          "Service Control Manager", 0, size)};
}

uint64_t fileTimeOf(int64_t unixSeconds) {
  return static_cast<uint64_t>(unixSeconds) * 10000000ULL + UnixEpochFileTime;
}

bool FakePlatform::injectFault(Operation operation) {
  ++calls[operation];
  if (calls[operation] != failAt_[operation]) return false;
  lastError_ = failCode_[operation];
  return true;
}

bool FakePlatform::GetVersionExA(uint32_t* id) {
  if (injectFault(Version)) return false;
  *id = platformId;
  return true;
}

uint32_t FakePlatform::FormatMessageA(uint32_t flags, uint32_t messageId,
                                      uint32_t languageId, char** buffer) {
  *buffer = nullptr;
  if (flags != FormatMessageFlags || languageId != LangUserDefault) {
    lastError_ = ErrorInvalidParameter;
    return 0;
  }
  if (injectFault(FormatMessage)) return 0;
  auto text = systemTexts.find(messageId);
  // An empty text is none: the system never hands out one.
  if (text == systemTexts.end() || text->second.empty()) {
    lastError_ = 317;
    return 0;
  }
  char* copy = static_cast<char*>(std::malloc(text->second.size() + 1));
  std::memcpy(copy, text->second.c_str(), text->second.size() + 1);
  liveTexts_.insert(copy);
  ++acquired_;
  *buffer = copy;
  return static_cast<uint32_t>(text->second.size());
}

void FakePlatform::LocalFree(char* text) {
  if (liveTexts_.erase(text) == 0) {
    ++badReleases_;
    return;
  }
  std::free(text);
}

EventLogHandle FakePlatform::OpenEventLogA(const char* serverName,
                                           const char* sourceName) {
  openedServers.push_back(serverName);
  if (injectFault(Open)) return nullptr;
  if (std::strcmp(sourceName, "System") != 0) {
    lastError_ = ErrorFileNotFound;
    return nullptr;
  }
  // A distinct, never dereferenced address for each handle.
  void* handle = reinterpret_cast<char*>(&handleTag_) + openLogs_.size() + 1;
  openLogs_.insert(handle);
  ++acquired_;
  sequentialDone_ = false;
  return handle;
}

bool FakePlatform::ReadEventLogA(EventLogHandle handle, uint32_t flags,
                                 uint32_t offset, void* buffer, uint32_t size,
                                 uint32_t* bytesRead,
                                 uint32_t* minNumberOfBytesNeeded) {
  readOffsets.push_back(offset);
  readSizes.push_back(size);
  if (openLogs_.count(handle) == 0) {
    lastError_ = ErrorInvalidParameter;
    return false;
  }
  if (injectFault(Read)) return false;
  std::map<uint32_t, FakeRecord>::const_iterator record = log.end();
  if (flags == (EventlogSequentialRead | EventlogBackwardsRead) &&
      offset == 0) {
    if (!sequentialDone_ && !log.empty()) record = std::prev(log.end());
  } else if (flags == (EventlogSeekRead | EventlogBackwardsRead)) {
    record = log.find(offset);
  } else {
    lastError_ = ErrorInvalidParameter;
    return false;
  }
  if (record == log.end()) {
    lastError_ = ErrorHandleEof;
    return false;
  }
  const FakeRecord& r = record->second;
  if (r.failWith != 0) {
    if (r.reportSize != 0) *minNumberOfBytesNeeded = r.reportSize;
    lastError_ = r.failWith;
    return false;
  }
  if (r.bytes.size() > size) {
    *minNumberOfBytesNeeded = static_cast<uint32_t>(r.bytes.size());
    lastError_ = ErrorInsufficientBuffer;
    return false;
  }
  std::memcpy(buffer, r.bytes.data(), r.bytes.size());
  *bytesRead = r.reportSize != 0 ? r.reportSize
                                  : static_cast<uint32_t>(r.bytes.size());
  sequentialDone_ = true;
  lastRecordRead = record->first;
  return true;
}

void FakePlatform::CloseEventLog(EventLogHandle handle) {
  if (openLogs_.erase(handle) == 0) ++badReleases_;
}

void* FakePlatform::Allocate(size_t size) {
  if (injectFault(Allocation)) return nullptr;
  void* memory = std::malloc(size == 0 ? 1 : size);
  liveBuffers_.insert(memory);
  ++acquired_;
  return memory;
}

void FakePlatform::Release(void* memory) {
  if (liveBuffers_.erase(memory) == 0) {
    ++badReleases_;
    return;
  }
  std::free(memory);
}

RunResult runBootspanOn(FakePlatform& platform,
                        const std::vector<const char*>& arguments) {
  std::vector<const char*> argv = {"bootspan"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  int status = runBootspan(platform, static_cast<int>(argv.size()), argv.data());
  return {platform.output, status};
}
