#include "posix_platform.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "boot_event.h"

namespace {

TEST(PosixPlatform, LanguageFromTheLocaleName) {
  struct Case {
    const char* locale;
    uint16_t id;
  } cases[] = {
      {"de_DE.UTF-8", 0x0407}, {"de_CH", 0x0807},   {"de_AT.utf8", 0x0C07},
      {"de_LU@euro", 0x1007},  {"de_LI.UTF-8", 0x1407}, {"de", 0x0407},
      {"de_BE.UTF-8", 0x0407}, {"en_US.UTF-8", 0x0409}, {"en_GB", 0x0809},
      {"fr_FR.UTF-8", 0x040C}, {"C", 0x0409},          {"POSIX", 0x0409},
      {"C.UTF-8", 0x0409},     {"", 0x0409},           {nullptr, 0x0409},
      {"xx_YY", 0x0409},       {"deu", 0x0409},        {"d", 0x0409},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(languageIdForLocale(c.locale), c.id)
        << (c.locale ? c.locale : "(null)");
  }
}

TEST(PosixPlatform, Utf8CodesetOnly) {
  for (const char* yes : {"de_DE.UTF-8", "C.utf8", "en_US.utf-8@x", "x.UTF8"}) {
    EXPECT_TRUE(isUtf8Locale(yes)) << yes;
  }
  for (const char* no : {"de_DE", "de_DE.ISO-8859-1", "C", "", "UTF-8",
                         "x.UTF-16", "x.utf-8x"}) {
    EXPECT_FALSE(isUtf8Locale(no)) << no;
  }
  EXPECT_FALSE(isUtf8Locale(nullptr));
}

TEST(PosixPlatform, BootTimeFromTheBtimeLine) {
  struct Case {
    const char* text;
    bool found;
    uint32_t time;
  } cases[] = {
      {"cpu 1 2 3\nbtime 1700000000\nprocesses 5\n", true, 1700000000},
      {"btime 42\n", true, 42},
      {"btime 4294967295", true, 4294967295u},
      {"btime 4294967296\n", false, 0},
      {"cpu 1\nxbtime 5\n", false, 0},
      {"cpu 1\nbtime \n", false, 0},
      {"cpu 1\nbtim 5\n", false, 0},
      {"", false, 0},
  };
  for (const Case& c : cases) {
    uint32_t time = 0;
    EXPECT_EQ(parseBootTime(c.text, std::strlen(c.text), &time), c.found)
        << c.text;
    if (c.found) EXPECT_EQ(time, c.time) << c.text;
  }
}

// A file of kernel statistics made for one test.
class StatFile {
 public:
  explicit StatFile(const std::string& text) {
    char name[] = "/tmp/bootspan-stat-XXXXXX";
    int fd = mkstemp(name);
    path_ = name;
    EXPECT_EQ(write(fd, text.data(), text.size()),
              static_cast<ssize_t>(text.size()));
    close(fd);
  }
  ~StatFile() { unlink(path_.c_str()); }
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

uint32_t load32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

TEST(PosixPlatform, ServesTheBootMomentAsOneEventRecord) {
  // A long first line, so that btime stands beyond the first read.
  StatFile stat("intr " + std::string(9000, '1') + "\nbtime 1234567890\n");
  PosixPlatform platform(stat.path());
  EventLogHandle log = platform.OpenEventLogA("", "System");
  ASSERT_NE(log, nullptr);
  unsigned char buffer[1024];
  uint32_t bytesRead = 0, needed = 0;
  ASSERT_TRUE(platform.ReadEventLogA(log, 9, 0, buffer, sizeof buffer,
                                     &bytesRead, &needed));
  uint32_t length = load32(buffer);
  EXPECT_EQ(bytesRead, length);
  EXPECT_EQ(length % 4, 0u);
  EXPECT_EQ(load32(buffer + length - 4), length);
  EXPECT_EQ(std::memcmp(buffer + 4, "LfLe", 4), 0);
  EXPECT_EQ(load32(buffer + 8), 1u);
  EXPECT_EQ(load32(buffer + 12), 1234567890u);
  EXPECT_EQ(load32(buffer + 20), 0x80001779u);
  EXPECT_EQ(buffer[24], 4);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer + 56), "EventLog");
  char host[256] = "";
  gethostname(host, sizeof host);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer + 65), host);
  EXPECT_TRUE(isBootEventRecord(buffer, bytesRead));

  // The newest record again by its number; nothing before it or after it.
  std::memset(buffer, 0, sizeof buffer);
  EXPECT_TRUE(platform.ReadEventLogA(log, 10, 1, buffer, sizeof buffer,
                                     &bytesRead, &needed));
  EXPECT_EQ(load32(buffer + 12), 1234567890u);
  for (uint32_t outside : {0u, 2u, 0xFFFFFFFFu}) {
    EXPECT_FALSE(platform.ReadEventLogA(log, 10, outside, buffer,
                                        sizeof buffer, &bytesRead, &needed));
    EXPECT_EQ(platform.GetLastError(), ErrorHandleEof);
  }
  EXPECT_FALSE(platform.ReadEventLogA(log, 9, 0, buffer, sizeof buffer,
                                      &bytesRead, &needed));
  EXPECT_EQ(platform.GetLastError(), ErrorHandleEof);

  // A buffer too small says how much it would take.
  needed = 0;
  EXPECT_FALSE(platform.ReadEventLogA(log, 10, 1, buffer, 60, &bytesRead,
                                      &needed));
  EXPECT_EQ(platform.GetLastError(), ErrorInsufficientBuffer);
  EXPECT_EQ(needed, length);
  platform.CloseEventLog(log);
}

TEST(PosixPlatform, OpenFailures) {
  StatFile stat("btime 5\n");
  StatFile empty("cpu 1 2 3\n");
  struct Case {
    const char* statPath;
    const char* server;
    const char* source;
    uint32_t error;  // 0: opens
  } cases[] = {
      {stat.path(), "", "System", 0},
      {stat.path(), "\\\\localhost", "System", 0},
      {stat.path(), "\\\\LOCALHOST", "System", 0},
      {stat.path(), "\\\\127.0.0.1", "System", 0},
      {stat.path(), "\\\\::1", "System", 0},
      {stat.path(), "\\\\.", "System", 0},
      {stat.path(), "\\\\Compi12", "System", ErrorRpcServerUnavailable},
      {stat.path(), "\\\\", "System", ErrorRpcServerUnavailable},
      {stat.path(), "\\\\\\\\localhost", "System", ErrorRpcServerUnavailable},
      {stat.path(), "localhost", "System", ErrorRpcServerUnavailable},
      {stat.path(), "", "Application", ErrorFileNotFound},
      {"/nonexistent/stat", "", "System", ErrorFileNotFound},
      {empty.path(), "", "System", 0},
  };
  for (const Case& c : cases) {
    PosixPlatform platform(c.statPath);
    EventLogHandle log = platform.OpenEventLogA(c.server, c.source);
    EXPECT_EQ(log == nullptr ? platform.GetLastError() : 0u, c.error)
        << c.server << " " << c.source << " " << c.statPath;
    if (log != nullptr) platform.CloseEventLog(log);
  }
  char host[256] = "";
  gethostname(host, sizeof host);
  PosixPlatform platform(stat.path());
  EventLogHandle log = platform.OpenEventLogA((std::string("\\\\") + host).c_str(),
                                              "System");
  EXPECT_NE(log, nullptr);
  platform.CloseEventLog(log);
}

TEST(PosixPlatform, LogWithoutBootMomentIsEmpty) {
  StatFile stat("cpu 1 2 3\n");
  PosixPlatform platform(stat.path());
  SearchOutcome outcome = findBootEvent(platform, nullptr);
  EXPECT_EQ(outcome.kind, SearchOutcome::notFound);
  EXPECT_EQ(outcome.errorCode, ErrorHandleEof);
}

TEST(PosixPlatform, SystemTextsInTheUsersLanguage) {
  const char* saved = getenv("LC_ALL");
  std::string restore = saved ? saved : "";
  struct Case {
    const char* locale;
    uint32_t code;
    const char* text;
  } cases[] = {
      {"de_CH.UTF-8", ErrorNotEnoughMemory, "Nicht gen\xFCgend Arbeitsspeicher.\n"},
      {"en_US.UTF-8", ErrorHandleEof, "The end of the log has been reached.\n"},
      {"C", ErrorRpcServerUnavailable, "The computer cannot be reached.\n"},
      {"C", 4242, nullptr},
  };
  for (const Case& c : cases) {
    setenv("LC_ALL", c.locale, 1);
    PosixPlatform platform;
    char* text = nullptr;
    uint32_t length =
        platform.FormatMessageA(FormatMessageFlags, c.code, LangUserDefault, &text);
    if (c.text == nullptr) {
      EXPECT_EQ(length, 0u);
      EXPECT_EQ(text, nullptr);
      continue;
    }
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(length, std::strlen(c.text));
    EXPECT_STREQ(text, c.text);
    platform.LocalFree(text);
  }
  if (saved) setenv("LC_ALL", restore.c_str(), 1); else unsetenv("LC_ALL");
}

TEST(PosixPlatform, ClockInWindowsTicks) {
  PosixPlatform platform;
  time_t before = time(nullptr);
  int32_t now = fileTimeToUnixSeconds(platform.GetSystemTimeAsFileTime());
  time_t after = time(nullptr);
  EXPECT_GE(now, static_cast<int32_t>(before));
  EXPECT_LE(now, static_cast<int32_t>(after));
}

}  // namespace
