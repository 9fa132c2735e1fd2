#pragma once
// Records what the core would show in message boxes.
#include <string>
#include <vector>

#include "platform/Messages.h"

struct RecordedMessage {
  std::string Text;
  std::string Caption;
  platform::MessageIcon Icon;
};

class RecordingMessages : public platform::Messages {
 public:
  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon icon) override {
    Boxes.push_back({text, caption, icon});
  }
  bool Confirm(const std::string& text, const std::string& caption) override {
    Boxes.push_back({text, caption, platform::MessageIcon::Information});
    return true;
  }
  void ShowError(const std::string& text) override { Boxes.push_back({text, "", platform::MessageIcon::Error}); }

  std::vector<RecordedMessage> Boxes;
};
