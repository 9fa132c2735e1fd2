#include "generator/PictureCommit.h"

#include "generator/Pages.h"
#include "platform/SafeFile.h"

namespace generator {

namespace {

// JPEG stores width and height in 16 bits.
constexpr int32_t kJpegMaxSide = 65535;

// Names taken by another process between the look and the write are skipped;
// the bound only keeps a file system that contradicts itself from looping.
constexpr int kMaxNameAttempts = 1000;

std::string NotCreatedMessage(const char* kind, const std::string& fileName) {
  return std::string(kind) + " Datei erstellen: Konnte die Datei " + fileName + " nicht erstellen!";
}

std::string TooLargeForJpegMessage(const std::string& fileName, int32_t width, int32_t height) {
  return NotCreatedMessage("JPEG", fileName) + " Das Bild ist " + std::to_string(width) + " x " +
         std::to_string(height) + " Pixel gro\xDF; JPEG erlaubt h\xF6" "chstens " + std::to_string(kJpegMaxSide) +
         " Pixel Breite und H\xF6he.";
}

}  // namespace

void ReserveDetailPageNames(album::AlbumPictures& pictures, const std::string& htmlFolder, FreeNames& names) {
  for (album::AlbumPicture& picture : pictures) {
    picture.DetailPageName.reset();
    const std::string base = NameBase(picture.FileName);
    FreeNames::Candidate name;
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
      name = names.Find(htmlFolder, base, ".htm");
      if (CreateEmptyFile(htmlFolder + name.Name) != platform::PublishOutcome::NameTaken) break;
      names.Taken(htmlFolder, base, ".htm", name);
    }
    // A page that could not be reserved keeps its name: writing it later
    // reports the failure.
    names.Taken(htmlFolder, base, ".htm", name);
    picture.DetailPageName = name.Name;
  }
}

PictureCommitter::PictureCommitter(album::AlbumPictures& pictures, const album::AlbumSettings& settings,
                                   const TemplateFragments& fragments, const ExportTarget& target,
                                   const ExportReporting& reporting, const OutputFolders& folders, FreeNames& names,
                                   ExtraOutputs* extras)
    : pictures_(pictures),
      settings_(settings),
      fragments_(fragments),
      target_(target),
      reporting_(reporting),
      folders_(folders),
      names_(names),
      extras_(extras) {}

void PictureCommitter::Begin(int32_t index) {
  index_ = index;
  album::AlbumPicture& picture = pictures_[static_cast<size_t>(index)];
  picture.PictureName.reset();
  picture.ThumbnailName.reset();
  if (extras_) extras_->Pictures[static_cast<size_t>(index)] = PictureExtras{};
  base_ = NameBase(picture.FileName);
  complete_ = false;
  if (reporting_.Observer) reporting_.Observer->PictureStarted(index + 1, album::PictureCount(pictures_));
}

void PictureCommitter::Take(WorkEvent event) {
  switch (event.What) {
    case WorkEvent::Kind::Progress:
      if (reporting_.Progress) reporting_.Progress->Progress(event.Percent);
      break;
    case WorkEvent::Kind::Opened:
      Opened(event);
      break;
    case WorkEvent::Kind::Copy:
      Copy(event);
      break;
    case WorkEvent::Kind::Thumbnail:
      Thumbnail(event);
      break;
    case WorkEvent::Kind::Screen:
    case WorkEvent::Kind::Thumbnail2x:
      Extra(event);
      break;
  }
}

void PictureCommitter::End(int32_t) {
  if (!complete_) ++failed_;
}

void PictureCommitter::Opened(const WorkEvent& event) {
  width_ = event.Width;
  height_ = event.Height;
  complete_ = event.Outcome == OpenOutcome::Opened;
  if (extras_) {
    extras_->Pictures[static_cast<size_t>(index_)].Width = width_;
    extras_->Pictures[static_cast<size_t>(index_)].Height = height_;
  }
  // A picture whose depth cannot be promoted is skipped without a message.
  if (event.Outcome == OpenOutcome::Unreadable)
    reporting_.Messages.MessageBox("Fehler: Folgende Datei konnte nicht ge\xF6" "ffnet werden: " +
                                       pictures_[static_cast<size_t>(index_)].FileName,
                                   "", platform::MessageIcon::Error);
}

void PictureCommitter::Copy(const WorkEvent& event) {
  const bool copied =
      Publish(event.Jpeg, folders_.Pics, pictures_[static_cast<size_t>(index_)].PictureName, width_, height_);
  complete_ = WriteDetailPage() && copied && complete_;
}

void PictureCommitter::Thumbnail(const WorkEvent& event) {
  complete_ =
      event.Made && Publish(event.Jpeg, folders_.Mini, pictures_[static_cast<size_t>(index_)].ThumbnailName, 0, 0) &&
      complete_;
}

void PictureCommitter::Extra(const WorkEvent& event) {
  PictureExtras& extras = extras_->Pictures[static_cast<size_t>(index_)];
  const bool screen = event.What == WorkEvent::Kind::Screen;
  complete_ = Publish(event.Jpeg, screen ? folders_.Screen : folders_.Mini2x,
                      screen ? extras.ScreenName : extras.Thumbnail2xName, 0, 0) &&
              complete_;
}

// Writes a JPEG of a width x height picture under a free name in `folder`.
// The name is only handed out when the file was written, so no page ever
// shows another picture's file.
bool PictureCommitter::Publish(const EncodedJpeg& jpeg, const std::string& folder,
                               std::optional<std::string>& storedName, int32_t width, int32_t height) {
  FreeNames::Candidate name = names_.Find(folder, base_, ".jpg");
  platform::PublishOutcome outcome = platform::PublishOutcome::Failed;
  for (int attempt = 0; jpeg.Data && attempt < kMaxNameAttempts; ++attempt) {
    outcome = platform::PublishNewFile(folder + name.Name, jpeg.Bytes());
    if (outcome != platform::PublishOutcome::NameTaken) break;
    names_.Taken(folder, base_, ".jpg", name);
    name = names_.Find(folder, base_, ".jpg");
  }
  if (outcome == platform::PublishOutcome::Published) {
    names_.Taken(folder, base_, ".jpg", name);
    storedName = name.Name;
    return true;
  }
  const bool tooLarge = !jpeg.Data && (width > kJpegMaxSide || height > kJpegMaxSide);
  reporting_.Messages.Error(tooLarge ? TooLargeForJpegMessage(name.Name, width, height)
                                     : NotCreatedMessage("JPEG", name.Name));
  return false;
}

bool PictureCommitter::WriteDetailPage() {
  const std::string& name = *pictures_[static_cast<size_t>(index_)].DetailPageName;
  const std::string page =
      DetailPageText(fragments_, settings_, pictures_, index_, target_.OverviewFileName, extras_);
  if (platform::WriteFileAtomically(folders_.Html + name, page, platform::Durability::Regenerable)) return true;
  reporting_.Messages.Error(NotCreatedMessage("HTML", name));
  return false;
}

}  // namespace generator
