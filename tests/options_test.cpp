#include "options.h"

#include <string>

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace {

// What the parser decided, as one comparable line.
std::string parse(const std::vector<const char*>& arguments,
                  std::string* output = nullptr) {
  FakePlatform platform;
  Options options;
  int status = 0;
  bool goOn = parseOptions(platform, EnglishCatalogue,
                           static_cast<int>(arguments.size()), arguments.data(),
                           &options, &status);
  if (output != nullptr) *output = platform.output;
  if (!goOn) return "stop " + std::to_string(status);
  std::string line = options.separateLines ? "lines" : "-";
  line += options.customFormat ? std::string(" f=") + options.customFormat : " -";
  line += options.serverName ? std::string(" s=") + options.serverName : " -";
  return line;
}

const char Hint[] = "Type 'bootspan /?' to get help.\n";
const char GermanHint[] = "Geben Sie f\x81r Hilfe 'bootspan /?' ein.\n";

std::string unknown(const std::string& argument) {
  return "The argument " + argument + " is not known!\n" + Hint;
}
const std::string LinesWithFormat =
    std::string("The arguments /a and /f cannot be combined!\n") + Hint;
const std::string MissingFormat =
    std::string("The argument /f must be followed by the user defined format!\n") +
    Hint;
const std::string MissingName =
    std::string("The argument /s must be followed by a computer name!\n") + Hint;

TEST(Options, ParsesLeftToRightAndStopsAtTheFirstError) {
  struct Case {
    std::vector<const char*> arguments;
    std::string result;
    std::string output;
  } cases[] = {
      {{}, "- - -", ""},
      {{"/a"}, "lines - -", ""},
      {{"/all", "/a"}, "lines - -", ""},
      {{"/f", "%D"}, "- f=%D -", ""},
      {{"/f", "/a"}, "- f=/a -", ""},
      {{"/f", "x", "/f", "y"}, "- f=y -", ""},
      {{"/s", "a", "/s", "b"}, "- - s=b", ""},
      {{"/s2", "name"}, "- - s=name", ""},
      {{"/s", ""}, "- - s=", ""},
      {{"/s", "/?"}, "- - s=/?", ""},
      {{"/f", "/?"}, "- f=/? -", ""},
      {{"/a", "/s", "Compi12"}, "lines - s=Compi12", ""},
      {{"/?"}, "stop 0", "help"},
      {{"/?x"}, "stop 0", "help"},
      {{"/a", "/?"}, "stop 0", "help"},
      {{"/?", "/x"}, "stop 0", "help"},
      {{"/x", "/?"}, "stop -1", unknown("/x")},
      {{"x"}, "stop -1", unknown("x")},
      {{"/"}, "stop -1", unknown("/")},
      {{""}, "stop -1", unknown("")},
      {{"/A"}, "stop -1", unknown("/A")},
      {{"/F", "x"}, "stop -1", unknown("/F")},
      {{"/S", "x"}, "stop -1", unknown("/S")},
      {{"-a"}, "stop -1", unknown("-a")},
      {{"%n%s%x"}, "stop -1", unknown("%n%s%x")},
      {{"/f"}, "stop -1", MissingFormat},
      {{"/s"}, "stop -1", MissingName},
      {{"/a", "/f", "x"}, "stop -1", LinesWithFormat},
      {{"/f", "x", "/a"}, "stop -1", LinesWithFormat},
      {{"/a", "/f"}, "stop -1", LinesWithFormat},
      {{"/f", "", "/a"}, "stop -1", LinesWithFormat},
      {{"/s", "x", "/s"}, "stop -1", MissingName},
  };
  for (const Case& c : cases) {
    std::string output;
    std::string label;
    for (const char* a : c.arguments) label += std::string("[") + a + "]";
    EXPECT_EQ(parse(c.arguments, &output), c.result) << label;
    if (c.output == "help") {
      EXPECT_EQ(output.substr(0, 30), "\nBootspan retrieves the bootsp") << label;
    } else {
      EXPECT_EQ(output, c.output) << label;
    }
  }
}

TEST(Options, ErrorsInGerman) {
  struct Case {
    std::vector<const char*> arguments;
    std::string output;
  } cases[] = {
      {{"/q"}, std::string("Das Argument /q ist nicht bekannt!\n") + GermanHint},
      {{"/f"}, std::string("Das Argument /f muss vom gew\x81nschten Format "
                           "gefolgt werden!\n") + GermanHint},
      {{"/s"}, std::string("Das Argument /s muss von einem Computernamen "
                           "gefolgt werden!\n") + GermanHint},
      {{"/f", "x", "/a"}, std::string("Die Argumente /a und /f k\x94nnen nicht "
                                      "gemeinsam verwendet werden!\n") +
                              GermanHint},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.languageId = 0x0407;
    EXPECT_EQ(runBootspanOn(platform, c.arguments), (RunResult{c.output, -1}));
    EXPECT_TRUE(platform.openedServers.empty());  // the log is not touched
  }
}

TEST(Options, LongArgumentsPassWhole) {
  std::string longArgument(100000, 'x');
  longArgument += "%s%n";
  std::string output;
  EXPECT_EQ(parse({longArgument.c_str()}, &output), "stop -1");
  EXPECT_EQ(output, unknown(longArgument));

  std::string longName(300, 'n');
  FakePlatform platform;
  platform.log[1] = bootRecord(1, 0);
  EXPECT_EQ(runBootspanOn(platform, {"/s", longName.c_str()}).status, 0);
  EXPECT_EQ(platform.openedServers, std::vector<std::string>{"\\\\" + longName});
  EXPECT_TRUE(platform.allReleased());
}

}  // namespace
