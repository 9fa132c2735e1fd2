#include "app/AboutBoxUnit.h"

#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/PictureButton.h"
#include "platform/Messages.h"
#include "platform/qt/UserSettings.h"

namespace app {

void ShellOpen(const QString& address) { QDesktopServices::openUrl(QUrl::fromUserInput(address)); }

void SetApplicationTitle() {
  QCoreApplication::setOrganizationName(platform::kSettingsOrganisation);
  QCoreApplication::setApplicationName(platform::ApplicationTitle);
}

QString AboutText(int year) {
  QString text = QString::fromUtf8(
      "<b>Web Lumivista 2.0</b><br>"
      "Aus Ihren Bildern ein fertiges Fotoalbum f\xC3\xBCr das Web.<br><br>"
      "\xC2\xA9 %YEAR% Vendrix. Alle Rechte vorbehalten.");
  return text.replace("%YEAR%", QString::number(year).rightJustified(4, '0'));
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Info");
  ProgramIcon = new QLabel(this);
  ProgramIcon->setPixmap(PictureButtonFace("WL", QColor(0, 0, 128), QSize(64, 64), false));
  InfoLabel = new QLabel(AboutText(QDate::currentDate().year()), this);
  HomeBtn = new QPushButton(HomePageCaption, this);
  OKButton = new QPushButton("OK", this);
  OKButton->setDefault(true);
  connect(HomeBtn, &QPushButton::clicked, this, [] { ShellOpen(HomePageAddress); });
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->addWidget(ProgramIcon, 0, Qt::AlignTop);
  top->addWidget(InfoLabel, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(HomeBtn);
  buttons->addStretch();
  buttons->addWidget(OKButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
}

}  // namespace app
