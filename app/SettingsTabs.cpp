#include "app/SettingsTabs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/AnsiText.h"
#include "app/ColorBox.h"
#include "app/MainLayoutHelpers.h"
#include "platform/qt/QtText.h"

namespace app {
namespace {

QLineEdit* LineEdit(const std::string& text, const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(platform::ToQString(text), parent);
  edit->setObjectName(name);
  return edit;
}

QSpinBox* NamedSpinEdit(const char* name, const album::SpinRange& range, int value, QWidget* parent) {
  QSpinBox* spin = SpinEdit(range.Minimum, range.Maximum, value, parent);
  spin->setObjectName(name);
  return spin;
}

TColorBox* ColorBox(const char* name, uint32_t colour, QWidget* parent) {
  auto* box = new TColorBox(parent);
  box->setObjectName(name);
  box->SetColorValue(colour);
  return box;
}

}  // namespace

SettingsTabs::SettingsTabs(QWidget* parent) : QTabWidget(parent) {
  setObjectName("PageControl1");
  addTab(BuildGeneralSettings(), "Allgemein");
  addTab(BuildDetailSettings(), "Detail Seite");
  addTab(BuildUploadPage(), "Informationen zum Hochladen");
  GuardTypedText();
  ReportEdits();
}

QWidget* SettingsTabs::BuildGeneralSettings() {
  const album::AlbumSettings defaults;
  auto* page = new QWidget;
  BKColorBox = ColorBox("BKColorBox", defaults.BackgroundColour, page);
  BKColorBox2 = ColorBox("BKColorBox2", defaults.BackgroundColour2, page);
  auto* colours = new QFormLayout;
  colours->addRow(Buddy("Hintergrundfarbe:", BKColorBox), BKColorBox);
  colours->addRow(Buddy("Hintergrundfarbe 2:", BKColorBox2), BKColorBox2);

  auto* thumbs = new QGroupBox("Vorschaubilder", page);
  BreitEd = NamedSpinEdit("BreitEd", album::kThumbSideRange, defaults.ThumbWidth, thumbs);
  HochEd = NamedSpinEdit("HochEd", album::kThumbSideRange, defaults.ThumbHeight, thumbs);
  auto* thumbsLayout = new QFormLayout(thumbs);
  thumbsLayout->addRow(Buddy("Breite:", BreitEd), BreitEd);
  thumbsLayout->addRow(Buddy("Höhe:", HochEd), HochEd);

  auto* overview = new QGroupBox("Übersicht", page);
  CaptionED = LineEdit(defaults.Caption, "CaptionED", overview);
  FreeText = LineEdit(defaults.FreeText, "FreeText", overview);
  AnzEd = NamedSpinEdit("AnzEd", album::kPicturesPerRowRange, defaults.PicturesPerRow, overview);
  BorderEd = NamedSpinEdit("BorderEd", album::kBorderRange, defaults.Border, overview);
  auto* overviewLayout = new QFormLayout(overview);
  overviewLayout->addRow(Buddy("Überschrift:", CaptionED), CaptionED);
  overviewLayout->addRow(Buddy("Freier Text:", FreeText), FreeText);
  overviewLayout->addRow(Buddy("Anzahl pro Zeilte:", AnzEd), AnzEd);
  overviewLayout->addRow(Buddy("Rahmenbreite:", BorderEd), BorderEd);

  backlink = new QCheckBox("Link zur Vendrix Homepage einfügen - vielen Dank!", page);
  backlink->setObjectName("backlink");
  backlink->setChecked(defaults.Backlink);

  auto* groups = new QHBoxLayout;
  groups->addWidget(thumbs);
  groups->addWidget(overview, 2);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(colours);
  layout->addLayout(groups);
  layout->addWidget(backlink);
  layout->addStretch();
  return page;
}

QWidget* SettingsTabs::BuildDetailSettings() {
  const album::AlbumSettings defaults;
  auto* page = new QWidget;
  auto* group = new QGroupBox("Detail Ansicht", page);
  Caption2ED = LineEdit(defaults.DetailCaption, "Caption2ED", group);
  Border2ED = NamedSpinEdit("Border2ED", album::kBorderRange, defaults.DetailBorder, group);
  auto* form = new QFormLayout(group);
  form->addRow(Buddy("Überschrift:", Caption2ED), Caption2ED);
  form->addRow(Buddy("Rahmenbreite:", Border2ED), Border2ED);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

QWidget* SettingsTabs::BuildUploadPage() {
  UploadInfo = new QLabel(
      "Das Programm erstellt alle nötigen Dateien, zum Hochladen ins Internet. Dies ist die HTML-Datei und die "
      "Order pics, mini und html.\n\nDiese Order und die HTML-Dateien müssen Sie mit einem FTP-Programm auf Ihre "
      "Website laden.\n\nSie können die ausgegebenen HTML-Dateien auch in einem Webeditor importieren und weiter "
      "bearbeiten.");
  UploadInfo->setObjectName("UploadInfo");
  UploadInfo->setWordWrap(true);
  UploadInfo->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  UploadInfo->setMargin(8);
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(UploadInfo);
  auto* publishBtn = new QPushButton("Hochladen...", page);
  publishBtn->setObjectName("PublishBtn");
  connect(publishBtn, &QPushButton::clicked, this, &SettingsTabs::PublishClicked);
  layout->addWidget(publishBtn, 0, Qt::AlignLeft);
  layout->addStretch();
  return page;
}

// Typed text is refused where Windows-1252 cannot hold it, as the album
// stores it.
void SettingsTabs::GuardTypedText() {
  for (QLineEdit* edit : {CaptionED, FreeText, Caption2ED}) {
    edit->setValidator(new AnsiValidator(edit));
    connect(edit, &QLineEdit::inputRejected, this, &SettingsTabs::CharacterRefused);
  }
}

album::AlbumSettings SettingsTabs::CurrentSettings() const {
  album::AlbumSettings settings;
  settings.Caption = platform::FromQString(CaptionED->text());
  settings.FreeText = platform::FromQString(FreeText->text());
  settings.PicturesPerRow = AnzEd->value();
  settings.Border = BorderEd->value();
  settings.ThumbWidth = BreitEd->value();
  settings.ThumbHeight = HochEd->value();
  settings.BackgroundColour = BKColorBox->ColorValue();
  settings.BackgroundColour2 = BKColorBox2->ColorValue();
  settings.Backlink = backlink->isChecked();
  settings.DetailCaption = platform::FromQString(Caption2ED->text());
  settings.DetailBorder = Border2ED->value();
  return settings;
}

void SettingsTabs::ReportEdits() {
  const auto report = [this] {
    if (!showing_) emit SettingsEdited(CurrentSettings());
  };
  for (TColorBox* box : {BKColorBox, BKColorBox2}) connect(box, &TColorBox::ColourChanged, this, report);
  for (QSpinBox* spin : {BreitEd, HochEd, AnzEd, BorderEd, Border2ED})
    connect(spin, &QSpinBox::valueChanged, this, report);
  for (QLineEdit* edit : {CaptionED, FreeText, Caption2ED}) connect(edit, &QLineEdit::textChanged, this, report);
  connect(backlink, &QCheckBox::toggled, this, report);
}

void SettingsTabs::ShowSettings(const album::AlbumSettings& settings) {
  showing_ = true;
  const auto show = [](QLineEdit* edit, const std::string& text) {
    if (platform::FromQString(edit->text()) != text) edit->setText(platform::ToQString(text));
  };
  if (BKColorBox->ColorValue() != settings.BackgroundColour) BKColorBox->SetColorValue(settings.BackgroundColour);
  if (BKColorBox2->ColorValue() != settings.BackgroundColour2) BKColorBox2->SetColorValue(settings.BackgroundColour2);
  BreitEd->setValue(settings.ThumbWidth);
  HochEd->setValue(settings.ThumbHeight);
  AnzEd->setValue(settings.PicturesPerRow);
  BorderEd->setValue(settings.Border);
  Border2ED->setValue(settings.DetailBorder);
  show(CaptionED, settings.Caption);
  show(FreeText, settings.FreeText);
  show(Caption2ED, settings.DetailCaption);
  backlink->setChecked(settings.Backlink);
  showing_ = false;
}

}  // namespace app
