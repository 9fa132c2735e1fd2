#include "app/logic/RunMessages.h"

namespace app {
namespace {

constexpr const char* kUnreadablePrefix =
    "Fehler: Folgende Datei konnte nicht ge\xF6"
    "ffnet werden: ";
constexpr const char* kNotCreatedPrefix = " Datei erstellen: Konnte die Datei ";
constexpr const char* kNotCreatedSuffix = " nicht erstellen!";

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The file name of "JPEG Datei erstellen: Konnte die Datei NAME nicht
// erstellen!", with its kind; nothing for any other message.
std::string NotCreatedName(const std::string& text) {
  const size_t at = text.find(kNotCreatedPrefix);
  if (at == std::string::npos || !EndsWith(text, kNotCreatedSuffix)) return {};
  const size_t nameStart = at + std::string(kNotCreatedPrefix).size();
  const size_t nameEnd = text.size() - std::string(kNotCreatedSuffix).size();
  if (nameEnd <= nameStart) return {};
  return text.substr(nameStart, nameEnd - nameStart) + " (" + text.substr(0, at) + ")";
}

}  // namespace

std::string ListedLines(const std::vector<std::string>& names, size_t listed) {
  std::string lines;
  for (size_t i = 0; i < names.size() && i < listed; ++i) lines += names[i] + "\n";
  if (names.size() > listed) lines += "... und " + std::to_string(names.size() - listed) + " weitere\n";
  return lines;
}

void RunMessages::MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon icon) {
  MessageBoxWithDetail(text, "", caption, icon);
}

void RunMessages::MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                                       platform::MessageIcon icon) {
  if (StartsWith(text, kUnreadablePrefix)) {
    if (quietUnreadable_) {
      unreadable_.push_back(text.substr(std::string(kUnreadablePrefix).size()));
      return;
    }
    if (++unreadableSeen_ == 1) {
      shown_.MessageBoxWithDetail(text, detail, caption, icon);
      return;
    }
    quietUnreadable_ = shown_.MessageBoxOrQuiet(text, detail, caption, icon,
                                                "Weitere nicht lesbare Bilder dieses Laufs erst am Ende auflisten");
    return;
  }
  const std::string name = NotCreatedName(text);
  if (name.empty() || icon != platform::MessageIcon::Error) {
    shown_.MessageBox(text, caption, icon);
    return;
  }
  notWritten_.push_back(name);
  notWrittenTexts_.push_back(text);
}

std::string RunMessages::SummaryText() const {
  std::string text;
  if (!notWritten_.empty())
    text += "Folgende Dateien konnten nicht erstellt werden:\n" + ListedLines(notWritten_, kListedNames);
  if (!unreadable_.empty()) {
    if (!text.empty()) text += "\n";
    text +=
        "Folgende Dateien konnten nicht ge\xF6"
        "ffnet werden:\n" +
        ListedLines(unreadable_, kListedNames);
  }
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

void RunMessages::ShowSummary() {
  if (notWritten_.size() == 1 && unreadable_.empty()) {
    shown_.Error(notWrittenTexts_.front());
  } else if (const std::string text = SummaryText(); !text.empty()) {
    shown_.Error(text);
  }
  notWritten_.clear();
  notWrittenTexts_.clear();
  unreadable_.clear();
}

}  // namespace app
