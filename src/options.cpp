#include "options.h"

namespace {

// Prints an argument error and asks to stop with -1.
bool refuse(Platform& platform, const char* message, int* status,
            const char* argument = nullptr) {
  FormatValue value = FormatValue::ofCommandLine(argument);
  printMessage(platform, message, &value, argument != nullptr ? 1 : 0);
  *status = -1;
  return false;
}

}  // namespace

bool parseOptions(Platform& platform, const MessageCatalogue& messages,
                  int argumentCount, const char* const* arguments,
                  Options* options, int* status) {
  *status = 0;
  for (int i = 0; i < argumentCount; ++i) {
    const char* argument = arguments[i];
    bool hasNext = i + 1 < argumentCount;
    // The character after the slash alone names the switch.
    char name = argument[0] == '/' ? argument[1] : '\0';
    switch (name) {
      case '?':
        printMessage(platform, messages.helpText);
        return false;
      case 'a':
        if (options->customFormat != nullptr) {
          return refuse(platform, messages.linesWithFormat, status);
        }
        options->separateLines = true;
        break;
      case 'f':
        if (options->separateLines) {
          return refuse(platform, messages.linesWithFormat, status);
        }
        if (!hasNext) return refuse(platform, messages.missingFormat, status);
        options->customFormat = arguments[++i];
        break;
      case 's':
        if (!hasNext) {
          return refuse(platform, messages.missingComputerName, status);
        }
        options->serverName = arguments[++i];
        break;
      default:
        return refuse(platform, messages.unknownArgument, status, argument);
    }
  }
  return true;
}
