// The cost of the walk: the boot event behind N other records, read one by
// one from a log in memory. The time per record examined must not grow
// with N.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "boot_event.h"
#include "fake_platform.h"

namespace {

// A log of `count` records whose oldest is the boot event; a read by number
// costs the same whatever the number, as a real log's index makes it.
class MemoryLogPlatform : public Platform {
 public:
  explicit MemoryLogPlatform(uint32_t count)
      : newest_(count),
        boot_(bootRecord(1, 0).bytes),
        other_(otherRecord(2).bytes) {}

  uint16_t GetUserDefaultLangID() override { return 0x0409; }
  bool GetVersionExA(uint32_t* platformId) override {
    *platformId = VerPlatformWin32Nt;
    return true;
  }
  uint32_t FormatMessageA(uint32_t, uint32_t, uint32_t, char** text) override {
    *text = nullptr;
    return 0;
  }
  void LocalFree(char*) override {}
  uint32_t GetLastError() override { return lastError_; }
  EventLogHandle OpenEventLogA(const char*, const char*) override {
    return this;
  }
  bool ReadEventLogA(EventLogHandle, uint32_t flags, uint32_t offset,
                     void* buffer, uint32_t size, uint32_t* bytesRead,
                     uint32_t* needed) override {
    uint32_t number = flags & EventlogSeekRead ? offset : newest_;
    if (number == 0 || number > newest_) {
      lastError_ = ErrorHandleEof;
      return false;
    }
    const std::string& record = number == 1 ? boot_ : other_;
    if (record.size() > size) {
      *needed = static_cast<uint32_t>(record.size());
      lastError_ = ErrorInsufficientBuffer;
      return false;
    }
    std::memcpy(buffer, record.data(), record.size());
    std::memcpy(static_cast<char*>(buffer) + EventRecordNumberOffset, &number, 4);
    *bytesRead = static_cast<uint32_t>(record.size());
    return true;
  }
  void CloseEventLog(EventLogHandle) override {}
  uint64_t GetSystemTimeAsFileTime() override { return UnixEpochFileTime; }
  void* Allocate(size_t size) override { return ::operator new(size); }
  void Release(void* memory) override { ::operator delete(memory); }
  void WriteOutput(const char*, size_t, TextOrigin) override {}
  bool FlushOutput() override { return true; }

 private:
  uint32_t newest_;
  uint32_t lastError_ = 0;
  std::string boot_;
  std::string other_;
};

void BM_FindBootEvent(benchmark::State& state) {
  uint32_t before = static_cast<uint32_t>(state.range(0));
  MemoryLogPlatform platform(before + 1);
  for (auto _ : state) {
    SearchOutcome outcome = findBootEvent(platform, nullptr);
    if (outcome.kind != SearchOutcome::found) state.SkipWithError("not found");
    benchmark::DoNotOptimize(outcome);
  }
  // Seconds per record examined (shown with its unit prefix, n for ns).
  state.counters["per_record"] = benchmark::Counter(
      static_cast<double>(before + 1),
      benchmark::Counter::kIsIterationInvariantRate |
          benchmark::Counter::kInvert);
}
BENCHMARK(BM_FindBootEvent)->Arg(100)->Arg(10000)->Arg(1000000);

}  // namespace

BENCHMARK_MAIN();
