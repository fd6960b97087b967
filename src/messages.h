// The program's texts in German and English, the formatted printer that
// writes them, and the system's error texts in the console's code page.
#ifndef BOOTSPAN_SRC_MESSAGES_H_
#define BOOTSPAN_SRC_MESSAGES_H_

#include <cstdint>

#include "platform.h"

// The eleven messages of one language, as printf-style templates in code
// page 850 ("%s" a text, "%d" a signed number, "%%" one percent sign).
struct MessageCatalogue {
  const char* notNtPlatform;
  const char* helpText;
  const char* missingComputerName;
  const char* missingFormat;
  const char* linesWithFormat;
  const char* unknownArgument;
  const char* linesForm;
  const char* sentenceForm;
  const char* bootEventNotFound;
  const char* allocationFailed;
  const char* openLogFailed;
};

extern const MessageCatalogue EnglishCatalogue;
extern const MessageCatalogue GermanCatalogue;

// The template for a failed version query, the same in both languages.
extern const char VersionErrorTemplate[];

// One value for a template: a text for "%s", a number for "%d".
struct FormatValue {
  const char* text;
  int32_t number;
  TextOrigin origin;

  static FormatValue ofText(const char* text) {
    return {text, 0, TextOrigin::Program};
  }
  static FormatValue ofCommandLine(const char* text) {
    return {text, 0, TextOrigin::CommandLine};
  }
  static FormatValue ofNumber(int32_t number) {
    return {nullptr, number, TextOrigin::Program};
  }
};

// Returns true for the five German language identifiers.
bool isGermanLanguage(uint16_t languageId);

// Returns the catalogue for the user's default language: German for the five
// German identifiers, English for every other.
const MessageCatalogue& selectLanguage(Platform& platform);

// Writes a template with its values to standard output. A "%s" or "%d"
// without a value, and any other "%" sequence, is written as it stands.
void printMessage(Platform& platform, const char* format,
                  const FormatValue* values = nullptr, int valueCount = 0);

// Converts a code page 1252 text to code page 850 in place; returns it.
char* toConsoleCodePage(char* text);

// Returns the system's text for code, converted to code page 850, to be
// released with the platform's LocalFree; null when there is none.
char* systemErrorText(Platform& platform, uint32_t code);

// Prints format with the system's text for code as its first value and
// extra as the further ones, then releases the text. Prints nothing when
// the system has no text for the code.
void reportSystemError(Platform& platform, const char* format, uint32_t code,
                       const FormatValue* extra = nullptr, int extraCount = 0);

#endif  // BOOTSPAN_SRC_MESSAGES_H_
