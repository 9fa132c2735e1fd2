#pragma once
// A private X server (Xvfb) for tests that must see what a real screen
// shows. It picks a free display itself (-displayfd), listens on no TCP port
// and is stopped when the object goes.
#include <string>

namespace testsupport {

class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // ":N" once the server runs; empty when it could not be started.
  const std::string& Display() const { return display_; }

 private:
  int pid_ = -1;
  std::string display_;
};

}  // namespace testsupport
