#include "support/XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace e2e {

namespace {

constexpr int kStartMs = 30000;

// The child: Xvfb writes its display number to the pipe once it accepts
// clients, and dies with the test process if that ends first.
[[noreturn]] void execServer(int numberFd) {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  int devNull = open("/dev/null", O_WRONLY);
  dup2(devNull, STDOUT_FILENO);
  dup2(devNull, STDERR_FILENO);
  std::string fd = std::to_string(numberFd);
  execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
         static_cast<char*>(nullptr));
  _exit(127);
}

std::string readNumber(int fd) {
  std::string number;
  pollfd wait{fd, POLLIN, 0};
  char c = 0;
  while (poll(&wait, 1, kStartMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') number += c;
  return number;
}

}  // namespace

XServer::XServer() {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    close(pipeFds[0]);
    execServer(pipeFds[1]);
  }
  close(pipeFds[1]);
  std::string number = readNumber(pipeFds[0]);
  close(pipeFds[0]);
  if (number.empty()) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    throw std::runtime_error("Xvfb did not start");
  }
  display_ = ":" + number;
  setenv("DISPLAY", display_.c_str(), 1);
}

XServer::~XServer() {
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

}  // namespace e2e
