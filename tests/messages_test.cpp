#include "messages.h"

#include <string>

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "help_text.h"

namespace {

TEST(Messages, GermanForTheFiveGermanLanguagesOnly) {
  for (uint16_t id : {0x0407, 0x0807, 0x0C07, 0x1007, 0x1407}) {
    FakePlatform platform;
    platform.languageId = id;
    EXPECT_EQ(&selectLanguage(platform), &GermanCatalogue) << id;
  }
  for (uint16_t id : {0x0000, 0x0007, 0x0409, 0x040C, 0x0411, 0x1807, 0xFFFF}) {
    FakePlatform platform;
    platform.languageId = id;
    EXPECT_EQ(&selectLanguage(platform), &EnglishCatalogue) << id;
  }
}

TEST(Messages, ConvertsCodePage1252To850) {
  std::string from, to;
  for (int b = 0x80; b <= 0x9F; ++b) from += static_cast<char>(b);
  to = "\x3F\x3F\x27\x9F\x22\x2E\xC5\xCE\x5E\x25\x53\x3C\x4F\x3F\x5A\x3F"
       "\x3F\x27\x27\x22\x22\x07\x2D\x2D\x7E\x54\x73\x3E\x6F\x3F\x7A\x59";
  // A sample above: no-break space, the German letters, and the last byte.
  from += "\xA0\xC4\xD6\xDC\xDF\xE4\xF6\xFC\xE9\xFF";
  to += "\xFF\x8E\x99\x9A\xE1\x84\x94\x81\x82\x98";
  from += "plain ASCII\r\n";
  to += "plain ASCII\r\n";
  std::string text = from;
  EXPECT_EQ(toConsoleCodePage(&text[0]), &text[0]);
  EXPECT_EQ(text, to);
}

TEST(Messages, TemplatesTakeTextsAndNumbers) {
  struct Case {
    const char* format;
    std::vector<FormatValue> values;
    std::string output;
  } cases[] = {
      {"50%% of %s is %d", {FormatValue::ofText("x"), FormatValue::ofNumber(-7)},
       "50% of x is -7"},
      {"%d %d", {FormatValue::ofNumber(INT32_MIN), FormatValue::ofNumber(0)},
       "-2147483648 0"},
      // A value that contains percent signs is never a format.
      {"[%s]", {FormatValue::ofCommandLine("%n%s%x%%")}, "[%n%s%x%%]"},
      // Sequences without a value, or unknown ones, stand as they are.
      {"%s %d %x %", {}, "%s %d %x %"},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    printMessage(platform, c.format, c.values.data(),
                 static_cast<int>(c.values.size()));
    EXPECT_EQ(platform.output, c.output) << c.format;
  }
}

TEST(Messages, SystemErrorIsLeftOutWithoutText) {
  FakePlatform platform;
  reportSystemError(platform, "error: %s", 999);
  EXPECT_EQ(platform.output, "");
  platform.systemTexts[5] = "Gr\xFC\xDF" "e\r\n";
  FormatValue size = FormatValue::ofNumber(1024);
  reportSystemError(platform, "%sneeded %d\n", 5, &size, 1);
  EXPECT_EQ(platform.output, "Gr\x81\xE1" "e\r\nneeded 1024\n");
  EXPECT_TRUE(platform.allReleased());
  EXPECT_EQ(platform.acquired(), 1);
}

TEST(Messages, HelpTextInBothLanguages) {
  for (uint16_t language : {0x0409, 0x0C07}) {
    FakePlatform platform;
    platform.languageId = language;
    RunResult expected = {
        language == 0x0409 ? EnglishHelpOutput : GermanHelpOutput, 0};
    EXPECT_EQ(runBootspanOn(platform, {"/?"}), expected);
    EXPECT_EQ(platform.acquired(), 0);
  }
}

}  // namespace
