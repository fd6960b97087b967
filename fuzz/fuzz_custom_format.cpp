// The template renderer with arbitrary templates and values. It must never
// write past the buffer it sized for the template, never cut the output,
// and release its buffer.
#include <cstdlib>
#include <cstring>
#include <string>

#include "custom_format.h"
#include "fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 10) return 0;
  RunningTime time;
  uint16_t* fields[] = {&time.years, &time.days, &time.hours, &time.minutes,
                        &time.seconds};
  for (int i = 0; i < 5; ++i) {
    *fields[i] = static_cast<uint16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  std::string format(reinterpret_cast<const char*>(data) + 10, size - 10);
  // The template ends at its first NUL, as a command-line argument would.
  format.resize(std::strlen(format.c_str()));

  // Exactly the room the renderer asks for, so that any overrun shows.
  size_t capacity = customFormatCapacity(format.c_str());
  char* output = static_cast<char*>(std::malloc(capacity));
  size_t length = expandCustomFormat(format.c_str(), time, output);
  if (length >= capacity || output[length] != '\0') std::abort();

  FakePlatform platform;
  if (!renderCustomFormat(platform, format.c_str(), time)) std::abort();
  if (platform.output != std::string(output, length)) std::abort();
  if (!platform.allReleased()) std::abort();
  std::free(output);
  return 0;
}
