#include "app/logic/FilterList.h"

namespace app {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

std::vector<FilterEntry> ParseFilterText(std::string_view text) {
  std::vector<FilterEntry> entries;
  if (text.empty()) return entries;
  const std::vector<std::string> parts = Split(text, '|');
  for (size_t i = 0; i < parts.size(); i += 2)
    entries.push_back({parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string()});
  return entries;
}

std::string MaskOfEntry(const std::vector<FilterEntry>& entries, int index) {
  if (entries.empty()) return "*.*";
  if (index < 0 || index >= static_cast<int>(entries.size())) index = static_cast<int>(entries.size()) - 1;
  return entries[static_cast<size_t>(index)].Mask;
}

std::vector<std::string> MaskPatterns(std::string_view mask) {
  std::vector<std::string> patterns;
  for (const std::string& part : Split(mask, ';')) {
    std::string pattern = Trimmed(part);
    if (pattern == "*.*") pattern = "*";
    if (!pattern.empty()) patterns.push_back(pattern);
  }
  return patterns;
}

}  // namespace app
