// Building the generation page, the result page and the bottom bar.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AboutBoxUnit.h"
#include "app/ColorBox.h"
#include "app/MainLayoutHelpers.h"
#include "app/MainUnit.h"
#include "app/PictureButton.h"
#include "app/PublishForm.h"
#include "app/ResultBrowser.h"
#include "platform/qt/QtText.h"

namespace app {

QSpinBox* SpinEdit(int minimum, int maximum, int value, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(minimum, maximum);
  spin->setValue(value);
  return spin;
}

namespace {

PictureButton* MakePictureButton(const QString& symbol, const QColor& colour, QSize size, const QString& hint,
                                 const QString& raisedName, const QString& pressedName, QWidget* parent) {
  return new PictureButton(PictureButtonFace(symbol, colour, size, false), PictureButtonFace(symbol, colour, size, true),
                           hint, raisedName, pressedName, parent);
}

QLabel* Buddy(const QString& text, QWidget* control) {
  auto* label = new QLabel(text, control->parentWidget());
  label->setBuddy(control);
  return label;
}

}  // namespace
}  // namespace app

using app::Buddy;
using app::SpinEdit;

QWidget* TMainForm::BuildGeneralSettings() {
  const album::AlbumSettings defaults;
  auto* page = new QWidget;
  BKColorBox = new app::TColorBox(page);
  BKColorBox->setObjectName("BKColorBox");
  BKColorBox->SetColorValue(defaults.BackgroundColour);
  BKColorBox2 = new app::TColorBox(page);
  BKColorBox2->setObjectName("BKColorBox2");
  BKColorBox2->SetColorValue(defaults.BackgroundColour2);
  auto* colours = new QFormLayout;
  colours->addRow(Buddy("Hintergrundfarbe:", BKColorBox), BKColorBox);
  colours->addRow(Buddy("Hintergrundfarbe 2:", BKColorBox2), BKColorBox2);

  auto* thumbs = new QGroupBox("Vorschaubilder", page);
  BreitEd = SpinEdit(album::kThumbSideRange.Minimum, album::kThumbSideRange.Maximum, defaults.ThumbWidth, thumbs);
  HochEd = SpinEdit(album::kThumbSideRange.Minimum, album::kThumbSideRange.Maximum, defaults.ThumbHeight, thumbs);
  auto* thumbsLayout = new QFormLayout(thumbs);
  thumbsLayout->addRow(Buddy("Breite:", BreitEd), BreitEd);
  thumbsLayout->addRow(Buddy("Höhe:", HochEd), HochEd);

  auto* overview = new QGroupBox("Übersicht", page);
  CaptionED = new QLineEdit(platform::ToQString(defaults.Caption), overview);
  FreeText = new QLineEdit(platform::ToQString(defaults.FreeText), overview);
  AnzEd = SpinEdit(album::kPicturesPerRowRange.Minimum, album::kPicturesPerRowRange.Maximum, defaults.PicturesPerRow,
                   overview);
  BorderEd = SpinEdit(album::kBorderRange.Minimum, album::kBorderRange.Maximum, defaults.Border, overview);
  auto* overviewLayout = new QFormLayout(overview);
  overviewLayout->addRow(Buddy("Überschrift:", CaptionED), CaptionED);
  overviewLayout->addRow(Buddy("Freier Text:", FreeText), FreeText);
  overviewLayout->addRow(Buddy("Anzahl pro Zeilte:", AnzEd), AnzEd);
  overviewLayout->addRow(Buddy("Rahmenbreite:", BorderEd), BorderEd);

  backlink = new QCheckBox("Link zur Vendrix Homepage einfügen - vielen Dank!", page);
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

QWidget* TMainForm::BuildDetailSettings() {
  const album::AlbumSettings defaults;
  auto* page = new QWidget;
  auto* group = new QGroupBox("Detail Ansicht", page);
  Caption2ED = new QLineEdit(platform::ToQString(defaults.DetailCaption), group);
  Border2ED = SpinEdit(album::kBorderRange.Minimum, album::kBorderRange.Maximum, defaults.DetailBorder, group);
  auto* form = new QFormLayout(group);
  form->addRow(Buddy("Überschrift:", Caption2ED), Caption2ED);
  form->addRow(Buddy("Rahmenbreite:", Border2ED), Border2ED);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

QWidget* TMainForm::BuildGeneratePage() {
  auto* body = new QWidget;
  GoBtn = app::MakePictureButton("Los!", QColor(0, 128, 0), QSize(120, 48), "HTML-Dateien erstellen!", "GoBtn1",
                                 "GoBtn1Down", body);
  GoBtn1 = GoBtn->RaisedImage();
  GoBtn1Down = GoBtn->PressedImage();
  auto* decoration = new QLabel("Lumivista\nerstellen...", body);
  QFont font = decoration->font();
  font.setPointSizeF(font.pointSizeF() * 1.6);
  font.setBold(true);
  decoration->setFont(font);

  TemplateBox = new QComboBox(body);
  TemplateBox->setObjectName("TemplateBox");
  TemplateBox->setEditable(false);
  auto* templateRow = new QHBoxLayout;
  templateRow->addWidget(Buddy("Design-Vorlage:", TemplateBox));
  templateRow->addWidget(TemplateBox, 1);

  PageControl1 = new QTabWidget(body);
  PageControl1->setObjectName("PageControl1");
  PageControl1->addTab(BuildGeneralSettings(), "Allgemein");
  PageControl1->addTab(BuildDetailSettings(), "Detail Seite");
  UploadInfo = new QLabel(
      "Das Programm erstellt alle nötigen Dateien, zum Hochladen ins Internet. Dies ist die HTML-Datei und die "
      "Order pics, mini und html.\n\nDiese Order und die HTML-Dateien müssen Sie mit einem FTP-Programm auf Ihre "
      "Website laden.\n\nSie können die ausgegebenen HTML-Dateien auch in einem Webeditor importieren und weiter "
      "bearbeiten.");
  UploadInfo->setWordWrap(true);
  UploadInfo->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  UploadInfo->setMargin(8);
  auto* uploadPage = new QWidget;
  auto* uploadLayout = new QVBoxLayout(uploadPage);
  uploadLayout->addWidget(UploadInfo);
  auto* publishBtn = new QPushButton("Hochladen...", uploadPage);
  publishBtn->setObjectName("PublishBtn");
  connect(publishBtn, &QPushButton::clicked, this,
          [this] { ShowPublishForm(this, SavedFileName ? platform::ToQString(*SavedFileName) : QString()); });
  uploadLayout->addWidget(publishBtn, 0, Qt::AlignLeft);
  uploadLayout->addStretch();
  PageControl1->addTab(uploadPage, "Informationen zum Hochladen");

  auto* side = new QVBoxLayout;
  side->addWidget(decoration);
  side->addSpacing(16);
  side->addWidget(GoBtn, 0, Qt::AlignHCenter);
  side->addStretch();
  auto* main = new QVBoxLayout;
  main->addLayout(templateRow);
  main->addWidget(PageControl1, 1);
  auto* layout = new QHBoxLayout(body);
  layout->addLayout(side);
  layout->addLayout(main, 1);
  return app::PageWithHeader("Lumivista erstellen - Alle Bilder kopieren und eine HTML Datei erstellen ", body,
                             PageControl2);
}

QWidget* TMainForm::BuildResultPage() {
  WebBrowser1 = new app::ResultBrowser(PageControl2);
  WebBrowser1->setObjectName("WebBrowser1");
  return WebBrowser1;
}

QWidget* TMainForm::BuildBottomBar() {
  auto* bar = new QWidget;
  wwwBtn = new QToolButton(bar);
  wwwBtn->setObjectName("wwwBtn");
  wwwBtn->setText(app::HomePageCaption);
  wwwBtn->setToolTip("Auf zur Vendrix Homepage...");
  wwwBtn->setAutoRaise(true);
  ueberButton = app::MakePictureButton("Info", QColor(0, 0, 128), QSize(72, 32), "Informationen über das Programm",
                                       "ueberbtn", "ueberBtn2", bar);
  ueberbtn = ueberButton->RaisedImage();
  ueberBtn2 = ueberButton->PressedImage();
  EndeButton = app::MakePictureButton("Ende", QColor(128, 0, 0), QSize(72, 32), "Hiermit verlassen Sie das Programm",
                                      "EndeBtn", "EndeBtnDown", bar);
  EndeBtn = EndeButton->RaisedImage();
  EndeBtnDown = EndeButton->PressedImage();
  StopBtn = new QPushButton("Abbrechen", bar);
  StopBtn->setObjectName("StopBtn");
  StopBtn->setToolTip("Die Erstellung nach den Bildern in Arbeit beenden (Esc)");
  StopBtn->hide();
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(wwwBtn);
  layout->addStretch();
  layout->addWidget(StopBtn);
  layout->addWidget(ueberButton);
  layout->addWidget(EndeButton);
  return bar;
}
