#include "generator/BuildRecord.h"

#include <sys/stat.h>

#include <charconv>
#include <optional>

#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/Sha256.h"

namespace generator {

namespace {

constexpr std::string_view kMagic = "lumivista-build-record";

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::string FactsText(const FileFacts& facts) {
  return std::to_string(facts.Size) + '\t' + std::to_string(facts.ModifiedNs) + '\t' + std::to_string(facts.Inode) +
         '\t' + std::to_string(facts.Device);
}

bool ParseFacts(const std::vector<std::string_view>& f, size_t at, FileFacts& facts) {
  return f.size() >= at + 4 && ParseNumber(f[at], facts.Size) && ParseNumber(f[at + 1], facts.ModifiedNs) &&
         ParseNumber(f[at + 2], facts.Inode) && ParseNumber(f[at + 3], facts.Device);
}

std::optional<OutputKind> KindOfTag(std::string_view tag) {
  for (const OutputKindInfo& info : kOutputKinds)
    if (tag == info.RecordTag) return info.Kind;
  return std::nullopt;
}

// A name of ours never leaves its folder and is never hidden.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name[0] != '.' && name.find('/') == std::string::npos;
}

class RecordParser {
 public:
  bool Line(std::string_view line) {
    const std::vector<std::string_view> f = Fields(line);
    const std::string_view key = f[0];
    if (key == "overview" && f.size() == 2) return Assign(f[1], record_.OverviewName);
    if (key == "folder" && f.size() == 3)
      return ParseNumber(f[1], record_.FolderDevice) && ParseNumber(f[2], record_.FolderInode);
    if (key == "state" && f.size() == 2 && (f[1] == "running" || f[1] == "complete")) {
      record_.Running = f[1] == "running";
      return true;
    }
    if (key == "picture" && (f.size() == 6 || f.size() == 8)) return Picture(f);
    if (key == "output" && f.size() == 9 && !record_.Pictures.empty()) return Output(f);
    if (key == "created" && f.size() == 5) return Created(f);
    return false;
  }
  BuildRecord& Record() { return record_; }

 private:
  static bool Assign(std::string_view field, std::string& target) {
    std::optional<std::string> text = Unescaped(field);
    if (!text) return false;
    target = std::move(*text);
    return true;
  }

  // A record of version 1 knows no sizes.
  bool Picture(const std::vector<std::string_view>& f) {
    RecordedPicture& picture = record_.Pictures.emplace_back();
    return Assign(f[1], picture.Source) && ParseFacts(f, 2, picture.SourceFacts) &&
           (f.size() == 6 || (ParseNumber(f[6], picture.Width) && ParseNumber(f[7], picture.Height)));
  }

  bool Output(const std::vector<std::string_view>& f) {
    const std::optional<OutputKind> kind = KindOfTag(f[1]);
    if (!kind) return false;
    RecordedOutput& out = record_.Pictures.back().Outputs[static_cast<size_t>(*kind)];
    return Assign(f[2], out.Name) && IsPlainName(out.Name) && ParseFacts(f, 3, out.Facts) && Assign(f[7], out.Sha256) &&
           Assign(f[8], out.Depends);
  }

  bool Created(const std::vector<std::string_view>& f) {
    const std::optional<OutputKind> kind = KindOfTag(f[1]);
    CreatedFile file;
    if (!kind) return false;
    file.Kind = *kind;
    return Assign(f[2], file.Name) && IsPlainName(file.Name) && ParseNumber(f[3], file.Size) &&
           Assign(f[4], file.Sha256) && (record_.Created.push_back(file), true);
  }

  BuildRecord record_;
};

}  // namespace

std::string RecordText(const BuildRecord& record) {
  std::string text = std::string(kMagic) + '\t' + std::to_string(kBuildRecordVersion) + '\n';
  text += "overview\t" + Escaped(record.OverviewName) + '\n';
  text += "folder\t" + std::to_string(record.FolderDevice) + '\t' + std::to_string(record.FolderInode) + '\n';
  text += std::string("state\t") + (record.Running ? "running" : "complete") + '\n';
  for (const RecordedPicture& picture : record.Pictures) {
    text += "picture\t" + Escaped(picture.Source) + '\t' + FactsText(picture.SourceFacts) + '\t' +
            std::to_string(picture.Width) + '\t' + std::to_string(picture.Height) + '\n';
    for (const OutputKindInfo& info : kOutputKinds) {
      const RecordedOutput& out = picture.Outputs[static_cast<size_t>(info.Kind)];
      if (out.Name.empty()) continue;
      text += std::string("output\t") + info.RecordTag + '\t' + Escaped(out.Name) + '\t' + FactsText(out.Facts) + '\t' +
              Escaped(out.Sha256) + '\t' + Escaped(out.Depends) + '\n';
    }
  }
  for (const CreatedFile& file : record.Created)
    text += std::string("created\t") + InfoOf(file.Kind).RecordTag + '\t' + Escaped(file.Name) + '\t' +
            std::to_string(file.Size) + '\t' + Escaped(file.Sha256) + '\n';
  return text + "end\t" + platform::Sha256Hex(text) + '\n';
}

RecordReading ParseRecord(std::string_view text, const std::string& overviewName, uint64_t folderDevice,
                          uint64_t folderInode) {
  RecordReading reading;
  reading.Trust = RecordTrust::Damaged;
  const size_t endLine = text.rfind("end\t");
  if (endLine == std::string_view::npos || (endLine > 0 && text[endLine - 1] != '\n')) return reading;
  const std::string_view body = text.substr(0, endLine);
  if (text.substr(endLine) != "end\t" + platform::Sha256Hex(body) + '\n') return reading;

  const size_t firstBreak = body.find('\n');
  const std::vector<std::string_view> head = Fields(body.substr(0, firstBreak));
  int version = 0;
  if (head.size() != 2 || head[0] != kMagic || !ParseNumber(head[1], version) || version < 1) return reading;
  if (version > kBuildRecordVersion) {
    reading.Trust = RecordTrust::Newer;
    return reading;
  }
  RecordParser parser;
  for (size_t start = firstBreak + 1; start < body.size();) {
    const size_t end = body.find('\n', start);
    if (!parser.Line(body.substr(start, end - start))) return reading;
    start = end + 1;
  }
  BuildRecord& record = parser.Record();
  if (record.OverviewName != overviewName || record.FolderDevice != folderDevice || record.FolderInode != folderInode) {
    reading.Trust = RecordTrust::Foreign;
    return reading;
  }
  reading.Trust = RecordTrust::Trusted;
  reading.Record = std::move(record);
  return reading;
}

std::string RecordPath(const std::string& folder, const std::string& overviewName) {
  return folder + "." + overviewName + kRecordSuffix;
}

std::string LockPath(const std::string& folder, const std::string& overviewName) {
  return folder + "." + overviewName + ".lvlock";
}

BuildRecord NewRecord(const std::string& folder, const std::string& overviewName) {
  BuildRecord record;
  record.OverviewName = overviewName;
  struct stat st {};
  if (::stat(platform::ToFileSystem(folder).c_str(), &st) == 0) {
    record.FolderDevice = static_cast<uint64_t>(st.st_dev);
    record.FolderInode = static_cast<uint64_t>(st.st_ino);
  }
  return record;
}

RecordReading ReadRecord(const std::string& folder, const std::string& overviewName) {
  const std::string path = RecordPath(folder, overviewName);
  struct stat entry {
  }, target{};
  if (::lstat(platform::ToFileSystem(path).c_str(), &entry) != 0) return {};
  std::string text;
  // A link or anything else but a regular file was not written by a run.
  if (!S_ISREG(entry.st_mode) || ::stat(platform::ToFileSystem(folder).c_str(), &target) != 0 ||
      !platform::ReadWholeFile(path, text))
    return {RecordTrust::Damaged, {}};
  return ParseRecord(text, overviewName, static_cast<uint64_t>(target.st_dev), static_cast<uint64_t>(target.st_ino));
}

std::string DistrustText(RecordTrust trust) {
  switch (trust) {
    case RecordTrust::Damaged:
      return "Die Aufzeichnung des fr\xFCheren Laufs in diesem Ordner ist besch\xE4"
             "digt";
    case RecordTrust::Foreign:
      return "Die Aufzeichnung in diesem Ordner geh\xF6rt zu einem anderen Album oder Ordner";
    case RecordTrust::Newer:
      return "Die Aufzeichnung in diesem Ordner stammt von einer neueren Version von Web Lumivista";
    case RecordTrust::Absent:
    case RecordTrust::Trusted:
      break;
  }
  return {};
}

}  // namespace generator
