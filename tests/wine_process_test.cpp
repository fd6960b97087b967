// bootspan.exe run under Wine, a Windows API that nobody here wrote. The
// Windows stage of the tests sets BOOTSPAN_EXE (the program), BOOTSPAN_WINE
// (the Wine loader), WINEPREFIX and BOOTSPAN_WIN98_PREFIX (a prefix that
// poses as Windows 98).
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "help_text.h"
#include "process_runner.h"

namespace {

std::string setting(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Runs the program under Wine in the given locale and prefix.
ProcessResult bootspanExe(const std::vector<std::string>& arguments,
                          const std::string& locale = "C",
                          const std::string& prefix = setting("WINEPREFIX")) {
  std::vector<std::string> argv = {setting("BOOTSPAN_WINE"),
                                   setting("BOOTSPAN_EXE")};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  ProcessResult result = runProcess(
      argv, {"LANG", "LC_MESSAGES", "LC_CTYPE", "LC_ALL=" + locale,
             "WINEPREFIX=" + prefix, "WINEDEBUG=-all"});
  EXPECT_EQ(result.errors, "");
  return result;
}

// The stream's text mode ends every line with carriage return and line feed.
std::string textMode(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class Wine : public testing::Test {
 protected:
  void SetUp() override {
    if (setting("BOOTSPAN_EXE").empty() || setting("BOOTSPAN_WINE").empty()) {
      GTEST_SKIP() << "run by the Windows stage of the tests";
    }
  }
};

const char German[] = "de_DE.UTF-8";

TEST_F(Wine, HelpInBothLanguages) {
  ProcessResult english = bootspanExe({"/?"});
  EXPECT_EQ(english.output, textMode(EnglishHelpOutput));
  EXPECT_EQ(english.status, 0);
  ProcessResult german = bootspanExe({"/?"}, German);
  EXPECT_EQ(german.output, textMode(GermanHelpOutput));
  EXPECT_EQ(german.status, 0);
}

TEST_F(Wine, ArgumentErrorsInBothLanguages) {
  const std::string Hint = "Type 'bootspan /?' to get help.\r\n";
  const std::string GermanHint = "Geben Sie f\x81r Hilfe 'bootspan /?' ein.\r\n";
  struct Case {
    std::vector<std::string> arguments;
    std::string english;
    std::string german;
  } cases[] = {
      {{"/x"}, "The argument /x is not known!\r\n" + Hint,
       "Das Argument /x ist nicht bekannt!\r\n" + GermanHint},
      {{"%s%n"}, "The argument %s%n is not known!\r\n" + Hint,
       "Das Argument %s%n ist nicht bekannt!\r\n" + GermanHint},
      // No wildcard is expanded to file names.
      {{"*"}, "The argument * is not known!\r\n" + Hint,
       "Das Argument * ist nicht bekannt!\r\n" + GermanHint},
      {{"/f"},
       "The argument /f must be followed by the user defined format!\r\n" + Hint,
       "Das Argument /f muss vom gew\x81nschten Format gefolgt werden!\r\n" +
           GermanHint},
      {{"/s"}, "The argument /s must be followed by a computer name!\r\n" + Hint,
       "Das Argument /s muss von einem Computernamen gefolgt werden!\r\n" +
           GermanHint},
      {{"/a", "/f", "x"}, "The arguments /a and /f cannot be combined!\r\n" + Hint,
       "Die Argumente /a und /f k\x94nnen nicht gemeinsam verwendet werden!\r\n" +
           GermanHint},
  };
  for (const Case& c : cases) {
    ProcessResult english = bootspanExe(c.arguments);
    EXPECT_EQ(english.output, c.english);
    EXPECT_EQ(english.status, 255);
    ProcessResult german = bootspanExe(c.arguments, German);
    EXPECT_EQ(german.output, c.german);
    EXPECT_EQ(german.status, 255);
  }
}

// Wine's event log service holds no records: the first read finds the end
// of the file, and Wine's text for that, which ends in carriage return and
// line feed, meets the stream's own carriage return.
TEST_F(Wine, EmptyLocalLogIsNotFound) {
  ProcessResult english = bootspanExe({});
  EXPECT_EQ(english.output,
            "Event 6009 not found in system log!\r\nReadEventLog error: End of "
            "file.\r\r\nminNumberOfBytesNeeded: 0\r\n");
  EXPECT_EQ(english.status, 255);
  ProcessResult german = bootspanExe({"/a"}, German);
  EXPECT_EQ(german.output,
            "Ereignis 6009 wurde im Ereignisprotokoll 'System' nicht gefunden!"
            "\r\nReadEventLog-Fehler: Ende der Datei.\r\r\n"
            "minNumberOfBytesNeeded: 0\r\n");
  EXPECT_EQ(german.status, 255);
}

// Wine refuses remote logs; its German text has a u with diaeresis, which
// arrives as its code page 850 byte.
TEST_F(Wine, RemoteLogCannotBeOpened) {
  ProcessResult english = bootspanExe({"/s", "Compi12"});
  EXPECT_EQ(english.output,
            "OpenEventLog error: RPC server unavailable.\r\r\n");
  EXPECT_EQ(english.status, 255);
  ProcessResult german = bootspanExe({"/s", "Compi12"}, German);
  EXPECT_EQ(german.output,
            "OpenEventLog-Fehler: RPC-Server nicht verf\x81gbar.\r\r\n");
  EXPECT_EQ(german.status, 255);
}

TEST_F(Wine, NonNtPlatformRefusesEveryCommandLine) {
  std::string prefix = setting("BOOTSPAN_WIN98_PREFIX");
  if (prefix.empty()) GTEST_SKIP() << "no Windows 98 prefix";
  const std::vector<std::vector<std::string>> commandLines = {
      {}, {"/?"}, {"/x"}, {"/a"}, {"/s", "Compi12"}};
  for (const auto& arguments : commandLines) {
    ProcessResult english = bootspanExe(arguments, "C", prefix);
    EXPECT_EQ(english.output,
              "Bootspan can be executed on Windows NT/2000/XP computers "
              "only!\r\n");
    EXPECT_EQ(english.status, 255);
  }
  ProcessResult german = bootspanExe({"/?"}, German, prefix);
  EXPECT_EQ(german.output,
            "Bootspan kann nur auf Windows NT/2000/XP-Computern ausgef\x81hrt "
            "werden!\r\n");
  EXPECT_EQ(german.status, 255);
}

}  // namespace
