// Every operation of the platform that can fail, failed on each of its
// calls in turn: the run prints the one expected message (nothing where the
// system has no text for the code), ends with -1, and releases everything.
#include <string>

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace {

const char Denied[] = "Access denied.\r\n";
const char NoMemory[] = "Out of memory.\r\n";
const char TooSmall[] = "Too small.\r\n";

// A run that needs every operation: a remote name, a record too large for
// the first buffer before the boot event, and a template of its own.
const std::vector<const char*> Arguments = {"/s", "far", "/f", "%D"};

FakePlatform scenario() {
  FakePlatform platform;
  platform.clock = fileTimeOf(1000 + 12 * 86400);
  platform.log[3] = bootRecord(3, 1000);
  platform.log[4] = otherRecord(4, 2000);
  platform.log[5] = otherRecord(5);
  platform.systemTexts = {{ErrorAccessDenied, Denied},
                          {ErrorNotEnoughMemory, NoMemory},
                          {ErrorInsufficientBuffer, TooSmall}};
  return platform;
}

std::string notFound(const std::string& text, int size) {
  return "Event 6009 not found in system log!\nReadEventLog error: " + text +
         "minNumberOfBytesNeeded: " + std::to_string(size) + "\n";
}

struct Fault {
  FakePlatform::Operation operation;
  int call;
  std::string output;  // with the system's text
  std::string silent;  // where the system has no text
};

TEST(FaultSweep, EveryFailingCallIsReportedOnceAndReleasesEverything) {
  const uint32_t Code[] = {ErrorAccessDenied, ErrorAccessDenied,
                           ErrorAccessDenied, ErrorAccessDenied,
                           ErrorNotEnoughMemory};
  const Fault faults[] = {
      {FakePlatform::Version, 1, std::string("GetVersionEx error: ") + Denied, ""},
      {FakePlatform::Allocation, 1, std::string("malloc error: ") + NoMemory, ""},
      {FakePlatform::Open, 1, std::string("OpenEventLog error: ") + Denied, ""},
      {FakePlatform::Allocation, 2, std::string("malloc error: ") + NoMemory, ""},
      {FakePlatform::Read, 1, notFound(Denied, 0), ""},
      {FakePlatform::Read, 2, notFound(Denied, 0), ""},
      // The first buffer is too small; the larger one cannot be had.
      {FakePlatform::Allocation, 3, notFound(TooSmall, 2000), ""},
      {FakePlatform::Read, 3, notFound(Denied, 0), ""},
      {FakePlatform::Read, 4, notFound(Denied, 0), ""},
      {FakePlatform::Allocation, 4, std::string("malloc error: ") + NoMemory, ""},
  };
  for (const Fault& fault : faults) {
    for (bool withText : {true, false}) {
      FakePlatform platform = scenario();
      platform.failCall(fault.operation, fault.call, Code[fault.operation]);
      if (!withText) platform.failCall(FakePlatform::FormatMessage, 1, 317);
      RunResult expected = {withText ? fault.output : fault.silent, -1};
      EXPECT_EQ(runBootspanOn(platform, Arguments), expected)
          << "operation " << fault.operation << ", call " << fault.call
          << (withText ? "" : ", no text");
      EXPECT_TRUE(platform.allReleased());
    }
  }
}

TEST(FaultSweep, TheSweepReachesEveryCall) {
  // The fault table above names every call that the run makes.
  FakePlatform platform = scenario();
  EXPECT_EQ(runBootspanOn(platform, Arguments), (RunResult{"12", 0}));
  EXPECT_EQ(platform.calls[FakePlatform::Version], 1);
  EXPECT_EQ(platform.calls[FakePlatform::Open], 1);
  EXPECT_EQ(platform.calls[FakePlatform::Read], 4);
  EXPECT_EQ(platform.calls[FakePlatform::Allocation], 4);
  EXPECT_EQ(platform.calls[FakePlatform::FormatMessage], 0);
  EXPECT_TRUE(platform.allReleased());
  EXPECT_EQ(platform.acquired(), 5);  // four buffers and the log
}

}  // namespace
