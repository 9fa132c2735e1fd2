#pragma once
// Test doubles and fixtures for the desktop program's tests: file dialogs
// answered from a script, the main window over a fresh program folder, and
// small picture files.
#include <gtest/gtest.h>

#include <QWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Messages.h"
#include "platform/qt/FileDialogs.h"
#include "support/RecordingMessages.h"
#include "support/TempFolder.h"

class QListWidget;
class TMainForm;

namespace apptest {

using ::MessageCall;
using ::RecordingMessages;
using ::TempFolder;

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

// The control named `name` in `window`, as a UI test reaches it. A missing
// control fails the test with its name.
template <class T>
T* Control(const QWidget& window, const char* name) {
  T* control = window.findChild<T*>(name);
  if (!control) throw std::logic_error(std::string("no control named ") + name);
  return control;
}

// A 24-bit JPEG picture of `width` x `height` in one colour.
void WritePicture(const std::string& ansiPath, int width, int height);

// Drags the files at `paths` onto `target` and drops them there, as a file
// manager would; says whether the drag was taken.
bool DropFiles(QWidget* target, const std::vector<std::string>& paths);

// A template set of ten small fragments under `folder`/template/`name`.
void WriteTemplateSet(const TempFolder& folder, const std::string& name);

// Runs the selected tests in one application object, with the user's
// settings in a folder of this test process, never the user's own nor those
// of tests running beside it.
int RunWindowTests(int& argc, char** argv);

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
