#include "platform/ProgramVersion.h"

#include <cstdio>
#include <string_view>

namespace platform {

std::string VersionText() { return "Web Lumivista " LUMIVISTA_VERSION; }

bool PrintVersionIfAsked(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) != "--version") continue;
    std::printf("%s\n", VersionText().c_str());
    return true;
  }
  return false;
}

}  // namespace platform
