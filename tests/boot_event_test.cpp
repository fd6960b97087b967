#include "boot_event.h"

#include <functional>

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace {

constexpr int64_t Now = 1800000000;

FakeRecord withSize(FakeRecord record, uint32_t reportSize) {
  record.reportSize = reportSize;
  return record;
}

FakeRecord failing(uint32_t code, uint32_t reportSize = 0) {
  FakeRecord record;
  record.failWith = code;
  record.reportSize = reportSize;
  return record;
}

FakeRecord event(uint32_t number, uint32_t eventId, uint16_t type,
                 const char* source, uint32_t time = 1000) {
  return {makeEventRecord(number, eventId, type, source, time)};
}

struct SearchCase {
  const char* name;
  std::map<uint32_t, FakeRecord> log;
  SearchOutcome::Kind kind;
  uint32_t timeOrCode;  // TimeGenerated when found, else the error code
  uint32_t minNumberOfBytesNeeded;
  std::vector<uint32_t> readOffsets;
};

const uint32_t Info = EventlogInformationType;

const SearchCase SearchCases[] = {
    {"NewestRecordIsTheBootEvent", {{5, bootRecord(5, 77)}},
     SearchOutcome::found, 77, 0, {0}},
    {"WalksBackOneRecordPerRead",
     {{3, bootRecord(3, 77)}, {4, otherRecord(4)}, {5, otherRecord(5)}},
     SearchOutcome::found, 77, 0, {0, 4, 3}},
    {"NewestOfSeveralBootEvents",
     {{3, bootRecord(3, 1)}, {4, bootRecord(4, 2)}, {5, otherRecord(5)}},
     SearchOutcome::found, 2, 0, {0, 4}},
    {"EmptyLog", {}, SearchOutcome::notFound, ErrorHandleEof, 0, {0}},
    {"OtherSourceOnly",
     {{1, event(1, 6009, Info, "EventLogger")}, {2, event(2, 6009, Info, "Eventlo")}},
     SearchOutcome::notFound, ErrorHandleEof, 0, {0, 1, 0}},
    {"WarningOrErrorIsNoMatch",
     {{1, event(1, 6009, 2, "EventLog")}, {2, event(2, 6009, 1, "EventLog")}},
     SearchOutcome::notFound, ErrorHandleEof, 0, {0, 1, 0}},
    {"HighBitsOfTheIdAreIgnored",
     {{9, event(9, 0xC0011779, Info, "EventLog", 55)}}, SearchOutcome::found, 55,
     0, {0}},
    {"OtherLowBitsAreNoMatch",
     {{9, event(9, 0x17790000, Info, "EventLog")}}, SearchOutcome::notFound,
     ErrorHandleEof, 0, {0, 8}},
    {"SourceInAnyLetterCase", {{9, event(9, 6009, Info, "eVENTlOG", 56)}},
     SearchOutcome::found, 56, 0, {0}},
    {"RecordLargerThanTheBufferBeforeTheBootEvent",
     {{3, bootRecord(3, 77)}, {4, otherRecord(4, 5000)}, {5, otherRecord(5)}},
     SearchOutcome::found, 77, 0, {0, 4, 4, 3}},
    {"RecordLargerThanAnyReadBuffer",
     {{3, bootRecord(3, 77)}, {4, failing(ErrorInsufficientBuffer, 0x80000)},
      {5, otherRecord(5)}},
     SearchOutcome::notFound, ErrorInsufficientBuffer, 0x80000, {0, 4}},
    {"RetriedReadFailsAgain",
     {{4, failing(ErrorInsufficientBuffer, 2048)}, {5, otherRecord(5)}},
     SearchOutcome::notFound, ErrorInsufficientBuffer, 2048, {0, 4, 4}},
    {"TooSmallWithoutAUsefulSize",
     {{4, failing(ErrorInsufficientBuffer, 100)}, {5, otherRecord(5)}},
     SearchOutcome::notFound, ErrorInsufficientBuffer, 100, {0, 4}},
    {"ReadFailureLeavesNoSize",
     {{4, failing(ErrorAccessDenied)}, {5, otherRecord(5)}},
     SearchOutcome::notFound, ErrorAccessDenied, 0, {0, 4}},
    {"ReadShorterThanTheHeaderIsNoMatch",
     {{4, bootRecord(4, 1)}, {5, withSize(bootRecord(5, 2), 40)}},
     SearchOutcome::found, 1, 0, {0, 4}},
    {"SourceNameCutByTheBytesRead",
     {{4, bootRecord(4, 1)}, {5, withSize(bootRecord(5, 2), 60)}},
     SearchOutcome::found, 1, 0, {0, 4}},
    {"NewestRecordTooShortToName",
     {{5, withSize(bootRecord(5, 2), 10)}}, SearchOutcome::notFound,
     ErrorInvalidData, 0, {0}},
    {"WalkStopsAtRecordZero",
     {{0, otherRecord(0)}, {1, otherRecord(1)}}, SearchOutcome::notFound,
     ErrorHandleEof, 0, {0, 0}},
};

void PrintTo(const SearchCase& c, std::ostream* out) { *out << c.name; }

class SearchTable : public testing::TestWithParam<SearchCase> {};

TEST_P(SearchTable, FindsTheNewestBootEvent) {
  const SearchCase& c = GetParam();
  FakePlatform platform;
  platform.clock = fileTimeOf(Now);
  platform.log = c.log;
  SearchOutcome outcome = findBootEvent(platform, nullptr);
  EXPECT_EQ(outcome.kind, c.kind);
  if (c.kind == SearchOutcome::found) {
    EXPECT_EQ(outcome.timeGenerated, c.timeOrCode);
    EXPECT_EQ(outcome.currentTime, Now);
  } else {
    EXPECT_EQ(outcome.errorCode, c.timeOrCode);
    EXPECT_EQ(outcome.minNumberOfBytesNeeded, c.minNumberOfBytesNeeded);
  }
  EXPECT_EQ(platform.readOffsets, c.readOffsets);
  EXPECT_TRUE(platform.allReleased());
}

INSTANTIATE_TEST_SUITE_P(BootEvent, SearchTable, testing::ValuesIn(SearchCases),
                         [](const testing::TestParamInfo<SearchCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(BootEvent, GrownBufferServesTheRestOfTheWalk) {
  FakePlatform platform;
  platform.log = {{2, bootRecord(2, 9)},
                  {3, otherRecord(3, 3000)},
                  {4, otherRecord(4, 2000)},
                  {5, otherRecord(5)}};
  EXPECT_EQ(findBootEvent(platform, nullptr).kind, SearchOutcome::found);
  EXPECT_EQ(platform.readSizes,
            (std::vector<uint32_t>{1024, 1024, 2000, 2000, 3000, 3000}));
  EXPECT_TRUE(platform.allReleased());
}

TEST(BootEvent, FailedGrowthEndsTheWalkWithTheSize) {
  FakePlatform platform;
  platform.log = {{3, bootRecord(3, 9)}, {4, otherRecord(4, 2000)},
                  {5, otherRecord(5)}};
  platform.failCall(FakePlatform::Allocation, 2, ErrorNotEnoughMemory);
  SearchOutcome outcome = findBootEvent(platform, nullptr);
  EXPECT_EQ(outcome.kind, SearchOutcome::notFound);
  EXPECT_EQ(outcome.errorCode, ErrorInsufficientBuffer);
  EXPECT_EQ(outcome.minNumberOfBytesNeeded, 2000u);
  EXPECT_TRUE(platform.allReleased());
}

TEST(BootEvent, SourceNameWithoutTerminatorInTheRecordIsNoMatch) {
  // The name runs to the record's end: Length ends it before its terminator.
  std::string bytes = makeEventRecord(5, 6009, Info, "EventLog", 1);
  bytes.resize(EventRecordHeaderSize + 8);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((bytes.size() >> 8 * i) & 0xFF);
  EXPECT_FALSE(isBootEventRecord(
      reinterpret_cast<const unsigned char*>(bytes.data()),
      static_cast<uint32_t>(bytes.size())));
  bytes += '\0';
  EXPECT_TRUE(isBootEventRecord(
      reinterpret_cast<const unsigned char*>(bytes.data()),
      static_cast<uint32_t>(bytes.size())));
}

TEST(BootEvent, ClockTicksBecomeUnixSeconds) {
  EXPECT_EQ(fileTimeToUnixSeconds(UnixEpochFileTime), 0);
  EXPECT_EQ(fileTimeToUnixSeconds(UnixEpochFileTime + 9999999), 0);
  EXPECT_EQ(fileTimeToUnixSeconds(fileTimeOf(1700000000)), 1700000000);
  // After 2038 the low 32 bits wrap to a negative count.
  EXPECT_EQ(fileTimeToUnixSeconds(fileTimeOf(0x80000000LL)), INT32_MIN);
}

}  // namespace
