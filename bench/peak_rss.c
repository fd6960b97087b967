/* Runs a command and prints its peak resident memory in KiB. This process
   is tiny, so the figure, which the kernel carries across exec, is the
   command's own. */
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  pid_t child = fork();
  if (child == 0) {
    freopen("/dev/null", "w", stdout);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int status;
  struct rusage usage;
  if (wait4(child, &status, 0, &usage) < 0) return 1;
  printf("%ld\n", usage.ru_maxrss);
  return 0;
}
