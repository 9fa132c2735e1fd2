#pragma once
// Placeholder expansion for every generated page.
#include <string>
#include <string_view>
#include <vector>

namespace generator {

// Key list and value list of equal length; key i belongs to value i.
struct PlaceholderTable {
  std::vector<std::string> Keys;
  std::vector<std::string> Values;

  void Add(std::string key, std::string value) {
    Keys.push_back(std::move(key));
    Values.push_back(std::move(value));
  }
};

// Replaces every occurrence of each key, keys taken in list order. A value
// is searched for the keys after its own, never for earlier ones. When a
// value contains its own key, the search for that key goes on behind the
// inserted value, so expansion always ends. Linear in the text per key.
std::string ReplacePlaceholders(std::string_view text, const std::vector<std::string>& keys,
                                const std::vector<std::string>& values);

inline std::string ReplacePlaceholders(std::string_view text, const PlaceholderTable& table) {
  return ReplacePlaceholders(text, table.Keys, table.Values);
}

}  // namespace generator
