#include "custom_format.h"

#include <cstdint>
#include <cstring>

namespace {

// The widest value a placeholder can stand for: five digits of a 16-bit
// number, three more than the placeholder itself.
constexpr size_t PlaceholderGrowth = 3;

// Writes value in decimal; returns the position after it.
char* writeDecimal(char* out, uint16_t value) {
  char digits[5];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) *out++ = digits[--count];
  return out;
}

// Returns the value a placeholder letter stands for, or -1 for none.
int32_t placeholderValue(char letter, const RunningTime& time) {
  switch (letter) {
    case 'Y': return time.years;
    case 'D': return time.days;
    case 'H': return time.hours;
    case 'M': return time.minutes;
    case 'S': return time.seconds;
    default: return -1;
  }
}

// Returns the byte an escape letter stands for, or -1 for none.
int escapeByte(char letter) {
  switch (letter) {
    case '\\': return '\\';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return -1;
  }
}

}  // namespace

size_t customFormatCapacity(const char* format) {
  size_t length = 0;
  size_t percents = 0;
  for (; format[length] != '\0'; ++length) percents += format[length] == '%';
  return length + percents * PlaceholderGrowth + 1;
}

size_t expandCustomFormat(const char* format, const RunningTime& time,
                          char* output) {
  char* out = output;
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] == '%') {
      int32_t value = placeholderValue(p[1], time);
      if (value >= 0) {
        out = writeDecimal(out, static_cast<uint16_t>(value));
        ++p;
        continue;
      }
      if (p[1] == '%') ++p;  // "%%" gives one percent sign
    } else if (p[0] == '\\') {
      int byte = escapeByte(p[1]);
      if (byte >= 0) {
        *out++ = static_cast<char>(byte);
        ++p;
        continue;
      }
    }
    *out++ = *p;
  }
  *out = '\0';
  return static_cast<size_t>(out - output);
}

bool renderCustomFormat(Platform& platform, const char* format,
                        const RunningTime& time) {
  char* output =
      static_cast<char*>(platform.Allocate(customFormatCapacity(format)));
  if (output == nullptr) return false;
  size_t length = expandCustomFormat(format, time, output);
  platform.WriteOutput(output, length, TextOrigin::CommandLine);
  platform.Release(output);
  return true;
}
