#pragma once
// The whole of lumivista-cli behind main(): parses the arguments, runs the
// chosen command and returns the process's exit status. Kept out of main.cpp
// so CLI11, a large header-only library, is compiled in one place only.

namespace cli {

int RunCommandLine(int argc, char** argv);

}  // namespace cli
