#pragma once
// Test doubles and fixtures for the desktop program's tests: message boxes
// and file dialogs answered from a script, a fresh program folder per test
// and small picture files.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Messages.h"
#include "platform/qt/FileDialogs.h"

class QListWidget;
class TMainForm;

namespace apptest {

struct MessageCall {
  std::string Kind;  // "box", "confirm" or "error"
  std::string Text;
  std::string Caption;
  platform::MessageIcon Icon = platform::MessageIcon::None;
};

class RecordingMessages : public platform::Messages {
 public:
  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon icon) override {
    Calls.push_back({"box", text, caption, icon});
    if (WhileShown) WhileShown(MessageCall(Calls.back()));
  }
  bool MessageBoxOrQuiet(const std::string& text, const std::string& caption, platform::MessageIcon icon,
                         const std::string& optOut) override {
    Calls.push_back({"quiet?", text, caption, icon});
    OptOuts.push_back(optOut);
    if (WhileShown) WhileShown(MessageCall(Calls.back()));
    if (QuietAnswers.empty()) return false;
    const bool answer = QuietAnswers.front();
    QuietAnswers.pop_front();
    return answer;
  }
  bool Confirm(const std::string& text, const std::string& caption) override {
    Calls.push_back({"confirm", text, caption, platform::MessageIcon::Information});
    if (Answers.empty()) return true;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void ShowError(const std::string& text) override {
    Calls.push_back({"error", text, platform::ApplicationTitle, platform::MessageIcon::Error});
  }

  std::vector<MessageCall> Calls;
  std::deque<bool> Answers;       // answers to Confirm; OK when none is left
  std::deque<bool> QuietAnswers;  // "show no more" choices; not chosen when none is left
  std::vector<std::string> OptOuts;
  std::function<void(const MessageCall&)> WhileShown;  // runs while a box is up
};

class ScriptedDialogs : public platform::FileDialogs {
 public:
  std::optional<std::string> OpenFileName(const platform::FileDialogOptions& options) override {
    return Answer(options);
  }
  std::optional<std::string> SaveFileName(const platform::FileDialogOptions& options) override {
    Saves.push_back(options);
    if (WhileSaveDialogIsOpen) WhileSaveDialogIsOpen();
    return Answer(options);
  }

  std::deque<std::optional<std::string>> Paths;  // answers; Cancel when none is left
  std::vector<platform::FileDialogOptions> Shown;
  std::vector<platform::FileDialogOptions> Saves;
  std::function<void()> WhileSaveDialogIsOpen;

 private:
  std::optional<std::string> Answer(const platform::FileDialogOptions& options) {
    Shown.push_back(options);
    if (Paths.empty()) return std::nullopt;
    std::optional<std::string> path = Paths.front();
    Paths.pop_front();
    return path;
  }
};

// A fresh folder that serves as the program folder, removed afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // 8-bit path of `relative` inside the folder.
  std::string Path(const std::string& relative = "") const;
  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  void MakeFolder(const std::string& relative) const;

 private:
  std::filesystem::path root_;
};

// A 24-bit JPEG picture of `width` x `height` in one colour.
void WritePicture(const std::string& ansiPath, int width, int height);

// A template set of ten small fragments under `folder`/template/`name`.
void WriteTemplateSet(const TempFolder& folder, const std::string& name);

// The main window over a fresh program folder, with scripted answers.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the window; tests prepare the program folder first.
  TMainForm& Form();
  // Shows `folder` in the file list and waits until it lists `count` rows.
  void ShowFolder(const std::string& folder, int count);
  // Selects the file list's entries with these names.
  void SelectInList(const std::vector<std::string>& names);
  // The lines of a list widget.
  static std::vector<std::string> Lines(const QListWidget* list);

  TempFolder folder_;
  RecordingMessages messages_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace apptest
