#include "generator/PictureCommit.h"

#include <sys/stat.h>

#include "generator/Pages.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/Sha256.h"

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
         std::to_string(height) +
         " Pixel gro\xDF; JPEG erlaubt h\xF6"
         "chstens " +
         std::to_string(kJpegMaxSide) + " Pixel Breite und H\xF6he.";
}

// Nothing, or a regular file: what a link or folder of that name points to
// is not ours to replace.
bool MayReplace(const std::string& path) {
  struct stat st {};
  return ::lstat(platform::ToFileSystem(path).c_str(), &st) != 0 || S_ISREG(st.st_mode);
}

void RecordWritten(RecordedOutput& made, const std::string& path, std::string_view bytes, std::string sha256) {
  made.Facts = OwnFileFacts(path).value_or(FileFacts{});
  made.Facts.Size = static_cast<int64_t>(bytes.size());
  made.Sha256 = std::move(sha256);
}

}  // namespace

OwnedWrite WriteOwnedFile(const std::string& path, std::string_view bytes) {
  std::string old;
  if (OwnFileFacts(path) && platform::ReadWholeFile(path, old) && old == bytes) return OwnedWrite::Unchanged;
  if (!MayReplace(path)) return OwnedWrite::Failed;
  return platform::WriteFileAtomically(path, bytes, platform::Durability::Regenerable) ? OwnedWrite::Written
                                                                                       : OwnedWrite::Failed;
}

// The journal names every page before it is created, so a run killed right
// after creating them still has them listed; a name found taken after all is
// replaced in the journal before its successor is created.
void ReserveDetailPageNames(const album::AlbumPictures& pictures, const std::string& htmlFolder,
                            const CommitTables& tables) {
  std::vector<std::pair<size_t, FreeNames::Candidate>> planned;
  for (size_t i = 0; i < pictures.size(); ++i) {
    if (!tables.Outputs[i][OutputKind::Page].empty()) continue;
    const std::string base = NameBase(pictures[i].FileName);
    planned.emplace_back(i, tables.Names.Find(htmlFolder, OutputKind::Page, base));
    tables.Names.Taken(htmlFolder, OutputKind::Page, base, planned.back().second);
    tables.Journal.WillCreate({OutputKind::Page, planned.back().second.Name, 0, ""});
  }
  if (planned.empty()) return;
  tables.Journal.Save();
  for (auto& [i, name] : planned) {
    const std::string base = NameBase(pictures[i].FileName);
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
      if (CreateEmptyFile(htmlFolder + name.Name) != platform::PublishOutcome::NameTaken) break;
      tables.Journal.Forget(OutputKind::Page, name.Name);
      name = tables.Names.Find(htmlFolder, OutputKind::Page, base);
      tables.Names.Taken(htmlFolder, OutputKind::Page, base, name);
      tables.Journal.WillCreate({OutputKind::Page, name.Name, 0, ""});
      tables.Journal.Save();
    }
    // A page that could not be reserved keeps its name: writing it later
    // reports the failure.
    tables.Outputs[i][OutputKind::Page] = name.Name;
    tables.Made[i].Outputs[static_cast<size_t>(OutputKind::Page)].Name = name.Name;
  }
}

void PictureCommitter::Begin(int32_t index) {
  index_ = index;
  const album::AlbumPicture& picture = setup_.Pictures[static_cast<size_t>(index)];
  base_ = NameBase(picture.FileName);
  complete_ = false;
  if (setup_.Reporting.Observer)
    setup_.Reporting.Observer->PictureStarted(index + 1, album::PictureCount(setup_.Pictures));
}

void PictureCommitter::Take(WorkEvent event) {
  switch (event.What) {
    case WorkEvent::Kind::Progress:
      if (setup_.Reporting.Progress) setup_.Reporting.Progress->Progress(event.Percent);
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
      complete_ = Publish(event.Jpeg, OutputKind::Screen, 0, 0) && complete_;
      break;
    case WorkEvent::Kind::Thumbnail2x:
      complete_ = Publish(event.Jpeg, OutputKind::Thumbnail2x, 0, 0) && complete_;
      break;
  }
}

// A picture the plan leaves alone keeps its files; only its page is written
// again, as its neighbours or texts may have changed.
void PictureCommitter::End(int32_t index) {
  const PicturePlan& plan = setup_.Plan.Pictures[static_cast<size_t>(index)];
  RecordedPicture& made = tables_.Made[static_cast<size_t>(index)];
  PictureOutputs& outputs = tables_.Outputs[static_cast<size_t>(index)];
  if (!plan.Work) {
    ForgetKindsNotMade(made.Width, made.Height);
    outputs.Width = made.Width;
    outputs.Height = made.Height;
    for (const OutputKindInfo& info : kOutputKinds)
      if (IsPictureFile(info.Kind)) outputs[info.Kind] = made.Outputs[static_cast<size_t>(info.Kind)].Name;
    complete_ = WriteDetailPage();
  } else {
    // A picture that did not open keeps what the record says it has.
    if (outputs.Width > 0) ForgetKindsNotMade(outputs.Width, outputs.Height);
    if (complete_) ++picturesWorked_;
  }
  if (!complete_) ++failed_;
}

// Files of kinds this run does not make of the picture, left from a run with
// another design or of a larger source, leave its record entry; the run
// removes them at its end.
void PictureCommitter::ForgetKindsNotMade(int32_t width, int32_t height) {
  for (const OutputKindInfo& info : kOutputKinds)
    if (IsPictureFile(info.Kind) && !MakesOutput(info.Kind, width, height, setup_.Depends, setup_.Settings))
      Made(info.Kind) = RecordedOutput{};
}

void PictureCommitter::Opened(const WorkEvent& event) {
  width_ = event.Width;
  height_ = event.Height;
  if (event.Outcome == OpenOutcome::Opened) {
    RecordedPicture& made = tables_.Made[static_cast<size_t>(index_)];
    PictureOutputs& outputs = tables_.Outputs[static_cast<size_t>(index_)];
    made.Width = outputs.Width = width_;
    made.Height = outputs.Height = height_;
  }
  complete_ = event.Outcome == OpenOutcome::Opened;
  // A picture whose depth cannot be promoted is skipped without a message.
  if (event.Outcome == OpenOutcome::Unreadable)
    setup_.Reporting.Messages.MessageBoxWithDetail(
        "Fehler: Folgende Datei konnte nicht ge\xF6"
        "ffnet werden: " +
            setup_.Pictures[static_cast<size_t>(index_)].FileName,
        event.Reason, "", platform::MessageIcon::Error);
}

void PictureCommitter::Copy(const WorkEvent& event) {
  const bool copied = Publish(event.Jpeg, OutputKind::Copy, width_, height_);
  complete_ = WriteDetailPage() && copied && complete_;
}

void PictureCommitter::Thumbnail(const WorkEvent& event) {
  complete_ = event.Made && Publish(event.Jpeg, OutputKind::Thumbnail, 0, 0) && complete_;
}

std::string PictureCommitter::Folder(OutputKind kind) const {
  return setup_.Target.Folder + InfoOf(kind).Folder + platform::PathDelimiter;
}

RecordedOutput& PictureCommitter::Made(OutputKind kind) {
  return tables_.Made[static_cast<size_t>(index_)].Outputs[static_cast<size_t>(kind)];
}

// Writes a JPEG of a width x height picture: under the name the album already
// gives it, or else under a free name. A name is only handed to the pages
// once its file was written, so no page ever shows another picture's file.
bool PictureCommitter::Publish(const EncodedJpeg& jpeg, OutputKind kind, int32_t width, int32_t height) {
  const std::string sha256 = jpeg.Data ? platform::Sha256Hex(jpeg.Bytes()) : std::string();
  const bool owned = !Made(kind).Name.empty();
  std::string name = Made(kind).Name;
  if (jpeg.Data && (owned ? ReplaceOwned(jpeg, kind, sha256) : PublishNew(jpeg, kind, sha256, name))) {
    Made(kind).Depends = setup_.Depends[kind];
    tables_.Outputs[static_cast<size_t>(index_)][kind] = Made(kind).Name;
    return true;
  }
  if (name.empty()) name = tables_.Names.Find(Folder(kind), kind, base_).Name;
  const bool tooLarge = !jpeg.Data && (width > kJpegMaxSide || height > kJpegMaxSide);
  setup_.Reporting.Messages.Error(tooLarge ? TooLargeForJpegMessage(name, width, height)
                                           : NotCreatedMessage("JPEG", name));
  return false;
}

// The journal names each candidate before it is created, with the bytes it
// will hold, so a killed run's file is recognised as its own.
bool PictureCommitter::PublishNew(const EncodedJpeg& jpeg, OutputKind kind, const std::string& sha256,
                                  std::string& lastName) {
  const std::string folder = Folder(kind);
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    const FreeNames::Candidate name = tables_.Names.Find(folder, kind, base_);
    lastName = name.Name;
    tables_.Journal.WillCreate({kind, name.Name, static_cast<int64_t>(jpeg.Size), sha256});
    tables_.Journal.Save();
    const platform::PublishOutcome outcome = platform::PublishNewFile(folder + name.Name, jpeg.Bytes());
    tables_.Names.Taken(folder, kind, base_, name);
    if (outcome == platform::PublishOutcome::NameTaken) continue;
    if (outcome == platform::PublishOutcome::Failed) return false;
    Made(kind).Name = name.Name;
    RecordWritten(Made(kind), folder + name.Name, jpeg.Bytes(), sha256);
    return true;
  }
  return false;
}

// Under the old name, replaced atomically, and only when the bytes differ
// from those on disk.
bool PictureCommitter::ReplaceOwned(const EncodedJpeg& jpeg, OutputKind kind, const std::string& sha256) {
  RecordedOutput& made = Made(kind);
  if (made.Sha256 == sha256 && OutputAsRecorded(setup_.Target.Folder, kind, made)) return true;
  const std::string path = Folder(kind) + made.Name;
  if (!MayReplace(path) || !platform::WriteFileAtomically(path, jpeg.Bytes(), platform::Durability::Regenerable))
    return false;
  RecordWritten(made, path, jpeg.Bytes(), sha256);
  return true;
}

bool PictureCommitter::WriteDetailPage() {
  const std::string& name = tables_.Outputs[static_cast<size_t>(index_)][OutputKind::Page];
  const std::string page = DetailPageText(setup_.Fragments, setup_.Settings, setup_.Pictures, tables_.Outputs, index_,
                                          setup_.Target.OverviewFileName);
  const std::string path = Folder(OutputKind::Page) + name;
  const std::string sha256 = platform::Sha256Hex(page);
  RecordedOutput& made = Made(OutputKind::Page);
  if (setup_.Plan.Pictures[static_cast<size_t>(index_)].Recorded < 0) {
    // A reserved page: the journal learns what it will hold first.
    tables_.Journal.WillCreate({OutputKind::Page, name, static_cast<int64_t>(page.size()), sha256});
    tables_.Journal.Save();
  }
  OwnedWrite written = OwnedWrite::Failed;
  if (setup_.Update) {
    written = WriteOwnedFile(path, page);
  } else if (platform::WriteFileAtomically(path, page, platform::Durability::Regenerable)) {
    written = OwnedWrite::Written;
  }
  if (written == OwnedWrite::Failed) {
    setup_.Reporting.Messages.Error(NotCreatedMessage("HTML", name));
    return false;
  }
  if (written == OwnedWrite::Written) ++pagesWritten_;
  made.Depends = setup_.Depends[OutputKind::Page];
  if (written == OwnedWrite::Written || made.Sha256 != sha256) RecordWritten(made, path, page, sha256);
  return true;
}

}  // namespace generator
