// Option parsing of arbitrary argument vectors. It must never crash, read or
// write out of bounds or leak; it goes on in silence or stops with exactly
// one message; it never goes on with both /a and /f.
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the language; the rest are arguments split at NUL.
  std::vector<std::string> arguments(1);
  for (size_t i = 1; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  std::vector<const char*> argv;
  for (const std::string& a : arguments) argv.push_back(a.c_str());

  FakePlatform platform;
  const MessageCatalogue& messages =
      data[0] & 1 ? GermanCatalogue : EnglishCatalogue;
  Options options;
  int status = 1;
  bool goOn = parseOptions(platform, messages, static_cast<int>(argv.size()),
                           argv.data(), &options, &status);
  if (goOn) {
    if (!platform.output.empty() || status != 0) std::abort();
    if (options.separateLines && options.customFormat != nullptr) std::abort();
  } else {
    if (platform.output.empty() || (status != 0 && status != -1)) std::abort();
  }
  if (platform.acquired() != 0) std::abort();
  return 0;
}
