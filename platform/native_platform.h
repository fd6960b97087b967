// The platform that the program runs on.
#ifndef BOOTSPAN_PLATFORM_NATIVE_PLATFORM_H_
#define BOOTSPAN_PLATFORM_NATIVE_PLATFORM_H_

#ifdef _WIN32
#include "win32_platform.h"
using NativePlatform = Win32Platform;
#else
#include "posix_platform.h"
using NativePlatform = PosixPlatform;
#endif

#endif  // BOOTSPAN_PLATFORM_NATIVE_PLATFORM_H_
