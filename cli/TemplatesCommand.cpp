// "templates": lists the design template sets in the program's order.
#include <iostream>
#include <memory>

#include "cli/CliPaths.h"
#include "cli/Commands.h"
#include "generator/TemplateSets.h"
#include "platform/Cp1252.h"

namespace cli {

void AddTemplatesCommand(CLI::App& app, int& exitStatus) {
  auto templateDir = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("templates", "Listet die Design-Vorlagen, eine pro Zeile, in der Reihenfolge des Programms.");
  command->add_option("--template-dir", *templateDir,
                      "Verzeichnis der Design-Vorlagen statt der mitgelieferten und eigenen");
  command->callback([templateDir, &exitStatus] {
    const generator::TemplateFolders folders = templateDir->empty()
                                                   ? generator::DefaultTemplateFolders()
                                                   : generator::TemplateFolders{AbsoluteAnsiPath(*templateDir)};
    for (const std::string& name : generator::TemplateSetNames(folders))
      std::cout << platform::AnsiToUtf8(name) << '\n';
    exitStatus = kExitOk;
  });
}

}  // namespace cli
