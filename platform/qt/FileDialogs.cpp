#include "platform/qt/FileDialogs.h"

#include <QFileDialog>

#include "platform/Paths.h"
#include "platform/qt/QtText.h"

namespace platform {

QStringList ToQtNameFilters(const std::string& filter) {
  const QStringList parts = ToQString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList masks;
    for (const QString& mask : parts[i + 1].split(';', Qt::SkipEmptyParts)) masks << mask.trimmed();
    filters << parts[i] + " (" + masks.join(' ') + ")";
  }
  return filters;
}

std::optional<std::string> QtFileDialogs::OpenFileName(const FileDialogOptions& options) { return Run(options, false); }

std::optional<std::string> QtFileDialogs::SaveFileName(const FileDialogOptions& options) { return Run(options, true); }

std::optional<std::string> QtFileDialogs::ExistingFolder(const FileDialogOptions& options) {
  QFileDialog dialog(parent_);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  dialog.setDirectory(QString::fromStdString(ToFileSystem(options.InitialFolder)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromFileSystem(dialog.selectedFiles().first().toStdString());
}

std::optional<std::string> QtFileDialogs::Run(const FileDialogOptions& options, bool save) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDirectory(QString::fromStdString(ToFileSystem(options.InitialFolder)));
  dialog.setNameFilters(ToQtNameFilters(options.Filter));
  dialog.setDefaultSuffix(ToQString(options.DefaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.OverwritePrompt);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromFileSystem(dialog.selectedFiles().first().toStdString());
}

}  // namespace platform
