#include <functional>

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "running_time.h"

namespace {

constexpr uint16_t English = 0x0409;
constexpr uint16_t German = 0x0407;

// A computer that booted at Boot and whose clock reads Now: 12 days,
// 3 hours, 4 minutes and 5 seconds later.
constexpr uint32_t Boot = 1700000000;
constexpr int64_t Now = Boot + 12 * 86400 + 3 * 3600 + 4 * 60 + 5;

// A platform with a healthy log: the boot event behind two other records.
void healthy(FakePlatform& platform, uint16_t language) {
  platform.languageId = language;
  platform.clock = fileTimeOf(Now);
  platform.log[40] = bootRecord(40, Boot);
  platform.log[41] = otherRecord(41);
  platform.log[42] = otherRecord(42);
  platform.systemTexts = {
      {ErrorAccessDenied, "Zugriff verweigert.\r\n"},
      {ErrorNotEnoughMemory, "Nicht gen\xFCgend Speicher.\r\n"},
      {ErrorHandleEof, "Ende \x84Protokoll\x93.\r\n"},
  };
}

struct FailureCase {
  const char* name;
  std::vector<const char*> arguments;
  std::function<void(FakePlatform&)> setUp;
  const char* english;
  const char* german;
  int status;
};

const FailureCase FailureCases[] = {
    {"VersionQueryFails", {},
     [](FakePlatform& p) { p.failCall(FakePlatform::Version, 1, ErrorAccessDenied); },
     "GetVersionEx error: Zugriff verweigert.\r\n",
     "GetVersionEx error: Zugriff verweigert.\r\n", -1},
    {"VersionQueryFailsWithoutText", {},
     [](FakePlatform& p) { p.failCall(FakePlatform::Version, 1, 1234); }, "",
     "", -1},
    {"NotNtFamily", {},
     [](FakePlatform& p) { p.platformId = 1; },
     "Bootspan can be executed on Windows NT/2000/XP computers only!\n",
     "Bootspan kann nur auf Windows NT/2000/XP-Computern ausgef\x81hrt "
     "werden!\n",
     -1},
    {"NotNtFamilyRefusesHelpToo", {"/?"},
     [](FakePlatform& p) { p.platformId = 1; },
     "Bootspan can be executed on Windows NT/2000/XP computers only!\n",
     "Bootspan kann nur auf Windows NT/2000/XP-Computern ausgef\x81hrt "
     "werden!\n",
     -1},
    {"ArgumentError", {"x"}, [](FakePlatform&) {},
     "The argument x is not known!\nType 'bootspan /?' to get help.\n",
     "Das Argument x ist nicht bekannt!\nGeben Sie f\x81r Hilfe 'bootspan /?' "
     "ein.\n",
     -1},
    {"OpenFails", {},
     [](FakePlatform& p) { p.failCall(FakePlatform::Open, 1, ErrorAccessDenied); },
     "OpenEventLog error: Zugriff verweigert.\r\n",
     "OpenEventLog-Fehler: Zugriff verweigert.\r\n", -1},
    {"OpenFailsWithoutText", {},
     [](FakePlatform& p) { p.failCall(FakePlatform::Open, 1, 1722); }, "", "",
     -1},
    {"RecordBufferFails", {},
     [](FakePlatform& p) {
       p.failCall(FakePlatform::Allocation, 1, ErrorNotEnoughMemory);
     },
     "malloc error: Nicht gen\x81gend Speicher.\r\n",
     "malloc-Fehler: Nicht gen\x81gend Speicher.\r\n", -1},
    {"BootEventNotFound", {},
     [](FakePlatform& p) { p.log.erase(40); },
     "Event 6009 not found in system log!\nReadEventLog error: Ende "
     "\"Protokoll\".\r\nminNumberOfBytesNeeded: 0\n",
     "Ereignis 6009 wurde im Ereignisprotokoll 'System' nicht gefunden!\n"
     "ReadEventLog-Fehler: Ende \"Protokoll\".\r\nminNumberOfBytesNeeded: 0\n",
     -1},
    {"CustomOutputBufferFails", {"/f", "%D"},
     [](FakePlatform& p) {
       p.failCall(FakePlatform::Allocation, 2, ErrorNotEnoughMemory);
     },
     "malloc error: Nicht gen\x81gend Speicher.\r\n",
     "malloc-Fehler: Nicht gen\x81gend Speicher.\r\n", -1},
    {"OutputCannotBeWritten", {},
     [](FakePlatform& p) { p.outputFails = true; },
     "Bootspan: 0 years, 12 days, 3 hours, 4 minutes, and 5 seconds.\n",
     "Laufzeit: 0 Jahre, 12 Tage, 3 Stunden, 4 Minuten und 5 Sekunden.\n", -1},
    {"SentenceForm", {}, [](FakePlatform&) {},
     "Bootspan: 0 years, 12 days, 3 hours, 4 minutes, and 5 seconds.\n",
     "Laufzeit: 0 Jahre, 12 Tage, 3 Stunden, 4 Minuten und 5 Sekunden.\n", 0},
    {"LinesForm", {"/a"}, [](FakePlatform&) {},
     "0 years\n12 days\n3 hours\n4 minutes\n5 seconds\n",
     "0 Jahre\n12 Tage\n3 Stunden\n4 Minuten\n5 Sekunden\n", 0},
    {"CustomForm", {"/f", "%D+%H"}, [](FakePlatform&) {}, "12+3", "12+3", 0},
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class FailureTable : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureTable, PrintsOneMessageAndReleasesEverything) {
  const FailureCase& c = GetParam();
  for (uint16_t language : {English, German}) {
    FakePlatform platform;
    healthy(platform, language);
    c.setUp(platform);
    RunResult expected = {language == German ? c.german : c.english, c.status};
    EXPECT_EQ(runBootspanOn(platform, c.arguments), expected)
        << "language " << language;
    EXPECT_TRUE(platform.allReleased());
  }
}

INSTANTIATE_TEST_SUITE_P(Driver, FailureTable, testing::ValuesIn(FailureCases),
                         [](const testing::TestParamInfo<FailureCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(Driver, ReportsRunningTimeFromTheMatchToTheClock) {
  struct Case {
    int64_t now;
    uint32_t timeGenerated;
    const char* sentence;
  } cases[] = {
      {Boot + 365 * 86400LL, Boot,
       "Bootspan: 1 years, 0 days, 0 hours, 0 minutes, and 0 seconds.\n"},
      {Boot + 731 * 86400LL, Boot,
       "Bootspan: 2 years, 1 days, 0 hours, 0 minutes, and 0 seconds.\n"},
      // The target's clock is ahead of ours: no running time yet.
      {Boot - 30, Boot,
       "Bootspan: 0 years, 0 days, 0 hours, 0 minutes, and 0 seconds.\n"},
      // Booted before the 32-bit clock wrapped in 2038, asked after it.
      {0x80000000LL + 100, 0x7FFFFFFFu - 99,
       "Bootspan: 0 years, 0 days, 0 hours, 3 minutes, and 20 seconds.\n"},
      // Booted and asked after 2038, up to 2106.
      {0xFFFFF000LL + 3661, 0xFFFFF000u,
       "Bootspan: 0 years, 0 days, 1 hours, 1 minutes, and 1 seconds.\n"},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.clock = fileTimeOf(c.now);
    platform.log[7] = bootRecord(7, c.timeGenerated);
    EXPECT_EQ(runBootspanOn(platform, {}), (RunResult{c.sentence, 0}));
  }
}

TEST(Driver, ReadsTheRemoteLogByItsNetworkName) {
  FakePlatform platform;
  healthy(platform, English);
  runBootspanOn(platform, {"/s", "Compi12"});
  runBootspanOn(platform, {"/s", "\\\\twice"});
  runBootspanOn(platform, {"/s", ""});
  runBootspanOn(platform, {});
  EXPECT_EQ(platform.openedServers,
            (std::vector<std::string>{"\\\\Compi12", "\\\\\\\\twice", "\\\\",
                                      ""}));
  EXPECT_TRUE(platform.allReleased());
}

TEST(Driver, FailureOfTheRemoteNameBufferIsAnAllocationFailure) {
  FakePlatform platform;
  healthy(platform, English);
  platform.failCall(FakePlatform::Allocation, 1, ErrorNotEnoughMemory);
  EXPECT_EQ(runBootspanOn(platform, {"/s", "far"}),
            (RunResult{"malloc error: Nicht gen\x81gend Speicher.\r\n", -1}));
  EXPECT_TRUE(platform.openedServers.empty());
  EXPECT_TRUE(platform.allReleased());
}

TEST(RunningTime, BreaksDownAsTheUtcCalendar) {
  struct Case {
    uint32_t elapsed;
    RunningTime time;
  } cases[] = {
      {0, {0, 0, 0, 0, 0}},          {86399, {0, 0, 23, 59, 59}},
      {86400, {0, 1, 0, 0, 0}},      {31536000, {1, 0, 0, 0, 0}},
      {63072000, {2, 0, 0, 0, 0}},   {63158400, {2, 1, 0, 0, 0}},
      {94694399, {2, 365, 23, 59, 59}}, {94694400, {3, 0, 0, 0, 0}},
      {126230400, {4, 0, 0, 0, 0}},
      // 2000 was a leap year, 2100 is none: 1970 + 68 years ends in 2038.
      {0x7FFFFFFF, {68, 18, 3, 14, 7}},
  };
  for (const Case& c : cases) {
    RunningTime t = breakDownRunningTime(c.elapsed);
    EXPECT_EQ((std::vector<int>{t.years, t.days, t.hours, t.minutes, t.seconds}),
              (std::vector<int>{c.time.years, c.time.days, c.time.hours,
                                c.time.minutes, c.time.seconds}))
        << c.elapsed;
  }
}

}  // namespace
