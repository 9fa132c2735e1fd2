#pragma once
// Records what the program would show in message boxes, and answers its
// questions from a script.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Messages.h"

struct MessageCall {
  std::string Kind;  // "box", "quiet?" (a box offering to show no more), "confirm" or "error"
  std::string Text;
  std::string Caption;
  platform::MessageIcon Icon = platform::MessageIcon::None;
  std::string Detail;  // the detail text beside the message, if any
};

class RecordingMessages : public platform::Messages {
 public:
  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon icon) override {
    MessageBoxWithDetail(text, "", caption, icon);
  }
  void MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                            platform::MessageIcon icon) override {
    Calls.push_back({"box", text, caption, icon, detail});
    if (WhileShown) WhileShown(MessageCall(Calls.back()));
  }
  bool MessageBoxOrQuiet(const std::string& text, const std::string& detail, const std::string& caption,
                         platform::MessageIcon icon, const std::string& optOut) override {
    Calls.push_back({"quiet?", text, caption, icon, detail});
    OptOuts.push_back(optOut);
    if (WhileShown) WhileShown(MessageCall(Calls.back()));
    if (QuietAnswers.empty()) return false;
    const bool answer = QuietAnswers.front();
    QuietAnswers.pop_front();
    return answer;
  }
  bool Confirm(const std::string& text, const std::string& caption) override {
    Calls.push_back({"confirm", text, caption, platform::MessageIcon::Information, ""});
    if (Answers.empty()) return true;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void ShowError(const std::string& text) override {
    Calls.push_back({"error", text, platform::ApplicationTitle, platform::MessageIcon::Error, ""});
  }

  // Every call as one line: "[caption] text", "[caption?] text" for a
  // question and "[title] text" for the general error display.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const MessageCall& call : Calls) {
      if (call.Kind == "error")
        lines.push_back("[title] " + call.Text);
      else
        lines.push_back("[" + call.Caption + (call.Kind == "confirm" ? "?] " : "] ") + call.Text);
    }
    return lines;
  }

  std::vector<MessageCall> Calls;
  std::deque<bool> Answers;       // answers to Confirm; yes when none is left
  std::deque<bool> QuietAnswers;  // "show no more" choices; not chosen when none is left
  std::vector<std::string> OptOuts;
  std::function<void(const MessageCall&)> WhileShown;  // runs while a box is up
};
