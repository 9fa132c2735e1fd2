#include "album/AlbumFile.h"

#include <utility>

#include "album/AlbumFileFormat.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

std::string SaveErrorText(const std::string& path) {
  return "Web Lumivista speichern: Konnte die Datei " + platform::ExtractFileName(path) + " nicht erstellen!";
}

std::string OpenErrorText(const std::string& path) {
  return "Web Lumivista \xF6" "ffnen: Konnte die Datei " + platform::ExtractFileName(path) + " nicht \xF6" "ffnen!";
}

bool SaveFile(const std::string& path, const AlbumPictures& pictures, const AlbumSettings& settings,
              platform::Messages& messages) {
  const std::optional<std::string> bytes = EncodeAlbumFile(pictures, settings, path);
  if (!bytes || !platform::WriteFileAtomically(path, *bytes)) {
    messages.Error(SaveErrorText(path));
    return false;
  }
  return true;
}

bool OpenFile(const std::string& path, AlbumPictures& pictures, AlbumSettings& settings,
              platform::Messages& messages) {
  std::string bytes;
  if (!platform::ReadWholeFile(path, bytes)) {
    messages.Error(OpenErrorText(path));
    return false;
  }
  std::optional<LoadedAlbum> album = DecodeAlbumFile(bytes, path, settings);
  if (!album) {
    messages.Error(kNotAnAlbumFileText);
    return false;
  }
  pictures = std::move(album->Pictures);
  settings = std::move(album->Settings);
  return true;
}

std::string AlbumWindowCaption(const std::optional<std::string>& savedFileName) {
  const std::string name = savedFileName ? platform::ExtractFileName(*savedFileName) : "Unbenannt.lva";
  return "Vendrix Web Lumivista 2.0 - [" + name + "]";
}
