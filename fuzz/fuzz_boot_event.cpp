// The boot-event search over an arbitrary log read through the fake
// platform: records with lying Length fields, source names without a
// terminator, reads that return fewer or more bytes than a header, buffer
// answers with huge or tiny sizes, counters that run below the oldest
// record, and failing allocations. It must never crash, read or write out
// of bounds, walk without end, or leave a handle or buffer unreleased; and
// what it finds must be a boot event.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "boot_event.h"
#include "fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  FakePlatform platform;
  uint32_t newest = input.ConsumeIntegral<uint32_t>();
  size_t count = input.ConsumeIntegralInRange<size_t>(0, 40);
  for (size_t i = 0; i < count && newest >= i; ++i) {
    uint32_t number = newest - static_cast<uint32_t>(i);
    uint8_t kind = input.ConsumeIntegral<uint8_t>();
    FakeRecord record;
    if (kind & 1) {
      const uint32_t codes[] = {ErrorInsufficientBuffer, ErrorHandleEof,
                                ErrorAccessDenied, 0xFFFFFFFF};
      record.failWith = codes[kind >> 6];
    }
    if (kind & 2) record.reportSize = input.ConsumeIntegral<uint32_t>();
    if (kind & 4) {
      // A well-formed record with fuzzed fields.
      record.bytes = makeEventRecord(
          input.ConsumeBool() ? number : input.ConsumeIntegral<uint32_t>(),
          input.ConsumeBool() ? 6009 : input.ConsumeIntegral<uint32_t>(),
          input.ConsumeIntegralInRange<uint16_t>(0, 8),
          input.ConsumeRandomLengthString(16), input.ConsumeIntegral<uint32_t>(),
          input.ConsumeIntegralInRange<size_t>(0, 5000));
    } else {
      record.bytes = input.ConsumeRandomLengthString(3000);
    }
    platform.log[number] = record;
  }
  if (input.ConsumeBool()) {
    platform.failCall(FakePlatform::Allocation,
                      input.ConsumeIntegralInRange<int>(1, 4),
                      ErrorNotEnoughMemory);
  }
  const char* server = input.ConsumeBool() ? "far" : nullptr;

  SearchOutcome outcome = findBootEvent(platform, server);
  if (!platform.allReleased()) std::abort();
  // Each record is read at most twice (once more into a larger buffer).
  if (platform.readOffsets.size() > 2 * (count + 1)) std::abort();
  if (outcome.kind == SearchOutcome::found) {
    const FakeRecord& match = platform.log.at(platform.lastRecordRead);
    if (!isBootEventRecord(
            reinterpret_cast<const unsigned char*>(match.bytes.data()),
            static_cast<uint32_t>(match.bytes.size()))) {
      std::abort();
    }
  }
  return 0;
}
