#include "driver.h"
#include "native_platform.h"

int main(int argc, char** argv) {
  NativePlatform platform;
  return runBootspan(platform, argc, argv);
}
