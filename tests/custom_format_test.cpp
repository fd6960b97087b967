#include "custom_format.h"

#include <string>

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace {

// Years 1, days 34, hours 5, minutes 7, seconds 9.
constexpr uint32_t Boot = 1000000000;
constexpr int64_t Now = Boot + 365LL * 86400 + 34 * 86400 + 5 * 3600 + 7 * 60 + 9;

RunResult render(const std::string& format, uint32_t elapsed = Now - Boot) {
  FakePlatform platform;
  platform.clock = fileTimeOf(Boot + static_cast<int64_t>(elapsed));
  platform.log[1] = bootRecord(1, Boot);
  RunResult result = runBootspanOn(platform, {"/f", format.c_str()});
  EXPECT_TRUE(platform.allReleased());
  return result;
}

TEST(CustomFormat, ExpandsPlaceholdersAndEscapes) {
  struct Case {
    const char* format;
    const char* output;
  } cases[] = {
      {"%Y+%D %H:%M:%S", "1+34 5:7:9"},
      {"%D days\\n", "34 days\n"},
      {"50%%", "50%"},
      {"%%Y", "%Y"},
      {"%X", "%X"},
      {"%y", "%y"},
      {"%s %d %h %m", "%s %d %h %m"},
      {"100%", "100%"},
      {"\\t%H", "\t5"},
      {"\\\\n", "\\n"},
      {"\\q", "\\q"},
      {"%\\n", "%\n"},
      {"", ""},
      {"\\", "\\"},
      {"\\N\\R\\T", "\\N\\R\\T"},
      {"%%%", "%%"},
      {"%%%S", "%9"},
      {"\\%Y", "\\1"},
      {"\\r\\n", "\r\n"},
      {"plain text, no line end", "plain text, no line end"},
      {"\xE4\xF6\xFC \x81\x94", "\xE4\xF6\xFC \x81\x94"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(render(c.format), (RunResult{c.output, 0})) << c.format;
  }
}

TEST(CustomFormat, ZeroIsOneDigitAndLargeValuesAreWhole) {
  EXPECT_EQ(render("%Y %D %H %M %S", 0), (RunResult{"0 0 0 0 0", 0}));
  EXPECT_EQ(render("%D:%H", 300 * 86400u + 7200), (RunResult{"300:2", 0}));
}

TEST(CustomFormat, OutputIsNeverCut) {
  const uint32_t Days123 = 123 * 86400;
  for (int count : {1000, 5000}) {
    std::string format, expected;
    for (int i = 0; i < count; ++i) {
      format += "%D";
      expected += "123";
    }
    EXPECT_EQ(render(format, Days123), (RunResult{expected, 0})) << count;
  }
  char output[32];
  RunningTime widest = {65535, 65535, 65535, 65535, 65535};
  const char* format = "%Y%D%H%M%S";
  ASSERT_LE(customFormatCapacity(format), sizeof output);
  EXPECT_EQ(expandCustomFormat(format, widest, output), 25u);
  EXPECT_EQ(customFormatCapacity(format), 26u);
}

}  // namespace
