#include "messages.h"

#include <string>

#include <gtest/gtest.h>

#include "fake_platform.h"

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
      {"50%% of %s is %d", {FormatValue::Text("x"), FormatValue::Number(-7)},
       "50% of x is -7"},
      {"%d %d", {FormatValue::Number(INT32_MIN), FormatValue::Number(0)},
       "-2147483648 0"},
      // A value that contains percent signs is never a format.
      {"[%s]", {FormatValue::FromCommandLine("%n%s%x%%")}, "[%n%s%x%%]"},
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
  FormatValue size = FormatValue::Number(1024);
  reportSystemError(platform, "%sneeded %d\n", 5, &size, 1);
  EXPECT_EQ(platform.output, "Gr\x81\xE1" "e\r\nneeded 1024\n");
  EXPECT_TRUE(platform.allReleased());
  EXPECT_EQ(platform.acquired(), 1);
}

const char EnglishHelpOutput[] =
    "\n"
    "Bootspan retrieves the bootspan of the specified Windows NT/2000/XP "
    "computer. The bootspan is the time gone since the last system boot.\n"
    "Copyright (C) the bootspan authors\n"
    "https://bootspan.example.org/\n"
    "\n"
    "usage: bootspan {[/a] [/s <computer>] | /?}\n"
    "\n"
    "/a (optional) specifies that the output time is written in separate "
    "lines.\n"
    "   especially useful when the output has to be processed\n"
    "   this argument cannot be combined with /f\n"
    "\n"
    "/f (optional) specifies a user defined output time format.\n"
    "   wildcards and escape sequences can be used:\n"
    "   %Y=years, %D=days, %H=hours, %M=minutes, %S=seconds, %%=percent "
    "character\n"
    "   \\n=new line, \\r=line feed, \\t=tab, \\\\=backslash\n"
    "   this argument cannot be combined with /a\n"
    "\n"
    "/s (optional) specifies the name of the target computer <computer>.\n"
    "   NetBIOS name, DNS name or IP address is possible\n"
    "\n"
    "/? shows bootspan help information.\n"
    "   this argument must be set alone\n"
    "\n"
    "Examples:\n"
    "bootspan /a\n"
    "bootspan /s 127.0.0.1\n"
    "bootspan /a /s Compi12\n"
    "bootspan /f \"%Y+%D %H:%M:%S\"\n"
    "bootspan /?\n";

const char GermanHelpOutput[] =
    "\n"
    "Bootspan bestimmt die Laufzeit des angegebenen Windows NT/2000/XP-"
    "Computers (engl. bootspan). Die Laufteit ist die seit dem letzten "
    "Systemstart vergangene Zeit.\n"
    "Copyright (C) the bootspan authors\n"
    "https://bootspan.example.org/\n"
    "\n"
    "Syntax: bootspan {[/a | /f <Format>] [/s <Computer>] | /?}\n"
    "\n"
    "/a (Optional) Legt die Ausgabe der Zeit in separaten Zeilen fest.\n"
    "   Besonders n\x81tzlich, wenn die Ausgabe werterverarbeitet werden soll\n"
    "   Dieses Argument kann nicht zusammen mit /f verwendet werden\n"
    "\n"
    "/f (Optional) Legt ein konkretes Format f\x81r die Ausgabe der Zeit fest.\n"
    "   Das Format kann Platzhalter und Steuerzeichen enthalten:\n"
    "   %Y=Jahre, %D=Tage, %H=Stunden, %M=Minuten, %S=Sekunden, "
    "%%=Prozentzeichen\n"
    "   \\n=Zeilenumbruch, \\r=Zeilenanfang, \\t=Tabulator, \\\\=Backslash\n"
    "   Dieses Argument kann nicht zusammen mit /a verwendet werden\n"
    "\n"
    "/s (Optional) Bestimmt den Namen des zu befragenden Computers "
    "<Computer>.\n"
    "   NetBIOS-Name, DNS-Name oder IP-Adresse ist m\x94glich\n"
    "\n"
    "/? Zeigt diese Hilfsinformationen an.\n"
    "   Dieses Argument muss allein angegeben werden\n"
    "\n"
    "Beispiele:\n"
    "bootspan /a\n"
    "bootspan /s 127.0.0.1\n"
    "bootspan /a /s Compi12\n"
    "bootspan /f \"%Y+%D %H:%M:%S\"\n"
    "bootspan /?\n";

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
