// lumivista-cli: builds and inspects album files from scripts, without a display.
#include "cli/CommandLine.h"

int main(int argc, char** argv) { return cli::RunCommandLine(argc, argv); }
