#pragma once
// The album's settings on page "Lumivista erstellen": "Allgemein", "Detail
// Seite" and "Informationen zum Hochladen". Typed text the album cannot hold
// is refused.
#include <QTabWidget>

#include "album/AlbumSettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace app {

class TColorBox;

class SettingsTabs : public QTabWidget {
  Q_OBJECT

 public:
  explicit SettingsTabs(QWidget* parent = nullptr);

  album::AlbumSettings CurrentSettings() const;
  // The spin edits bring stored values outside their ranges to the nearest
  // bound; the backlink check is not part of the album file.
  void ApplyStoredSettings(const album::AlbumSettings& settings);

 signals:
  void PublishClicked();
  void CharacterRefused();

 private:
  QWidget* BuildGeneralSettings();
  QWidget* BuildDetailSettings();
  QWidget* BuildUploadPage();
  void GuardTypedText();

  TColorBox* BKColorBox;
  TColorBox* BKColorBox2;
  QSpinBox* BreitEd;
  QSpinBox* HochEd;
  QLineEdit* CaptionED;
  QLineEdit* FreeText;
  QSpinBox* AnzEd;
  QSpinBox* BorderEd;
  QCheckBox* backlink;
  QLineEdit* Caption2ED;
  QSpinBox* Border2ED;
  QLabel* UploadInfo;
};

}  // namespace app
