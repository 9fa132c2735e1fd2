#include "app/AlbumListModel.h"

#include "album/AlbumList.h"
#include "app/AlbumDocument.h"
#include "platform/qt/QtText.h"

namespace app {

AlbumListModel::AlbumListModel(AlbumDocument& document, QObject* parent)
    : QAbstractListModel(parent), document_(document) {
  connect(&document_, &AlbumDocument::LinesAboutToBeReplaced, this, &AlbumListModel::beginResetModel);
  connect(&document_, &AlbumDocument::LinesReplaced, this, &AlbumListModel::endResetModel);
  connect(&document_, &AlbumDocument::LineAboutToMove, this, [this](int from, int to) {
    // Qt names the row the moved one goes before.
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
  });
  connect(&document_, &AlbumDocument::LineMoved, this, &AlbumListModel::endMoveRows);
  connect(&document_, &AlbumDocument::EntriesChanged, this,
          [this](int first, int last) { emit dataChanged(index(first), index(last)); });
}

int AlbumListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : album::PictureCount(document_.Pictures());
}

QVariant AlbumListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const album::AlbumPicture& picture = document_.Pictures()[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) return platform::ToQString(album::LineText(picture));
  if (role == Qt::CheckStateRole) return picture.Marked != 0 ? Qt::Checked : Qt::Unchecked;
  return {};
}

Qt::ItemFlags AlbumListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

bool AlbumListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole ||
      !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
    return false;
  const uint8_t marked = value.toInt() == Qt::Checked ? 1 : 0;
  document_.EditEntries([row = static_cast<size_t>(index.row()), marked](album::AlbumPictures& pictures) {
    pictures[row].Marked = marked;
  });
  return true;
}

UnmarkedLines::UnmarkedLines(QAbstractItemModel* lines, QObject* parent) : QIdentityProxyModel(parent) {
  setSourceModel(lines);
}

QVariant UnmarkedLines::data(const QModelIndex& index, int role) const {
  return role == Qt::CheckStateRole ? QVariant() : QIdentityProxyModel::data(index, role);
}

Qt::ItemFlags UnmarkedLines::flags(const QModelIndex& index) const {
  return QIdentityProxyModel::flags(index) & ~Qt::ItemIsUserCheckable;
}

}  // namespace app
