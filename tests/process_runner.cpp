#include "process_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Reads what remains of two pipes until both are closed.
void drain(int outFd, int errFd, std::string* out, std::string* err) {
  struct pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* sinks[2] = {out, err};
  int open = 2;
  char buffer[65536];
  while (open > 0) {
    if (poll(fds, 2, -1) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment) {
  int outPipe[2], errPipe[2];
  ProcessResult result = {"", "", -2000};
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return result;
  pid_t child = fork();
  if (child == 0) {
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    close(outPipe[0]);
    close(errPipe[0]);
    close(outPipe[1]);
    close(errPipe[1]);
    for (const std::string& setting : environment) {
      size_t eq = setting.find('=');
      if (eq == std::string::npos) {
        unsetenv(setting.c_str());
      } else {
        setenv(setting.substr(0, eq).c_str(), setting.c_str() + eq + 1, 1);
      }
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  drain(outPipe[0], errPipe[0], &result.output, &result.errors);
  int status = 0;
  waitpid(child, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status)
                                    : -1000 - WTERMSIG(status);
  return result;
}
