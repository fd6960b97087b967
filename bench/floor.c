/* The floor: what any process that answers "how long since boot" must pay.
   It reads btime from /proc/stat and prints the seconds since then. */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

int main(void) {
  static char text[65536];
  int fd = open("/proc/stat", O_RDONLY);
  if (fd < 0) return 1;
  size_t used = 0;
  ssize_t got;
  while (used < sizeof text - 1 &&
         (got = read(fd, text + used, sizeof text - 1 - used)) > 0) {
    used += (size_t)got;
  }
  close(fd);
  text[used] = '\0';
  const char* line = strstr(text, "\nbtime ");
  if (line == NULL) return 1;
  long long boot = 0;
  sscanf(line + 7, "%lld", &boot);
  printf("%lld seconds\n", (long long)time(NULL) - boot);
  return 0;
}
