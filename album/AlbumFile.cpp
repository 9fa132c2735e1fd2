#include "album/AlbumFile.h"

#include <utility>

#include "album/AlbumFileFormat.h"
#include "platform/InputFile.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace album {

namespace {

// The album file read only as far as its last field.
class FileSource : public AlbumByteSource {
 public:
  bool Open(const std::string& path) { return file_.Open(path); }
  uint64_t Size() const override { return file_.Size(); }
  bool Read(char* target, size_t count) override { return file_.Read(target, count); }

 private:
  platform::InputFile file_;
};

}  // namespace

std::string SaveErrorText(const std::string& path) {
  return "Web Lumivista speichern: Konnte die Datei " + platform::ExtractFileName(path) + " nicht erstellen!";
}

std::string OpenErrorText(const std::string& path) {
  return "Web Lumivista \xF6"
         "ffnen: Konnte die Datei " +
         platform::ExtractFileName(path) +
         " nicht \xF6"
         "ffnen!";
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

bool OpenFile(const std::string& path, AlbumPictures& pictures, AlbumSettings& settings, platform::Messages& messages) {
  FileSource file;
  if (!file.Open(path)) {
    messages.Error(OpenErrorText(path));
    return false;
  }
  std::optional<LoadedAlbum> album = DecodeAlbumFile(file, path, settings);
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

}  // namespace album
