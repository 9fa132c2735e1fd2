// "new": makes an album file from pictures given in order, or from the
// album's JSON form, with the defaults of a new album and the given settings.
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>

#include "album/AlbumFile.h"
#include "album/ColourText.h"
#include "cli/AlbumJson.h"
#include "cli/CliPaths.h"
#include "cli/Commands.h"
#include "cli/StderrMessages.h"

namespace cli {

namespace {

struct NewOptions {
  std::string album;
  std::vector<std::string> pictures;
  std::string jsonFile;
  std::optional<std::string> caption, freeText, detailCaption, bgcolor, bgcolor2;
  std::optional<int64_t> perRow, thumbWidth, thumbHeight, border, detailBorder;
};

int Refuse(const std::string& utf8Message) {
  std::cerr << utf8Message << '\n';
  return kExitBadInput;
}

bool ReadJsonInput(const std::string& file, Json& document, std::string& error) {
  std::ifstream stream;
  if (file != "-") {
    stream.open(file, std::ios::binary);
    if (!stream) {
      error = "Konnte die Datei " + file + " nicht öffnen!";
      return false;
    }
  }
  std::istream& in = file == "-" ? std::cin : stream;
  std::ostringstream text;
  text << in.rdbuf();
  document = Json::parse(text.str(), nullptr, false);
  if (document.is_discarded()) {
    error = (file == "-" ? std::string("Die Standardeingabe") : "Die Datei " + file) + " enthält kein gültiges JSON.";
    return false;
  }
  return true;
}

void ApplyNumber(const std::optional<int64_t>& value, const album::SpinRange& range, int32_t& setting) {
  if (value) setting = range.Clamp(*value);
}

bool ApplyColour(const std::optional<std::string>& text, uint32_t& setting) {
  if (!text) return true;
  const std::optional<uint32_t> colour = album::ColourFromHtmlText(*text);
  if (colour) setting = *colour;
  return colour.has_value();
}

bool ApplyText(const std::optional<std::string>& text, std::string_view option, std::string& setting,
               std::string& error) {
  return !text || CheckedAnsiText(*text, option, setting, error);
}

// The options given on the command line win over the JSON document's settings.
bool ApplyOptions(const NewOptions& options, album::AlbumSettings& settings, std::string& error) {
  if (!ApplyText(options.caption, "--caption", settings.Caption, error) ||
      !ApplyText(options.freeText, "--free-text", settings.FreeText, error) ||
      !ApplyText(options.detailCaption, "--detail-caption", settings.DetailCaption, error))
    return false;
  ApplyNumber(options.perRow, album::kPicturesPerRowRange, settings.PicturesPerRow);
  ApplyNumber(options.thumbWidth, album::kThumbSideRange, settings.ThumbWidth);
  ApplyNumber(options.thumbHeight, album::kThumbSideRange, settings.ThumbHeight);
  ApplyNumber(options.border, album::kBorderRange, settings.Border);
  ApplyNumber(options.detailBorder, album::kBorderRange, settings.DetailBorder);
  if (ApplyColour(options.bgcolor, settings.BackgroundColour) &&
      ApplyColour(options.bgcolor2, settings.BackgroundColour2))
    return true;
  error = "Eine Farbe muss die Form #RRGGBB haben.";
  return false;
}

int RunNew(const NewOptions& options) {
  album::AlbumPictures pictures;
  album::AlbumSettings settings;
  std::string error;
  if (!options.jsonFile.empty()) {
    Json document;
    if (!ReadJsonInput(options.jsonFile, document, error) || !AlbumFromJson(document, pictures, settings, error))
      return Refuse(error);
  }
  for (const std::string& picture : options.pictures) {
    album::AlbumPicture entry;  // both flags set, no comment, as "Hinzufügen" adds it
    if (!CheckedAnsiPath(picture, entry.FileName, error)) return Refuse(error);
    pictures.push_back(std::move(entry));
  }
  std::string album;
  if (!ApplyOptions(options, settings, error) || !CheckedAnsiPath(options.album, album, error)) return Refuse(error);
  StderrMessages messages;
  return album::SaveFile(album, pictures, settings, messages) ? kExitOk : kExitWriteFailed;
}

}  // namespace

void AddNewCommand(CLI::App& app, int& exitStatus) {
  auto options = std::make_shared<NewOptions>();
  CLI::App* command = app.add_subcommand(
      "new",
      "Legt eine Albumdatei (.lva) aus den angegebenen Bildern in dieser Reihenfolge an, oder aus dem "
      "JSON-Format von \"show --json\". Bilder erhalten \"Kommentar anzeigen\" und das Häkchen, "
      "aber keinen Kommentar; nicht angegebene Einstellungen haben die Vorgaben eines neuen Albums. "
      "Zahlen außerhalb ihres Bereichs werden auf die nächste Grenze gesetzt.");
  command->add_option("album", options->album, "Die Albumdatei, die geschrieben wird")->required();
  CLI::Option* pictures = command->add_option("pictures", options->pictures, "Die Bilddateien, in Albumreihenfolge");
  command->add_option("--json", options->jsonFile, "Album aus dieser JSON-Datei (- liest die Standardeingabe)")
      ->excludes(pictures);
  command->add_option("--caption", options->caption, "Überschrift der Übersicht");
  command->add_option("--free-text", options->freeText, "Freier Text der Übersicht");
  command->add_option("--detail-caption", options->detailCaption, "Überschrift der Detailseiten");
  command->add_option("--per-row", options->perRow, "Bilder pro Zeile (1 bis 50)");
  command->add_option("--thumb-width", options->thumbWidth, "Breite der Vorschaubilder (1 bis 1000)");
  command->add_option("--thumb-height", options->thumbHeight, "Höhe der Vorschaubilder (1 bis 1000)");
  command->add_option("--border", options->border, "Rahmenbreite der Übersicht (0 bis 10)");
  command->add_option("--detail-border", options->detailBorder, "Rahmenbreite der Detailseiten (0 bis 10)");
  command->add_option("--bgcolor", options->bgcolor, "Hintergrundfarbe als #RRGGBB");
  command->add_option("--bgcolor2", options->bgcolor2, "Hintergrundfarbe 2 als #RRGGBB");
  command->callback([options, &exitStatus] { exitStatus = RunNew(*options); });
}

}  // namespace cli
