#include "messages.h"

#include <cstring>

namespace {

// The byte runs that code page 850 gives the German letters of the texts.
#define UE "\x81"  // u with diaeresis
#define OE "\x94"  // o with diaeresis

#define RIGHTS_LINE "Copyright (C) the bootspan authors\n"
#define PAGE_LINE "https://bootspan.example.org/\n"

const char EnglishHelp[] =
    "\n"
    "Bootspan retrieves the bootspan of the specified Windows NT/2000/XP "
    "computer. The bootspan is the time gone since the last system boot.\n"
    RIGHTS_LINE
    PAGE_LINE
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
    "   %%Y=years, %%D=days, %%H=hours, %%M=minutes, %%S=seconds, "
    "%%%%=percent character\n"
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
    "bootspan /f \"%%Y+%%D %%H:%%M:%%S\"\n"
    "bootspan /?\n";

const char GermanHelp[] =
    "\n"
    "Bootspan bestimmt die Laufzeit des angegebenen Windows NT/2000/XP-"
    "Computers (engl. bootspan). Die Laufteit ist die seit dem letzten "
    "Systemstart vergangene Zeit.\n"
    RIGHTS_LINE
    PAGE_LINE
    "\n"
    "Syntax: bootspan {[/a | /f <Format>] [/s <Computer>] | /?}\n"
    "\n"
    "/a (Optional) Legt die Ausgabe der Zeit in separaten Zeilen fest.\n"
    "   Besonders n" UE "tzlich, wenn die Ausgabe werterverarbeitet werden "
    "soll\n"
    "   Dieses Argument kann nicht zusammen mit /f verwendet werden\n"
    "\n"
    "/f (Optional) Legt ein konkretes Format f" UE "r die Ausgabe der Zeit "
    "fest.\n"
    "   Das Format kann Platzhalter und Steuerzeichen enthalten:\n"
    "   %%Y=Jahre, %%D=Tage, %%H=Stunden, %%M=Minuten, %%S=Sekunden, "
    "%%%%=Prozentzeichen\n"
    "   \\n=Zeilenumbruch, \\r=Zeilenanfang, \\t=Tabulator, \\\\=Backslash\n"
    "   Dieses Argument kann nicht zusammen mit /a verwendet werden\n"
    "\n"
    "/s (Optional) Bestimmt den Namen des zu befragenden Computers "
    "<Computer>.\n"
    "   NetBIOS-Name, DNS-Name oder IP-Adresse ist m" OE "glich\n"
    "\n"
    "/? Zeigt diese Hilfsinformationen an.\n"
    "   Dieses Argument muss allein angegeben werden\n"
    "\n"
    "Beispiele:\n"
    "bootspan /a\n"
    "bootspan /s 127.0.0.1\n"
    "bootspan /a /s Compi12\n"
    "bootspan /f \"%%Y+%%D %%H:%%M:%%S\"\n"
    "bootspan /?\n";

#define EN_HELP_HINT "Type 'bootspan /?' to get help.\n"
#define DE_HELP_HINT "Geben Sie f" UE "r Hilfe 'bootspan /?' ein.\n"

// Code page 1252 to code page 850, for the bytes from 0x80 up. The first
// row has no counterpart in 850 and takes the closest plain character.
const unsigned char Cp1252ToCp850[128] = {
    0x3F, 0x3F, 0x27, 0x9F, 0x22, 0x2E, 0xC5, 0xCE,  // 0x80
    0x5E, 0x25, 0x53, 0x3C, 0x4F, 0x3F, 0x5A, 0x3F,  // 0x88
    0x3F, 0x27, 0x27, 0x22, 0x22, 0x07, 0x2D, 0x2D,  // 0x90
    0x7E, 0x54, 0x73, 0x3E, 0x6F, 0x3F, 0x7A, 0x59,  // 0x98
    0xFF, 0xAD, 0xBD, 0x9C, 0xCF, 0xBE, 0xDD, 0xF5,  // 0xA0
    0xF9, 0xB8, 0xA6, 0xAE, 0xAA, 0xF0, 0xA9, 0xEE,  // 0xA8
    0xF8, 0xF1, 0xFD, 0xFC, 0xEF, 0xE6, 0xF4, 0xFA,  // 0xB0
    0xF7, 0xFB, 0xA7, 0xAF, 0xAC, 0xAB, 0xF3, 0xA8,  // 0xB8
    0xB7, 0xB5, 0xB6, 0xC7, 0x8E, 0x8F, 0x92, 0x80,  // 0xC0
    0xD4, 0x90, 0xD2, 0xD3, 0xDE, 0xD6, 0xD7, 0xD8,  // 0xC8
    0xD1, 0xA5, 0xE3, 0xE0, 0xE2, 0xE5, 0x99, 0x9E,  // 0xD0
    0x9D, 0xEB, 0xE9, 0xEA, 0x9A, 0xED, 0xE8, 0xE1,  // 0xD8
    0x85, 0xA0, 0x83, 0xC6, 0x84, 0x86, 0x91, 0x87,  // 0xE0
    0x8A, 0x82, 0x88, 0x89, 0x8D, 0xA1, 0x8C, 0x8B,  // 0xE8
    0xD0, 0xA4, 0x95, 0xA2, 0x93, 0xE4, 0x94, 0xF6,  // 0xF0
    0x9B, 0x97, 0xA3, 0x96, 0x81, 0xEC, 0xE7, 0x98,  // 0xF8
};

// Writes a signed number in decimal.
void writeNumber(Platform& platform, int32_t value) {
  char digits[12];
  char* end = digits + sizeof digits;
  char* p = end;
  // Widened so that the most negative value negates safely.
  int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  platform.WriteOutput(p, static_cast<size_t>(end - p), TextOrigin::Program);
}

}  // namespace

const MessageCatalogue EnglishCatalogue = {
    "Bootspan can be executed on Windows NT/2000/XP computers only!\n",
    EnglishHelp,
    "The argument /s must be followed by a computer name!\n" EN_HELP_HINT,
    "The argument /f must be followed by the user defined format!\n"
        EN_HELP_HINT,
    "The arguments /a and /f cannot be combined!\n" EN_HELP_HINT,
    "The argument %s is not known!\n" EN_HELP_HINT,
    "%d years\n%d days\n%d hours\n%d minutes\n%d seconds\n",
    "Bootspan: %d years, %d days, %d hours, %d minutes, and %d seconds.\n",
    "Event 6009 not found in system log!\n"
    "ReadEventLog error: %sminNumberOfBytesNeeded: %d\n",
    "malloc error: %s",
    "OpenEventLog error: %s",
};

const MessageCatalogue GermanCatalogue = {
    "Bootspan kann nur auf Windows NT/2000/XP-Computern ausgef" UE
    "hrt werden!\n",
    GermanHelp,
    "Das Argument /s muss von einem Computernamen gefolgt werden!\n"
        DE_HELP_HINT,
    "Das Argument /f muss vom gew" UE "nschten Format gefolgt werden!\n"
        DE_HELP_HINT,
    "Die Argumente /a und /f k" OE
    "nnen nicht gemeinsam verwendet werden!\n" DE_HELP_HINT,
    "Das Argument %s ist nicht bekannt!\n" DE_HELP_HINT,
    "%d Jahre\n%d Tage\n%d Stunden\n%d Minuten\n%d Sekunden\n",
    "Laufzeit: %d Jahre, %d Tage, %d Stunden, %d Minuten und %d Sekunden.\n",
    "Ereignis 6009 wurde im Ereignisprotokoll 'System' nicht gefunden!\n"
    "ReadEventLog-Fehler: %sminNumberOfBytesNeeded: %d\n",
    "malloc-Fehler: %s",
    "OpenEventLog-Fehler: %s",
};

const char VersionErrorTemplate[] = "GetVersionEx error: %s";

bool isGermanLanguage(uint16_t languageId) {
  switch (languageId) {
    case 0x0407:
    case 0x0807:
    case 0x0C07:
    case 0x1007:
    case 0x1407:
      return true;
    default:
      return false;
  }
}

const MessageCatalogue& selectLanguage(Platform& platform) {
  return isGermanLanguage(platform.GetUserDefaultLangID()) ? GermanCatalogue
                                                           : EnglishCatalogue;
}

void printMessage(Platform& platform, const char* format,
                  const FormatValue* values, int valueCount) {
  int next = 0;
  const char* run = format;  // the literal bytes not yet written start here
  const char* p = format;
  while (*p != '\0') {
    bool percent = p[0] == '%' && p[1] == '%';
    bool value = p[0] == '%' && (p[1] == 's' || p[1] == 'd') &&
                 next < valueCount;
    if (!percent && !value) {
      ++p;
      continue;
    }
    platform.WriteOutput(run, static_cast<size_t>(p - run),
                         TextOrigin::Program);
    if (percent) {
      platform.WriteOutput("%", 1, TextOrigin::Program);
    } else {
      const FormatValue& v = values[next++];
      if (p[1] == 'd') {
        writeNumber(platform, v.number);
      } else if (v.text != nullptr) {
        platform.WriteOutput(v.text, std::strlen(v.text), v.origin);
      }
    }
    p += 2;
    run = p;
  }
  platform.WriteOutput(run, static_cast<size_t>(p - run), TextOrigin::Program);
}

char* toConsoleCodePage(char* text) {
  for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p != 0;
       ++p) {
    if (*p >= 0x80) *p = Cp1252ToCp850[*p - 0x80];
  }
  return text;
}

char* systemErrorText(Platform& platform, uint32_t code) {
  char* text = nullptr;
  if (platform.FormatMessageA(FormatMessageFlags, code, LangUserDefault,
                              &text) == 0) {
    return nullptr;
  }
  return text == nullptr ? nullptr : toConsoleCodePage(text);
}

void reportSystemError(Platform& platform, const char* format, uint32_t code,
                       const FormatValue* extra, int extraCount) {
  char* text = systemErrorText(platform, code);
  if (text == nullptr) return;
  FormatValue values[2] = {FormatValue::ofText(text)};
  int count = 1;
  for (int i = 0; i < extraCount && count < 2; ++i) values[count++] = extra[i];
  printMessage(platform, format, values, count);
  platform.LocalFree(text);
}
