// A private Xvfb for one test executable, so the games it starts never share
// a screen with another test's windows. Started on a display number the
// server picks itself; DISPLAY points at it for this process and its children.
#pragma once

#include <string>
#include <sys/types.h>

namespace e2e {

class XServer {
 public:
  XServer();   // throws when the server does not come up
  ~XServer();  // stops it
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace e2e
