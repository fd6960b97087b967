// The command line: /a, /f with a template, /s with a computer name, /?.
#ifndef BOOTSPAN_SRC_OPTIONS_H_
#define BOOTSPAN_SRC_OPTIONS_H_

#include "messages.h"
#include "platform.h"

struct Options {
  // Set by /a: the running time on five lines.
  bool separateLines = false;
  // The template after /f, exactly as given; null without /f.
  const char* customFormat = nullptr;
  // The computer name after /s, exactly as given (the search puts the two
  // backslashes in front); null for this computer.
  const char* serverName = nullptr;
};

// Parses the arguments after the program name into *options. Returns true
// to go on; false to stop with *status, after the help text (0) or an
// argument error (-1) has been printed.
bool parseOptions(Platform& platform, const MessageCatalogue& messages,
                  int argumentCount, const char* const* arguments,
                  Options* options, int* status);

#endif  // BOOTSPAN_SRC_OPTIONS_H_
