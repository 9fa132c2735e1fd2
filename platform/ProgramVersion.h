#pragma once
// The version line both programs print for --version.
#include <string>

namespace platform {

// "Web Lumivista 2.0.0", from the build's project version.
std::string VersionText();

// Prints the version line and gives true when an argument is "--version";
// the desktop program asks before it needs a display.
bool PrintVersionIfAsked(int argc, char** argv);

}  // namespace platform
