#include "publish/FilePlacer.h"

namespace publish {

TransferResult FilePlacer::Place(UploadSource& source, const std::string& path, const std::string& sha256) {
  const TransferResult checked = CheckReplaceable(path);
  if (checked.Status != TransferStatus::Ok) return checked;
  const std::string temporary = TemporaryPathFor(path);
  const TransferResult sent = remote_.Upload(source, temporary);
  StopHold hold(hooks_);
  if (sent.Status != TransferStatus::Ok) return Discard(temporary, sent);
  if (!source.Matches(sha256))
    return Discard(temporary, {TransferStatus::Failed,
                               "Die Datei \"" + path +
                                   "\" hat sich beim Hochladen ge\xC3\xA4ndert; sie wird beim "
                                   "n\xC3\xA4"
                                   "chsten Mal gesendet.",
                               {}});
  const TransferResult arrived = CheckArrivedWhole(temporary, path, source.Size());
  if (arrived.Status != TransferStatus::Ok) return Discard(temporary, arrived);
  return RenameIntoPlace(temporary, path);
}

// A server may take a data connection that broke off for the end of the
// file and report success; the size it holds tells.
TransferResult FilePlacer::CheckArrivedWhole(const std::string& temporary, const std::string& path, uint64_t sent) {
  std::optional<uint64_t> size;
  const TransferResult asked = remote_.SizeOf(temporary, size);
  if (Ends(asked)) return asked;
  if (asked.Status == TransferStatus::Ok && (!size || *size == sent)) return {};
  const std::string held = size ? std::to_string(*size) + " von " : std::string();
  return {TransferStatus::Failed,
          "Die Datei \"" + path + "\" kam unvollst\xC3\xA4ndig auf dem Server an (" + held + std::to_string(sent) +
              " Bytes); sie wird beim n\xC3\xA4"
              "chsten Mal gesendet.",
          {}};
}

TransferResult FilePlacer::RenameIntoPlace(const std::string& temporary, const std::string& path) {
  const TransferResult renamed = remote_.Rename(temporary, path);
  if (renamed.Status == TransferStatus::Ok || Ends(renamed)) return renamed;
  if (server_.TypeOf(path) != ServerEntry::File) return Discard(temporary, renamed);
  const std::string aside = AsidePathFor(path);
  if (remote_.Rename(path, aside).Status != TransferStatus::Ok) return Discard(temporary, renamed);
  const TransferResult movedIn = remote_.Rename(temporary, path);
  if (movedIn.Status != TransferStatus::Ok) {
    remote_.Rename(aside, path);
    return Discard(temporary, movedIn);
  }
  remote_.Remove(aside);
  return {};
}

// The file's name and its temporary and set-aside names must be free or
// plain files: a folder or link there is not ours to replace.
TransferResult FilePlacer::CheckReplaceable(const std::string& path) {
  for (const std::string& name : {path, TemporaryPathFor(path), AsidePathFor(path)}) {
    const ServerEntry type = server_.TypeOf(name);
    if (type == ServerEntry::Unknown) return server_.Failure();
    if (type == ServerEntry::NotAFile)
      return {TransferStatus::Failed,
              "\"" + name +
                  "\" wird nicht ersetzt: auf dem Server ist dort (oder auf dem Weg dorthin) ein "
                  "Verzeichnis oder eine Verkn\xC3\xBCpfung.",
              {}};
  }
  return {};
}

TransferResult FilePlacer::Discard(const std::string& temporary, const TransferResult& failure) {
  if (failure.Status != TransferStatus::Fatal) remote_.Remove(temporary);
  return failure;
}

}  // namespace publish
