// Runs a shell command for the install tests and keeps what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace shell {

struct Result {
  int status = -1;     // the exit status; -1 when it did not exit normally
  std::string output;  // stdout and stderr together
};

inline Result run(const std::string& command) {
  Result result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, got);
  int status = pclose(pipe);
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  return result;
}

inline std::string quoted(const std::filesystem::path& path) { return std::string("'").append(path.string()).append("'"); }

}  // namespace shell
