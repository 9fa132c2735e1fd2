#include "cli/StderrMessages.h"

#include <iostream>

#include "platform/Cp1252.h"

namespace cli {

void StderrMessages::MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon) {
  if (!caption.empty()) std::cerr << platform::AnsiToUtf8(caption) << ": ";
  std::cerr << platform::AnsiToUtf8(text) << '\n';
}

void StderrMessages::MessageBoxWithDetail(const std::string& text, const std::string& detail,
                                          const std::string& caption, platform::MessageIcon icon) {
  MessageBox(text, caption, icon);
  if (!detail.empty()) std::cerr << platform::AnsiToUtf8(detail) << '\n';
}

bool StderrMessages::Confirm(const std::string&, const std::string&) { return true; }

void StderrMessages::ShowError(const std::string& text) { MessageBox(text, platform::ApplicationTitle, {}); }

}  // namespace cli
