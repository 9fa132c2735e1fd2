#pragma once
// The album's lines as one list model, which the album list, the sort list
// and the comment list show: line i is picture i, shown by its file name,
// with its mark as check state. Ticking a mark edits the album.
#include <QAbstractListModel>
#include <QIdentityProxyModel>

namespace app {

class AlbumDocument;

class AlbumListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit AlbumListModel(AlbumDocument& document, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  AlbumDocument& document_;
};

// The same lines without their marks, for the lists that do not show them.
class UnmarkedLines : public QIdentityProxyModel {
  Q_OBJECT

 public:
  explicit UnmarkedLines(QAbstractItemModel* lines, QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
};

}  // namespace app
