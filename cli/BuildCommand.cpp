// "build": generates the web album of an album file exactly as the program's
// generate button does, with the album's settings and a chosen design.
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <memory>

#include "album/AlbumFile.h"
#include "cli/CliPaths.h"
#include "cli/Commands.h"
#include "cli/StderrMessages.h"
#include "cli/TerminalProgress.h"
#include "generator/GenerateAlbum.h"
#include "generator/TemplateSets.h"
#include "platform/Cp1252.h"

namespace cli {

namespace {

struct BuildOptions {
  std::string album;
  std::string overview;
  std::string templateName;
  std::string templateDir;
  bool noBacklink = false;
  bool quiet = false;
  bool update = false;
  int32_t jobs = 0;  // 0: one per core
};

// The named set, or the first one listed, as the design drop-down starts.
std::string ChosenSet(const BuildOptions& options, const generator::TemplateFolders& templatesFolder) {
  if (!options.templateName.empty()) return platform::Utf8ToAnsi(options.templateName);
  const std::vector<std::string> names = generator::TemplateSetNames(templatesFolder);
  return names.empty() ? std::string() : names.front();
}

int ExitStatusOf(const generator::GenerationResult& result) {
  if (result.Outcome != generator::RunOutcome::Completed) return kExitEndedEarly;
  return result.FailedPictures > 0 ? kExitSomePicturesFailed : kExitOk;
}

int RunBuild(const BuildOptions& options) {
  StderrMessages stderrMessages;
  TerminalProgress progress(!options.quiet && ::isatty(STDERR_FILENO));
  MessagesBesideProgress messages(stderrMessages, progress);

  // A name Windows-1252 cannot hold would become '?' and could name another file.
  std::string album, overview, templateDir, error;
  if (!CheckedAnsiPath(options.album, album, error) || !CheckedAnsiPath(options.overview, overview, error) ||
      (!options.templateDir.empty() && !CheckedAnsiPath(options.templateDir, templateDir, error))) {
    std::cerr << error << '\n';
    return kExitEndedEarly;
  }
  album::AlbumPictures pictures;
  album::AlbumSettings settings;
  if (!album::OpenFile(album, pictures, settings, messages)) return kExitEndedEarly;
  settings.Backlink = !options.noBacklink;

  const generator::TemplateFolders templatesFolder =
      templateDir.empty() ? generator::DefaultTemplateFolders() : generator::TemplateFolders{templateDir};
  const generator::GenerationRequest request{
      settings, generator::TemplateSetFolder(templatesFolder, ChosenSet(options, templatesFolder)),
      [&] { return std::optional<std::string>(overview); }, options.jobs,
      [&](generator::RecordTrust) {
        return options.update ? generator::UpdateChoice::Update : generator::UpdateChoice::NewBeside;
      }};
  const generator::GenerationResult result = GenerateAlbum(pictures, request, {messages, &progress, &progress});
  progress.Clear();
  if (result.Updated) std::cout << platform::AnsiToUtf8(generator::UpdateClosingLine(*result.Updated)) << '\n';
  return ExitStatusOf(result);
}

}  // namespace

void AddBuildCommand(CLI::App& app, int& exitStatus) {
  auto options = std::make_shared<BuildOptions>();
  CLI::App* command = app.add_subcommand(
      "build",
      "Erstellt das Web-Album einer Albumdatei wie der Knopf \"HTML-Dateien erstellen!\": Übersichtsseite, "
      "Detailseiten (html), Bilder (pics) und Vorschaubilder (mini). Status 0: alle Bilder exportiert, 1: einige "
      "Bilder fehlgeschlagen, 2: abgebrochen (Aufruf, Albumdatei, Vorlage, Verzeichnis oder Übersicht).");
  command->add_option("album", options->album, "Die Albumdatei (.lva)")->required();
  command->add_option("overview", options->overview, "Die Übersichtsseite, z. B. album/index.htm")->required();
  command->add_option("--template", options->templateName, "Design-Vorlage (Standard: die erste der Liste)");
  command->add_option("--template-dir", options->templateDir,
                      "Verzeichnis der Design-Vorlagen statt der mitgelieferten und eigenen");
  command->add_flag("--no-backlink", options->noBacklink, "Keinen Link zur Vendrix Homepage einfügen");
  command->add_flag("--quiet", options->quiet, "Keine Fortschrittsanzeige");
  command->add_flag("--update", options->update,
                    "Das früher in diesen Ordner erstellte Album aktualisieren: gleiche Namen, nur Geändertes "
                    "wird neu geschrieben, Dateien entfernter Bilder werden gelöscht");
  command
      ->add_option("--jobs", options->jobs,
                   "So viele Bilder gleichzeitig bearbeiten (Standard: eines je Prozessorkern; 1: nacheinander). "
                   "Das Ergebnis ist immer dasselbe.")
      ->check(CLI::PositiveNumber);
  command->callback([options, &exitStatus] { exitStatus = RunBuild(*options); });
}

}  // namespace cli
