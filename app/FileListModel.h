#pragma once
// The file list's model: the file system, with sizes and dates written the
// German way ("1,5 MB", "09.12.2026 14:05") whatever the system's language.
// The type column takes the program's locale (see UseGermanLanguage).
#include <QFileSystemModel>

namespace app {

class FileListModel : public QFileSystemModel {
  Q_OBJECT

 public:
  using QFileSystemModel::QFileSystemModel;

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// German for Qt's own texts and the program's locale: Qt's translations,
// and the German names of file types.
void UseGermanLanguage();

}  // namespace app
