#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

#include "cli/Commands.h"
#include "platform/ProgramVersion.h"

namespace cli {

int RunCommandLine(int argc, char** argv) {
  CLI::App app{"Web Lumivista 2.0 auf der Kommandozeile: Alben anlegen und anzeigen.", "lumivista-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", platform::VersionText(), "Zeigt die Version des Programms");
  int exitStatus = kExitOk;
  AddNewCommand(app, exitStatus);
  AddShowCommand(app, exitStatus);
  AddBuildCommand(app, exitStatus);
  AddTemplatesCommand(app, exitStatus);
  AddPublishCommand(app, exitStatus);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? kExitOk : kExitBadInput;
  }
  return exitStatus;
}

}  // namespace cli
