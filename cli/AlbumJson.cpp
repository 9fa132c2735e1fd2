#include "cli/AlbumJson.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "album/ColourText.h"
#include "album/CommentEditor.h"
#include "cli/CliPaths.h"
#include "platform/Cp1252.h"
#include "platform/Paths.h"

namespace cli {

namespace {

struct TextSetting {
  const char* key;
  std::string album::AlbumSettings::*field;
};
struct NumberSetting {
  const char* key;
  int32_t album::AlbumSettings::*field;
  album::SpinRange range;
};
struct ColourSetting {
  const char* key;
  uint32_t album::AlbumSettings::*field;
};

constexpr TextSetting kTexts[] = {
    {"caption", &album::AlbumSettings::Caption},
    {"free_text", &album::AlbumSettings::FreeText},
    {"detail_caption", &album::AlbumSettings::DetailCaption},
};
constexpr NumberSetting kNumbers[] = {
    {"per_row", &album::AlbumSettings::PicturesPerRow, album::kPicturesPerRowRange},
    {"thumb_width", &album::AlbumSettings::ThumbWidth, album::kThumbSideRange},
    {"thumb_height", &album::AlbumSettings::ThumbHeight, album::kThumbSideRange},
    {"border", &album::AlbumSettings::Border, album::kBorderRange},
    {"detail_border", &album::AlbumSettings::DetailBorder, album::kBorderRange},
};
constexpr ColourSetting kColours[] = {
    {"bgcolor", &album::AlbumSettings::BackgroundColour},
    {"bgcolor2", &album::AlbumSettings::BackgroundColour2},
};

std::string Utf8(const std::string& ansi) { return platform::AnsiToUtf8(ansi); }

// A JSON number as the spin edits take it: truncated toward zero.
std::optional<int64_t> WholeNumber(const Json& value) {
  constexpr int64_t kLimit = std::numeric_limits<int64_t>::max();
  if (value.is_number_unsigned()) return static_cast<int64_t>(std::min<uint64_t>(value.get<uint64_t>(), kLimit));
  if (value.is_number_integer()) return value.get<int64_t>();
  if (value.is_number_float() && std::isfinite(value.get<double>()))
    return static_cast<int64_t>(std::clamp(std::trunc(value.get<double>()), -1e15, 1e15));
  return std::nullopt;
}

Json PictureToJson(const album::AlbumPicture& picture) {
  return {{"file", Utf8(picture.FileName)},
          {"comment", picture.Comment ? Json(Utf8(*picture.Comment)) : Json(nullptr)},
          {"show_comment", picture.ShowComment != 0},
          {"marked", picture.Marked != 0}};
}

bool Fail(std::string& error, const std::string& text) {
  error = text;
  return false;
}

bool FlagFromJson(const Json& entry, const char* key, uint8_t& flag, std::string& error) {
  if (!entry.contains(key)) return true;
  if (!entry[key].is_boolean()) return Fail(error, std::string("\"") + key + "\" muss true oder false sein.");
  flag = entry[key].get<bool>() ? 1 : 0;
  return true;
}

bool PictureFromJson(const Json& entry, album::AlbumPicture& picture, std::string& error) {
  if (!entry.is_object() || !entry.contains("file") || !entry["file"].is_string())
    return Fail(error, "Jedes Bild braucht einen Dateinamen in \"file\".");
  if (!CheckedAnsiPath(entry["file"].get<std::string>(), picture.FileName, error)) return false;
  if (entry.contains("comment") && !entry["comment"].is_null()) {
    if (!entry["comment"].is_string()) return Fail(error, "\"comment\" muss ein Text oder null sein.");
    std::string comment;
    if (!CheckedAnsiText(entry["comment"].get<std::string>(), "comment", comment, error)) return false;
    picture.Comment = album::WithCrLfLineBreaks(comment);
  }
  return FlagFromJson(entry, "show_comment", picture.ShowComment, error) &&
         FlagFromJson(entry, "marked", picture.Marked, error);
}

bool SettingsFromJson(const Json& object, album::AlbumSettings& settings, std::string& error) {
  if (!object.is_object()) return Fail(error, "\"settings\" muss ein Objekt sein.");
  for (const TextSetting& s : kTexts) {
    if (!object.contains(s.key)) continue;
    if (!object[s.key].is_string()) return Fail(error, std::string("\"") + s.key + "\" muss ein Text sein.");
    if (!CheckedAnsiText(object[s.key].get<std::string>(), s.key, settings.*s.field, error)) return false;
  }
  for (const NumberSetting& s : kNumbers) {
    if (!object.contains(s.key)) continue;
    const std::optional<int64_t> value = WholeNumber(object[s.key]);
    if (!value) return Fail(error, std::string("\"") + s.key + "\" muss eine Zahl sein.");
    settings.*s.field = s.range.Clamp(*value);
  }
  for (const ColourSetting& s : kColours) {
    if (!object.contains(s.key)) continue;
    const std::optional<uint32_t> colour =
        object[s.key].is_string() ? album::ColourFromHtmlText(object[s.key].get<std::string>()) : std::nullopt;
    if (!colour) return Fail(error, std::string("\"") + s.key + "\" muss eine Farbe wie \"#C0C0C0\" sein.");
    settings.*s.field = *colour;
  }
  return true;
}

}  // namespace

Json AlbumToJson(const album::AlbumPictures& pictures, const album::AlbumSettings& settings) {
  Json list = Json::array();
  for (const album::AlbumPicture& picture : pictures) list.push_back(PictureToJson(picture));
  Json stored = Json::object();
  for (const TextSetting& s : kTexts) stored[s.key] = Utf8(settings.*s.field);
  for (const NumberSetting& s : kNumbers) stored[s.key] = settings.*s.field;
  for (const ColourSetting& s : kColours) stored[s.key] = album::HtmlColourText(settings.*s.field);
  return {{"pictures", list}, {"settings", stored}};
}

bool AlbumFromJson(const Json& document, album::AlbumPictures& pictures, album::AlbumSettings& settings,
                   std::string& error) {
  if (!document.is_object()) return Fail(error, "Das JSON-Dokument muss ein Objekt sein.");
  album::AlbumPictures read;
  album::AlbumSettings readSettings = settings;
  if (document.contains("pictures")) {
    if (!document["pictures"].is_array()) return Fail(error, "\"pictures\" muss eine Liste sein.");
    for (const Json& entry : document["pictures"]) {
      album::AlbumPicture picture;
      if (!PictureFromJson(entry, picture, error)) return false;
      read.push_back(std::move(picture));
    }
  }
  if (document.contains("settings") && !SettingsFromJson(document["settings"], readSettings, error)) return false;
  pictures = std::move(read);
  settings = std::move(readSettings);
  return true;
}

}  // namespace cli
