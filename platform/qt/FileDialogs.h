#pragma once
// File dialogs of the desktop program behind a small interface, so tests can
// answer them. Texts and paths are Windows-1252.
#include <QStringList>
#include <optional>
#include <string>

class QWidget;

namespace platform {

struct FileDialogOptions {
  std::string InitialFolder;
  // "description|mask|description|mask...", masks separated by ";".
  std::string Filter;
  // Appended (with a dot) to a typed name without extension.
  std::string DefaultExtension;
  // Ask before an existing file is replaced (save dialogs only).
  bool OverwritePrompt = false;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::string> OpenFileName(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> SaveFileName(const FileDialogOptions& options) = 0;
  // A folder, starting at options.InitialFolder. Without a way to ask,
  // nothing is chosen.
  virtual std::optional<std::string> ExistingFolder(const FileDialogOptions& /*options*/) { return std::nullopt; }
};

// "Bilder|*.jpg;*.png" becomes "Bilder (*.jpg *.png)", one Qt name filter per
// pair. A trailing description without mask is dropped.
QStringList ToQtNameFilters(const std::string& filter);

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  std::optional<std::string> OpenFileName(const FileDialogOptions& options) override;
  std::optional<std::string> SaveFileName(const FileDialogOptions& options) override;
  std::optional<std::string> ExistingFolder(const FileDialogOptions& options) override;

 private:
  std::optional<std::string> Run(const FileDialogOptions& options, bool save);
  QWidget* parent_;
};

}  // namespace platform
