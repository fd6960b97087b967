#include "driver.h"

#include "boot_event.h"
#include "custom_format.h"
#include "messages.h"
#include "options.h"
#include "running_time.h"

namespace {

// Reports a search that did not find the boot event; returns -1.
int reportSearchFailure(Platform& platform, const MessageCatalogue& messages,
                        const SearchOutcome& outcome) {
  switch (outcome.kind) {
    case SearchOutcome::openFailed:
      reportSystemError(platform, messages.openLogFailed, outcome.errorCode);
      break;
    case SearchOutcome::noBuffer:
      reportSystemError(platform, messages.allocationFailed, outcome.errorCode);
      break;
    default: {
      FormatValue size = FormatValue::ofNumber(
          static_cast<int32_t>(outcome.minNumberOfBytesNeeded));
      reportSystemError(platform, messages.bootEventNotFound,
                        outcome.errorCode, &size, 1);
      break;
    }
  }
  return -1;
}

// Prints the running time in the form the options ask for; returns the
// exit status.
int printRunningTime(Platform& platform, const MessageCatalogue& messages,
                     const Options& options, const RunningTime& time) {
  if (options.customFormat != nullptr) {
    if (renderCustomFormat(platform, options.customFormat, time)) return 0;
    reportSystemError(platform, messages.allocationFailed,
                      platform.GetLastError());
    return -1;
  }
  const FormatValue values[] = {
      FormatValue::ofNumber(time.years), FormatValue::ofNumber(time.days),
      FormatValue::ofNumber(time.hours), FormatValue::ofNumber(time.minutes),
      FormatValue::ofNumber(time.seconds)};
  printMessage(platform,
               options.separateLines ? messages.linesForm
                                     : messages.sentenceForm,
               values, 5);
  return 0;
}

int run(Platform& platform, int argc, const char* const* argv) {
  const MessageCatalogue& messages = selectLanguage(platform);

  uint32_t platformId = 0;
  if (!platform.GetVersionExA(&platformId)) {
    reportSystemError(platform, VersionErrorTemplate, platform.GetLastError());
    return -1;
  }
  if (platformId != VerPlatformWin32Nt) {
    printMessage(platform, messages.notNtPlatform);
    return -1;
  }

  Options options;
  int status = 0;
  if (!parseOptions(platform, messages, argc > 0 ? argc - 1 : 0,
                    argc > 0 ? argv + 1 : argv, &options, &status)) {
    return status;
  }

  SearchOutcome outcome = findBootEvent(platform, options.serverName);
  if (outcome.kind != SearchOutcome::found) {
    return reportSearchFailure(platform, messages, outcome);
  }
  RunningTime time = breakDownRunningTime(
      elapsedSeconds(outcome.currentTime, outcome.timeGenerated));
  return printRunningTime(platform, messages, options, time);
}

}  // namespace

int runBootspan(Platform& platform, int argc, const char* const* argv) {
  int status = run(platform, argc, argv);
  // Output that could not be written is a failure too, for scripts that
  // test the exit status.
  if (!platform.FlushOutput()) status = -1;
  return status;
}
