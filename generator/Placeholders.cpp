#include "generator/Placeholders.h"

#include <algorithm>
#include <cstring>

namespace generator {

namespace {

// Replaces one key with the leftmost-first rule: after a replacement the
// search starts again at the left, so text in front of the value that
// completes a key together with the value is found too. The output doubles
// as a stack holding the text already known to be free of the key, so
// "starting again" only needs to look at its last few bytes.
class KeyReplacer {
 public:
  KeyReplacer(std::string_view key, std::string_view value, size_t inputSize)
      : key_(key),
        value_(value),
        selfContaining_(value.find(key) != std::string_view::npos),
        replacementBudget_(2 * inputSize + 16) {
    out_.reserve(inputSize);
  }

  std::string Run(std::string_view text) {
    pending_.push_back(text);
    while (!pending_.empty()) {
      std::string_view& source = pending_.back();
      if (source.empty()) {
        pending_.pop_back();
        continue;
      }
      // Only the key's last byte can complete a key: copy up to it at once.
      const size_t stop = source.find(key_.back());
      if (stop == std::string_view::npos) {
        out_.append(source);
        pending_.pop_back();
        continue;
      }
      out_.append(source.substr(0, stop));
      const char c = source[stop];
      source.remove_prefix(stop + 1);
      Push(c);
    }
    return std::move(out_);
  }

 private:
  void Push(char c) {
    out_ += c;
    if (out_.size() < key_.size()) return;
    const size_t start = out_.size() - key_.size();
    if (start < barrier_ || std::memcmp(out_.data() + start, key_.data(), key_.size()) != 0) return;
    out_.resize(start);
    Insert();
  }

  // A value that contains its key, or a pathological value that keeps
  // rebuilding it with the text around it, is inserted without being
  // searched again: the search goes on behind it.
  void Insert() {
    if (selfContaining_ || replacementBudget_ == 0) {
      out_.append(value_);
      barrier_ = out_.size();
      return;
    }
    --replacementBudget_;
    pending_.push_back(value_);  // read next, before the rest of the text
  }

  std::string_view key_;
  std::string_view value_;
  bool selfContaining_;
  size_t replacementBudget_;
  size_t barrier_ = 0;
  std::string out_;
  std::vector<std::string_view> pending_;
};

}  // namespace

std::string ReplacePlaceholders(std::string_view text, const std::vector<std::string>& keys,
                                const std::vector<std::string>& values) {
  std::string result(text);
  const size_t count = std::min(keys.size(), values.size());
  for (size_t i = 0; i < count; ++i) {
    if (keys[i].empty() || result.find(keys[i]) == std::string::npos) continue;
    result = KeyReplacer(keys[i], values[i], result.size()).Run(result);
  }
  return result;
}

}  // namespace generator
