#pragma once
// The album's settings on page "Lumivista erstellen": "Allgemein", "Detail
// Seite" and "Informationen zum Hochladen". They show the settings they are
// given and report every edit with all settings. Typed text the album
// cannot hold is refused.
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

  // Changes only the controls that show something else, so the one being
  // typed into keeps its cursor.
  void ShowSettings(const album::AlbumSettings& settings);

 signals:
  // A control was changed; `settings` holds what all of them show.
  void SettingsEdited(const album::AlbumSettings& settings);
  void PublishClicked();
  void CharacterRefused();

 private:
  album::AlbumSettings CurrentSettings() const;
  void ReportEdits();
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
  bool showing_ = false;
};

}  // namespace app
