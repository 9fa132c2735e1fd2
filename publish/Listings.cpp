#include "publish/Listings.h"

#include <curl/curl.h>

#include <charconv>
#include <optional>

namespace publish {
namespace {

// The fields before the name: mode, links, owner, group, size and three of the date.
constexpr int kFieldsBeforeName = 8;

std::string_view TrimLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

// The name after the fixed fields, separated from them by one space.
std::optional<std::string_view> NameOfLongLine(std::string_view line) {
  size_t at = 0;
  for (int field = 0; field < kFieldsBeforeName; ++field) {
    while (at < line.size() && line[at] == ' ') ++at;
    if (at == line.size()) return std::nullopt;
    while (at < line.size() && line[at] != ' ') ++at;
  }
  if (at + 1 >= line.size()) return std::nullopt;
  return line.substr(at + 1);
}

EntryType TypeOfMode(char mode) {
  if (mode == '-') return EntryType::File;
  if (mode == 'd') return EntryType::Folder;
  return EntryType::Other;
}

std::string DecodeEntities(std::string_view text) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities)
      if (text.substr(i, entity.size()) == entity) {
        plain += c;
        i += entity.size() - 1;
        replaced = true;
        break;
      }
    if (!replaced) plain += text[i];
  }
  return plain;
}

std::string PercentDecoded(const std::string& text) {
  int length = 0;
  char* decoded = curl_easy_unescape(nullptr, text.c_str(), static_cast<int>(text.size()), &length);
  std::string plain = decoded ? std::string(decoded, static_cast<size_t>(length)) : std::string();
  curl_free(decoded);
  return plain;
}

// The path of an href, without "scheme://host" and trailing slashes.
std::string HrefPath(std::string_view href) {
  std::string path = PercentDecoded(DecodeEntities(href));
  const size_t scheme = path.find("://");
  if (scheme != std::string::npos) {
    const size_t slash = path.find('/', scheme + 3);
    path = slash == std::string::npos ? "/" : path.substr(slash);
  }
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The local name of the tag starting at `open` ("<D:href ..." gives "href"),
// with `closing` set for "</...".
std::string_view TagName(std::string_view xml, size_t open, bool& closing) {
  size_t start = open + 1;
  closing = start < xml.size() && xml[start] == '/';
  if (closing) ++start;
  size_t end = start;
  while (end < xml.size() && xml[end] != '>' && xml[end] != ' ' && xml[end] != '/' && xml[end] != '\t' &&
         xml[end] != '\r' && xml[end] != '\n')
    ++end;
  std::string_view name = xml.substr(start, end - start);
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

struct WebDavMember {
  std::string Href;
  bool Collection = false;
};

void AddMember(const WebDavMember& member, const std::string& folder, FolderListing& entries) {
  const std::string path = HrefPath(member.Href);
  if (!path.starts_with(folder + "/")) return;
  const std::string name = path.substr(folder.size() + 1);
  if (name.empty() || name.find('/') != std::string::npos) return;
  entries[name] = member.Collection ? EntryType::Folder : EntryType::File;
}

}  // namespace

FolderListing ParseLongListing(std::string_view text) {
  FolderListing entries;
  while (!text.empty()) {
    const size_t newline = text.find('\n');
    const std::string_view line = TrimLineEnd(text.substr(0, newline));
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    const std::optional<std::string_view> name = NameOfLongLine(line);
    if (!name || line.empty()) continue;
    const EntryType type = TypeOfMode(line.front());
    std::string_view plainName = *name;
    if (line.front() == 'l') plainName = plainName.substr(0, plainName.find(" -> "));
    if (plainName == "." || plainName == ".." || plainName.empty()) continue;
    entries[std::string(plainName)] = type;
  }
  return entries;
}

FolderListing ParseWebDavListing(std::string_view xml, const std::string& folderPath) {
  const std::string folder = HrefPath(folderPath) == "/" ? "" : HrefPath(folderPath);
  FolderListing entries;
  std::optional<WebDavMember> member;
  size_t hrefStart = std::string_view::npos;
  for (size_t open = xml.find('<'); open != std::string_view::npos; open = xml.find('<', open + 1)) {
    bool closing = false;
    const std::string_view name = TagName(xml, open, closing);
    const size_t close = xml.find('>', open);
    if (close == std::string_view::npos) break;
    if (name == "response") {
      if (closing && member) AddMember(*member, folder, entries);
      member = closing ? std::nullopt : std::optional<WebDavMember>(WebDavMember{});
    } else if (member && name == "href") {
      if (!closing)
        hrefStart = close + 1;
      else if (hrefStart != std::string_view::npos)
        member->Href = std::string(xml.substr(hrefStart, open - hrefStart));
    } else if (member && name == "collection" && !closing) {
      member->Collection = true;
    }
  }
  return entries;
}

std::optional<uint64_t> ParseContentLength(std::string_view xml) {
  for (size_t open = xml.find('<'); open != std::string_view::npos; open = xml.find('<', open + 1)) {
    bool closing = false;
    const size_t close = xml.find('>', open);
    if (close == std::string_view::npos) break;
    if (TagName(xml, open, closing) != "getcontentlength" || closing || xml[close - 1] == '/') continue;
    uint64_t length = 0;
    const char* end = xml.data() + xml.size();
    const auto [last, error] = std::from_chars(xml.data() + close + 1, end, length);
    if (error == std::errc() && last != end && *last == '<') return length;
  }
  return std::nullopt;
}

}  // namespace publish
