// The code-page conversion and the printing of messages with arbitrary
// system texts and templates. It must never crash, read or write out of
// bounds, or leave a system text unreleased; the system's text arrives
// whole, converted byte for byte.
#include <cstdlib>
#include <cstring>
#include <string>

#include "fake_platform.h"
#include "messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  text.resize(std::strlen(text.c_str()));

  // The system text inside a catalogue message.
  FakePlatform platform;
  platform.systemTexts[ErrorHandleEof] = text;
  const MessageCatalogue& messages =
      data[0] & 1 ? GermanCatalogue : EnglishCatalogue;
  FormatValue bytes = FormatValue::ofNumber(static_cast<int32_t>(size));
  reportSystemError(platform, messages.bootEventNotFound, ErrorHandleEof,
                    &bytes, 1);
  if (!platform.allReleased()) std::abort();
  std::string converted = text;
  toConsoleCodePage(&converted[0]);
  if (converted.size() != text.size() ||
      platform.output.find(converted) == std::string::npos) {
    std::abort();
  }
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char in = static_cast<unsigned char>(text[i]);
    unsigned char out = static_cast<unsigned char>(converted[i]);
    if ((in < 0x80 && out != in) || out == 0) std::abort();
  }

  // The same bytes as a template, with and without values.
  FakePlatform printer;
  FormatValue values[] = {FormatValue::ofCommandLine("value"),
                          FormatValue::ofNumber(-1)};
  printMessage(printer, text.c_str(), values, data[0] % 3);
  return 0;
}
