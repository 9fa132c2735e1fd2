#pragma once
// Records every message of a run as one line: "[caption] text", with
// "[title]" for the general error display and "[]" for a box without caption.
#include <string>
#include <vector>

#include "platform/Messages.h"

class RecordingMessages : public platform::Messages {
 public:
  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon) override {
    Lines.push_back("[" + caption + "] " + text);
  }
  bool Confirm(const std::string& text, const std::string& caption) override {
    Lines.push_back("[" + caption + "?] " + text);
    return true;
  }
  void ShowError(const std::string& text) override { Lines.push_back("[title] " + text); }

  std::vector<std::string> Lines;
};
