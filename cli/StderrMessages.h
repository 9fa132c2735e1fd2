#pragma once
// The command line's message interface: errors go to standard error as
// UTF-8; questions are answered with OK, since a script cannot answer.
#include "platform/Messages.h"

namespace cli {

class StderrMessages : public platform::Messages {
 public:
  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon icon) override;
  // The detail goes on a line of its own after the message.
  void MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                            platform::MessageIcon icon) override;
  bool Confirm(const std::string& text, const std::string& caption) override;
  void ShowError(const std::string& text) override;
};

}  // namespace cli
