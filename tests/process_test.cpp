// The real program, run as a process on this machine.
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "process_runner.h"

namespace {

// Runs bootspan with a clean locale plus the settings given.
ProcessResult bootspan(const std::vector<std::string>& arguments,
                       std::vector<std::string> environment = {}) {
  std::vector<std::string> argv = {BOOTSPAN_BINARY};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  environment.insert(environment.begin(),
                     {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG"});
  ProcessResult result = runProcess(argv, environment);
  EXPECT_EQ(result.errors, "");  // nothing ever goes to standard error
  return result;
}

int64_t kernelBootTime() {
  std::ifstream stat("/proc/stat");
  std::string key;
  int64_t value = 0;
  while (stat >> key) {
    if (key == "btime" && stat >> value) return value;
    stat.ignore(1 << 20, '\n');
  }
  return -1;
}

TEST(Process, ReportsTheTimeSinceTheKernelBooted) {
  int64_t before = time(nullptr) - kernelBootTime();
  ProcessResult result = bootspan({"/f", "%Y %D %H %M %S"});
  int64_t after = time(nullptr) - kernelBootTime();
  ASSERT_EQ(result.status, 0) << result.output;
  int years, days, hours, minutes, seconds;
  ASSERT_EQ(std::sscanf(result.output.c_str(), "%d %d %d %d %d", &years, &days,
                        &hours, &minutes, &seconds),
            5);
  // Uptimes here are far below a year of 365 days.
  EXPECT_EQ(years, 0);
  int64_t reported = days * 86400LL + hours * 3600 + minutes * 60 + seconds;
  EXPECT_GE(reported, before - 2);
  EXPECT_LE(reported, after + 2);

  for (const char* local : {"localhost", "127.0.0.1", "."}) {
    ProcessResult sentence = bootspan({"/s", local});
    EXPECT_EQ(sentence.status, 0);
    EXPECT_EQ(sentence.output.rfind("Bootspan: 0 years, ", 0), 0u)
        << sentence.output;
  }
}

// Seconds from the reported years (calendar years from 1970), days, hours,
// minutes and seconds.
int64_t reportedSeconds(const std::string& output) {
  int years, days, hours, minutes, seconds;
  if (std::sscanf(output.c_str(), "%d %d %d %d %d", &years, &days, &hours,
                  &minutes, &seconds) != 5) {
    return -1;
  }
  int64_t total = 0;
  for (int year = 1970; year < 1970 + years; ++year) {
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    total += (leap ? 366 : 365) * 86400LL;
  }
  return total + days * 86400LL + hours * 3600 + minutes * 60 + seconds;
}

TEST(Process, ClockToolsMoveTheClockAcross2038) {
  const char Faketime[] = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";
  if (access(Faketime, R_OK) != 0) GTEST_SKIP() << "no libfaketime";
  struct Case {
    const char* date;
    int64_t unixTime;
  } cases[] = {
      {"2038-01-19 03:14:07", 2147483647},  // the last second of 32 bits
      {"2038-01-20 00:00:00", 2147558400},
      {"2060-06-01 00:00:00", 2853273600},  // far past the wrap
  };
  for (const Case& c : cases) {
    ProcessResult result =
        bootspan({"/f", "%Y %D %H %M %S"},
                 {"TZ=UTC", std::string("LD_PRELOAD=") + Faketime,
                  // A sanitized build lets the preloaded library go first.
                  "ASAN_OPTIONS=verify_asan_link_order=0",
                  std::string("FAKETIME=@") + c.date});
    EXPECT_EQ(result.status, 0) << c.date;
    int64_t expected = c.unixTime - kernelBootTime();
    int64_t reported = reportedSeconds(result.output);
    EXPECT_GE(reported, expected) << c.date << ": " << result.output;
    EXPECT_LE(reported, expected + 2) << c.date << ": " << result.output;
  }
}

TEST(Process, LanguageAndEncodingFromTheLocale) {
  const std::string EnglishError =
      "The argument /x is not known!\nType 'bootspan /?' to get help.\n";
  struct Case {
    std::vector<std::string> environment;
    std::string output;
  } cases[] = {
      {{}, EnglishError},
      {{"LANG=C"}, EnglishError},
      {{"LANG=de_DE.UTF-8"},
       "Das Argument /x ist nicht bekannt!\nGeben Sie f\xC3\xBCr Hilfe "
       "'bootspan /?' ein.\n"},
      {{"LANG=de_AT"},
       "Das Argument /x ist nicht bekannt!\nGeben Sie f\x81r Hilfe "
       "'bootspan /?' ein.\n"},
      {{"LANG=de_DE.UTF-8", "LC_ALL=en_US.UTF-8"}, EnglishError},
      {{"LANG=en_US.UTF-8", "LC_MESSAGES=de_CH.UTF-8", "LC_CTYPE=C"},
       "Das Argument /x ist nicht bekannt!\nGeben Sie f\x81r Hilfe "
       "'bootspan /?' ein.\n"},
      {{"LANG=en_US.UTF-8", "LC_ALL="}, EnglishError},
  };
  for (const Case& c : cases) {
    ProcessResult result = bootspan({"/x"}, c.environment);
    EXPECT_EQ(result.output, c.output) << c.environment.size();
    EXPECT_EQ(result.status, 255);
  }
}

TEST(Process, CommandLineBytesPassUnchanged) {
  // Code page 850 and UTF-8 bytes typed by the user are never converted.
  ProcessResult result = bootspan({"/\x81\xC3\xBC"}, {"LANG=de_DE.UTF-8"});
  EXPECT_EQ(result.output,
            "Das Argument /\x81\xC3\xBC ist nicht bekannt!\nGeben Sie f\xC3\xBCr "
            "Hilfe 'bootspan /?' ein.\n");
  result = bootspan({"/f", "\xFC%%\\t\\r\\n"}, {"LANG=de_DE.UTF-8"});
  EXPECT_EQ(result.output, "\xFC%\t\r\n");
  EXPECT_EQ(result.status, 0);
}

TEST(Process, RemoteNameFailsToOpen) {
  struct Case {
    std::string locale;
    std::string output;
  } cases[] = {
      {"LANG=en_US.UTF-8", "OpenEventLog error: The computer cannot be reached.\n"},
      {"LANG=de_DE.UTF-8",
       "OpenEventLog-Fehler: Der Computer ist nicht erreichbar.\n"},
  };
  for (const Case& c : cases) {
    ProcessResult result = bootspan({"/s", "far.example.invalid"}, {c.locale});
    EXPECT_EQ(result.output, c.output);
    EXPECT_EQ(result.status, 255);
  }
}

TEST(Process, HelpInGermanAsUtf8) {
  ProcessResult result = bootspan({"/?"}, {"LC_ALL=de_DE.UTF-8"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.output.find("   NetBIOS-Name, DNS-Name oder IP-Adresse ist "
                               "m\xC3\xB6glich\n"),
            std::string::npos);
}

TEST(Process, UnwritableOutputIsAFailure) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  ProcessResult result = runProcess(
      {"/bin/sh", "-c", std::string(BOOTSPAN_BINARY) + " /a > /dev/full"});
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(result.status, 255);
}

}  // namespace
