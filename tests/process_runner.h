// Runs a program as its own process and keeps what it wrote.
#ifndef BOOTSPAN_TESTS_PROCESS_RUNNER_H_
#define BOOTSPAN_TESTS_PROCESS_RUNNER_H_

#include <string>
#include <vector>

struct ProcessResult {
  std::string output;  // standard output
  std::string errors;  // standard error
  int status;          // the exit status, or -1000 - signal if killed
};

// Runs argv[0] with argv, in the current environment changed by
// environment ("NAME=value" sets, "NAME" alone removes).
ProcessResult runProcess(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment = {});

#endif  // BOOTSPAN_TESTS_PROCESS_RUNNER_H_
