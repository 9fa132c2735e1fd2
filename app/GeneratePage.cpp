#include "app/GeneratePage.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/MainLayoutHelpers.h"
#include "app/PictureButton.h"
#include "app/SettingsTabs.h"
#include "platform/qt/QtText.h"

namespace app {

GeneratePage::GeneratePage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet4");
  auto* body = new QWidget;
  // The generate button comes first in the tab order.
  QLayout* side = BuildSide(body);
  TemplateBox = new QComboBox(body);
  TemplateBox->setObjectName("TemplateBox");
  TemplateBox->setEditable(false);
  auto* templateRow = new QHBoxLayout;
  templateRow->addWidget(Buddy("Design-Vorlage:", TemplateBox));
  templateRow->addWidget(TemplateBox, 1);
  PageControl1 = new SettingsTabs(body);
  auto* main = new QVBoxLayout;
  main->addLayout(templateRow);
  main->addWidget(PageControl1, 1);
  auto* layout = new QHBoxLayout(body);
  layout->addLayout(side);
  layout->addLayout(main, 1);
  PutBelowHeader("Lumivista erstellen - Alle Bilder kopieren und eine HTML Datei erstellen ", body, this);

  connect(PageControl1, &SettingsTabs::SettingsEdited, this, &GeneratePage::SettingsEdited);
  connect(PageControl1, &SettingsTabs::PublishClicked, this, &GeneratePage::PublishClicked);
  connect(PageControl1, &SettingsTabs::CharacterRefused, this, &GeneratePage::CharacterRefused);
}

QLayout* GeneratePage::BuildSide(QWidget* body) {
  GoBtn = MakePictureButton("Los!", QColor(0, 128, 0), QSize(120, 48), "HTML-Dateien erstellen!", "GoBtn1",
                            "GoBtn1Down", body);
  GoBtn->setObjectName("GoBtn");
  GoBtn1 = GoBtn->RaisedImage();
  GoBtn1Down = GoBtn->PressedImage();
  auto* side = new QVBoxLayout;
  side->addWidget(Decoration("Lumivista\nerstellen...", body));
  side->addSpacing(16);
  side->addWidget(GoBtn, 0, Qt::AlignHCenter);
  side->addStretch();
  return side;
}

void GeneratePage::ShowTemplateSets(const QStringList& names) {
  TemplateBox->clear();
  TemplateBox->addItems(names);
  TemplateBox->setCurrentIndex(TemplateBox->count() > 0 ? 0 : -1);
}

std::string GeneratePage::TemplateName() const { return platform::FromQString(TemplateBox->currentText()); }

bool GeneratePage::ChooseTemplateSet(const QString& name) {
  const int index = TemplateBox->findText(name);
  if (index < 0) return false;
  TemplateBox->setCurrentIndex(index);
  return true;
}

void GeneratePage::ShowSettings(const album::AlbumSettings& settings) { PageControl1->ShowSettings(settings); }

void GeneratePage::UseGenerateAction(QAction* action) {
  GoBtn->SetAction([action] { action->trigger(); });
  GoBtn->setEnabled(action->isEnabled());
  connect(action, &QAction::enabledChanged, GoBtn, &QWidget::setEnabled);
  GoBtn->setToolTip(WithKey(GoBtn->toolTip(), action->shortcut()));
  for (QLabel* image : {GoBtn1, GoBtn1Down}) image->setToolTip(GoBtn->toolTip());
}

void GeneratePage::ReleaseGenerateButton() { GoBtn->MouseUp(); }

void GeneratePage::SetRunning(bool running) {
  TemplateBox->setEnabled(!running);
  PageControl1->setEnabled(!running);
}

}  // namespace app
