#include "app/FileListModel.h"

#include <QApplication>
#include <QDateTime>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {
namespace {

constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

QLocale German() { return QLocale(QLocale::German, QLocale::Germany); }

}  // namespace

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::DisplayRole && index.column() == kSizeColumn && !isDir(index))
    return German().formattedDataSize(size(index), 1, QLocale::DataSizeTraditionalFormat);
  if (role == Qt::DisplayRole && index.column() == kDateColumn)
    return German().toString(lastModified(index), QStringLiteral("dd.MM.yyyy HH:mm"));
  return QFileSystemModel::data(index, role);
}

void UseGermanLanguage() {
  QLocale::setDefault(German());
  // Qt's own dialogs (files, colours, printing) in German, as the program is.
  auto* translator = new QTranslator(qApp);
  if (translator->load(German(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}

}  // namespace app
