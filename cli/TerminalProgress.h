#pragma once
// The build command's progress line on standard error: picture n of N and
// the percentage of the file being read or written. Shown only on a
// terminal; messages clear the line before they are printed.
#include <string>

#include "generator/PictureExport.h"
#include "platform/Messages.h"
#include "platform/Progress.h"

namespace cli {

class TerminalProgress : public platform::ProgressReceiver, public generator::PictureObserver {
 public:
  explicit TerminalProgress(bool enabled) : enabled_(enabled) {}
  void PictureStarted(int32_t number, int32_t count) override;
  void Progress(int percent) override;
  // Removes the progress line so the next output starts on a clean line.
  void Clear();

 private:
  void Draw();

  bool enabled_;
  bool shown_ = false;
  int32_t number_ = 0;
  int32_t count_ = 0;
  int percent_ = 0;
};

// Forwards every message after clearing the progress line.
class MessagesBesideProgress : public platform::Messages {
 public:
  MessagesBesideProgress(platform::Messages& inner, TerminalProgress& progress) : inner_(inner), progress_(progress) {}
  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon icon) override {
    progress_.Clear();
    inner_.MessageBox(text, caption, icon);
  }
  void MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                            platform::MessageIcon icon) override {
    progress_.Clear();
    inner_.MessageBoxWithDetail(text, detail, caption, icon);
  }
  bool Confirm(const std::string& text, const std::string& caption) override {
    progress_.Clear();
    return inner_.Confirm(text, caption);
  }
  void ShowError(const std::string& text) override {
    progress_.Clear();
    inner_.ShowError(text);
  }

 private:
  platform::Messages& inner_;
  TerminalProgress& progress_;
};

}  // namespace cli
