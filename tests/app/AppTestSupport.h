#pragma once
// Test doubles and fixtures for the desktop program's tests: file dialogs
// answered from a script, the main window over a fresh program folder, and
// small picture files.
#include <gtest/gtest.h>

#include <QWidget>
#include <cstdint>
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

class QAbstractItemView;
class QImage;

namespace app {
class FolderBrowser;
class ListBox;
class TMainForm;
}  // namespace app

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

// A 24-bit JPEG picture of `width` x `height` in one grey.
void WritePicture(const std::string& ansiPath, int width, int height, uint8_t grey = 0x80);

// Drags the files at `paths` onto `target` and drops them there, as a file
// manager would; says whether the drag was taken.
bool DropFiles(QWidget* target, const std::vector<std::string>& paths);

// A template set of ten small fragments under `folder`/template/`name`.
void WriteTemplateSet(const TempFolder& folder, const std::string& name);

// Runs the selected tests in one application object, with the user's
// settings in a folder of this test process, never the user's own nor those
// of tests running beside it.
int RunWindowTests(int& argc, char** argv);

// The lines a list shows, top to bottom.
std::vector<std::string> Lines(const QAbstractItemView* list);
// The marked lines of a list, top to bottom.
std::vector<int> SelectedLines(const QAbstractItemView* list);
// Marks exactly `lines`, as Ctrl+click does; the focus line stays.
void SelectLines(QAbstractItemView* list, const std::vector<int>& lines);
Qt::CheckState CheckState(const QAbstractItemView* list, int line);
// A double click on line `row` of a list or file list that is shown.
void DoubleClickLine(QAbstractItemView* list, int row);

// The main window over a fresh program folder, with scripted answers.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the window; tests prepare the program folder first.
  app::TMainForm& Form();
  // The folder tree, the file list and the favourites.
  app::FolderBrowser& Folders();
  // A list of the window by name.
  app::ListBox* List(const char* name);
  // Shows `folder` in the file list and waits until it lists `count` rows.
  void ShowFolder(const std::string& folder, int count);
  // Selects the file list's entries with these names.
  void SelectInList(const std::vector<std::string>& names);
  // Drops the files on the album list, which takes them.
  void DropOnAlbumList(const std::vector<std::string>& paths);
  // "Speichern unter..." into `path`; true when the album is saved there.
  bool SaveAlbumAs(const std::string& path);
  // Opens the album at `path` as the program does when started with it.
  void OpenAlbum(const std::string& path);
  // The preview pane as drawn at 181 x 75 pixels: the picture fitted at the
  // top left, 120 x 75 for the 8:5 of the white picture at start.
  QImage PreviewShown();

  TempFolder folder_;
  RecordingMessages messages_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<app::TMainForm> form_;
};

}  // namespace apptest
