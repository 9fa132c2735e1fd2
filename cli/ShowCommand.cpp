// "show": reads an album file as the program opens it and prints it, as text
// for people or in the album's JSON form.
#include <iostream>
#include <memory>

#include "album/AlbumFile.h"
#include "album/ColourText.h"
#include "cli/AlbumJson.h"
#include "cli/CliPaths.h"
#include "cli/Commands.h"
#include "cli/StderrMessages.h"
#include "platform/Cp1252.h"

namespace cli {

namespace {

struct ShowOptions {
  std::string album;
  bool json = false;
};

const char* YesNo(uint8_t flag) { return flag ? "ja" : "nein"; }

// Continuation lines of a comment are indented under its first line.
std::string IndentedComment(const std::string& comment) {
  std::string out;
  for (const char c : comment) {
    if (c == '\r') continue;
    out += c;
    if (c == '\n') out += "                 ";
  }
  return out;
}

void PrintPictures(std::ostream& out, const album::AlbumPictures& pictures) {
  out << "Bilder: " << pictures.size() << '\n';
  for (size_t i = 0; i < pictures.size(); ++i) {
    const album::AlbumPicture& picture = pictures[i];
    out << "  " << i + 1 << ". " << platform::AnsiToUtf8(picture.FileName) << '\n'
        << "     Kommentar anzeigen: " << YesNo(picture.ShowComment) << ", markiert: " << YesNo(picture.Marked) << '\n'
        << "     Kommentar:  "
        << (picture.Comment ? platform::AnsiToUtf8(IndentedComment(*picture.Comment)) : std::string("(keiner)"))
        << '\n';
  }
}

void PrintSettings(std::ostream& out, const album::AlbumSettings& s) {
  out << "Überschrift: " << platform::AnsiToUtf8(s.Caption) << '\n'
      << "Freier Text: " << platform::AnsiToUtf8(s.FreeText) << '\n'
      << "Anzahl pro Zeile: " << s.PicturesPerRow << '\n'
      << "Rahmenbreite: " << s.Border << '\n'
      << "Vorschaubilder: " << s.ThumbWidth << " x " << s.ThumbHeight << '\n'
      << "Hintergrundfarbe: " << album::HtmlColourText(s.BackgroundColour) << '\n'
      << "Hintergrundfarbe 2: " << album::HtmlColourText(s.BackgroundColour2) << '\n'
      << "Detailseite Überschrift: " << platform::AnsiToUtf8(s.DetailCaption) << '\n'
      << "Detailseite Rahmenbreite: " << s.DetailBorder << '\n';
}

int RunShow(const ShowOptions& options) {
  const std::string path = AbsoluteAnsiPath(options.album);
  album::AlbumPictures pictures;
  album::AlbumSettings settings;
  StderrMessages messages;
  if (!album::OpenFile(path, pictures, settings, messages)) return kExitBadInput;
  if (options.json) {
    std::cout << AlbumToJson(pictures, settings).dump(2) << '\n';
  } else {
    std::cout << "Album: " << platform::AnsiToUtf8(path) << '\n';
    PrintPictures(std::cout, pictures);
    PrintSettings(std::cout, settings);
  }
  return kExitOk;
}

}  // namespace

void AddShowCommand(CLI::App& app, int& exitStatus) {
  auto options = std::make_shared<ShowOptions>();
  CLI::App* command =
      app.add_subcommand("show",
                         "Liest eine Albumdatei wie das Programm beim Öffnen und gibt Bilder, Kommentare und "
                         "Einstellungen aus. Ungültige oder unlesbare Dateien: Meldung und Status 2.");
  command->add_option("album", options->album, "Die Albumdatei (.lva)")->required();
  command->add_flag("--json", options->json,
                    "Ausgabe als JSON: {\"pictures\": [{\"file\", \"comment\", \"show_comment\", \"marked\"}], "
                    "\"settings\": {...}}; dasselbe Format nimmt \"new --json\"");
  command->callback([options, &exitStatus] { exitStatus = RunShow(*options); });
}

}  // namespace cli
