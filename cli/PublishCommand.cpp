// "publish": sends a built album folder to a web server over SFTP, FTP with
// TLS or WebDAV, only what changed since the last publish.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/Commands.h"
#include "publish/PrintableText.h"
#include "publish/Publisher.h"

namespace cli {

namespace {

constexpr int kExitSomeFilesFailed = 1;
constexpr int kExitNotConnected = 2;

struct PublishOptions {
  std::string folder;
  std::string url;
  std::string user;
  std::string trustedCertificate;
  bool passwordStdin = false;
  bool deleteRemoved = false;
  bool dryRun = false;
  bool acceptNewHostKey = false;
  bool insecureFtp = false;
  bool quiet = false;
};

// Problems on standard error, changes made on standard output, and on a
// terminal a progress line with files and bytes.
class CliPublishObserver : public publish::PublishObserver {
 public:
  CliPublishObserver(bool progress, bool listChanges) : progress_(progress), listChanges_(listChanges) {}
  ~CliPublishObserver() override { ClearProgress(); }

  void FileStarted(const std::string&, int number, int count) override {
    number_ = number;
    count_ = count;
  }
  void BytesProgress(uint64_t done, uint64_t total) override {
    if (!progress_) return;
    std::fprintf(stderr, "\rDatei %d von %d, %llu von %llu kB", number_, count_,
                 static_cast<unsigned long long>(done / 1024), static_cast<unsigned long long>(total / 1024));
    std::fflush(stderr);
    shown_ = true;
  }
  void Changed(const std::string& line) override {
    if (listChanges_) Print(stdout, line);
  }
  void Problem(const std::string& text) override { Print(stderr, text); }

  void Print(std::FILE* stream, const std::string& line) {
    ClearProgress();
    std::fprintf(stream, "%s\n", publish::PrintableText(line).c_str());
    std::fflush(stream);
  }

 private:
  void ClearProgress() {
    if (!shown_) return;
    std::fputs("\r\x1b[K", stderr);
    shown_ = false;
  }

  bool progress_;
  bool listChanges_;
  bool shown_ = false;
  int number_ = 0;
  int count_ = 0;
};

void PrintError(const std::string& line) { std::fprintf(stderr, "%s\n", publish::PrintableText(line).c_str()); }

bool ReadPassword(publish::Credentials& login) {
  if (!std::getline(std::cin, login.Password)) return false;
  if (!login.Password.empty() && login.Password.back() == '\r') login.Password.pop_back();
  login.HasPassword = true;
  return true;
}

// The request from the options; false after printing the reason.
bool MakeRequest(const PublishOptions& options, publish::PublishRequest& request) {
  std::string error;
  const std::optional<publish::PublishTarget> target = publish::ParsePublishUrl(options.url, error);
  if (!target) {
    PrintError(error);
    return false;
  }
  if (!options.trustedCertificate.empty() && !std::filesystem::is_regular_file(options.trustedCertificate)) {
    PrintError("Die Zertifikatsdatei \"" + options.trustedCertificate + "\" gibt es nicht.");
    return false;
  }
  request.LocalFolder = options.folder;
  request.DeleteRemoved = options.deleteRemoved;
  request.DryRun = options.dryRun;
  request.Server.Target = *target;
  request.Server.Login.User = options.user.empty() ? target->User : options.user;
  request.Server.Security = {options.insecureFtp, options.trustedCertificate, options.acceptNewHostKey, {}};
  if (options.passwordStdin && !ReadPassword(request.Server.Login)) {
    PrintError("Auf der Standardeingabe steht kein Passwort.");
    return false;
  }
  return true;
}

int ExitStatusOf(const publish::PublishResult& result) {
  switch (result.Outcome) {
    case publish::PublishOutcome::Completed:
      return kExitOk;
    case publish::PublishOutcome::SomeFailed:
      return kExitSomeFilesFailed;
    default:
      return kExitNotConnected;
  }
}

int RunPublish(const PublishOptions& options) {
  publish::PublishRequest request;
  if (!MakeRequest(options, request)) return kExitBadInput;
  CliPublishObserver observer(!options.quiet && ::isatty(STDERR_FILENO), !options.quiet);
  const publish::PublishResult result = publish::Publish(request, observer);
  if (!result.StopReason.empty()) {
    const bool unknownKey = !result.UnknownHostKey.empty();
    observer.Print(stderr, result.StopReason +
                               (unknownKey ? " Mit --accept-new-host-key wird er in known_hosts aufgenommen." : ""));
  }
  if (options.dryRun && result.Outcome == publish::PublishOutcome::Completed)
    for (const std::string& line : publish::DescribeChanges(result.Plan)) observer.Print(stdout, line);
  return ExitStatusOf(result);
}

}  // namespace

void AddPublishCommand(CLI::App& app, int& exitStatus) {
  auto options = std::make_shared<PublishOptions>();
  CLI::App* command = app.add_subcommand(
      "publish",
      "L\xC3\xA4"
      "dt ein erstelltes Web-Album auf einen Web-Server, nur was sich ge\xC3\xA4ndert hat. Adressen: "
      "sftp://server[:port]/pfad, ftp://server[:port]/pfad (FTP mit TLS), https://server[:port]/pfad (WebDAV). "
      "Status 0: alles angekommen, 1: einige Dateien fehlgeschlagen, 2: Aufruf, Verbindung oder Anmeldung "
      "fehlgeschlagen.");
  command->add_option("folder", options->folder, "Das Verzeichnis des erstellten Albums")->required();
  command->add_option("url", options->url, "Die Adresse des Album-Verzeichnisses auf dem Server")->required();
  command->add_option("--user", options->user, "Benutzername auf dem Server");
  command->add_flag("--password-stdin", options->passwordStdin,
                    "Das Passwort aus der ersten Zeile der Standardeingabe lesen");
  command->add_flag(
      "--delete", options->deleteRemoved,
      "Dateien l\xC3\xB6schen, die der letzte Upload gesendet hat und die das Verzeichnis nicht mehr enth\xC3\xA4lt");
  command->add_flag("--dry-run", options->dryRun, "Nur auflisten, was sich \xC3\xA4ndern w\xC3\xBCrde");
  command->add_flag("--accept-new-host-key", options->acceptNewHostKey,
                    "Einen unbekannten SSH-Host-Schl\xC3\xBCssel annehmen und in ~/.ssh/known_hosts eintragen");
  command->add_option("--accept-self-signed", options->trustedCertificate,
                      "Diesem selbst signierten Server-Zertifikat (PEM-Datei) vertrauen");
  command->add_flag("--insecure-ftp", options->insecureFtp, "FTP ohne TLS erlauben (Passwort unverschl\xC3\xBCsselt!)");
  command->add_flag("--quiet", options->quiet, "Keine Fortschrittsanzeige und keine Liste der \xC3\x84nderungen");
  command->callback([options, &exitStatus] { exitStatus = RunPublish(*options); });
}

}  // namespace cli
