#pragma once
// The messages of one generation run, between the generator and the boxes
// the user sees. Files that could not be written are collected and listed
// in one box at the end instead of one box each. The box for an unreadable
// picture is shown; from the second one on it offers to show no more of them
// in this run, and those then join the closing summary.
#include <string>
#include <vector>

#include "platform/Messages.h"

namespace app {

class RunMessages : public platform::Messages {
 public:
  // At most this many names are listed per kind; the rest are counted.
  static constexpr size_t kListedNames = 20;

  explicit RunMessages(platform::Messages& shown) : shown_(shown) {}

  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon icon) override;
  void MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                            platform::MessageIcon icon) override;
  bool Confirm(const std::string& text, const std::string& caption) override { return shown_.Confirm(text, caption); }
  void ShowError(const std::string& text) override { shown_.ShowError(text); }

  // The closing summary: one box for everything collected, nothing when
  // nothing was. A single unwritten file keeps its own message.
  void ShowSummary();

  // Texts of the closing summary (Windows-1252), empty when nothing was collected.
  std::string SummaryText() const;

 private:
  platform::Messages& shown_;
  std::vector<std::string> notWritten_;       // file names
  std::vector<std::string> notWrittenTexts_;  // the generator's own messages
  std::vector<std::string> unreadable_;       // pictures not shown after the user chose so
  int unreadableSeen_ = 0;
  bool quietUnreadable_ = false;
};

// "a, b, c" as lines, at most `listed` of them, then "... und k weitere".
std::string ListedLines(const std::vector<std::string>& names, size_t listed);

}  // namespace app
