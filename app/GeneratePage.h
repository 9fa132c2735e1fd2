#pragma once
// Page "Lumivista erstellen": the generate button, the template sets and
// the album's settings.
#include <QStringList>
#include <QWidget>
#include <string>

#include "album/AlbumSettings.h"

class QComboBox;
class QAction;
class QLabel;

namespace app {

class PictureButton;
class SettingsTabs;

class GeneratePage : public QWidget {
  Q_OBJECT

 public:
  explicit GeneratePage(QWidget* parent = nullptr);

  // Offers the template sets by name, the first one chosen.
  void ShowTemplateSets(const QStringList& names);
  std::string TemplateName() const;
  // Chooses the set named `name`; false (and the choice unchanged) when it
  // is not offered.
  bool ChooseTemplateSet(const QString& name);
  // Shows the album's settings; edits come back through SettingsEdited.
  void ShowSettings(const album::AlbumSettings& settings);
  // "Los!" triggers `action` and is on when it is.
  void UseGenerateAction(QAction* action);
  // Shows the generate button raised again after its click.
  void ReleaseGenerateButton();
  // During a run the template and settings stay as the run took them.
  void SetRunning(bool running);

 signals:
  void SettingsEdited(const album::AlbumSettings& settings);
  void PublishClicked();
  void CharacterRefused();

 private:
  QLayout* BuildSide(QWidget* body);

  PictureButton* GoBtn;
  QLabel* GoBtn1;
  QLabel* GoBtn1Down;
  QComboBox* TemplateBox;
  SettingsTabs* PageControl1;
};

}  // namespace app
