#include "platform/qt/QtMessages.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/QtText.h"

namespace platform {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// A box without a caption of its own carries the program's name, as the
// system's default caption does.
QString BoxTitle(const std::string& caption) {
  return caption.empty() ? QGuiApplication::applicationDisplayName() : ToQString(caption);
}

}  // namespace

void QtMessages::MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
  MessageBoxWithDetail(text, "", caption, icon);
}

void QtMessages::MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                                      MessageIcon icon) {
  QMessageBox box(ToQtIcon(icon), BoxTitle(caption), ToQString(text), QMessageBox::Ok, parent_);
  box.setInformativeText(ToQString(detail));
  box.exec();
}

bool QtMessages::MessageBoxOrQuiet(const std::string& text, const std::string& detail, const std::string& caption,
                                   MessageIcon icon, const std::string& optOut) {
  QMessageBox box(ToQtIcon(icon), BoxTitle(caption), ToQString(text), QMessageBox::Ok, parent_);
  box.setInformativeText(ToQString(detail));
  auto* quiet = new QCheckBox(ToQString(optOut), &box);
  box.setCheckBox(quiet);
  box.exec();
  return quiet->isChecked();
}

bool QtMessages::Confirm(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Information, ToQString(caption), ToQString(text), QMessageBox::Ok | QMessageBox::Cancel,
                  parent_);
  box.setDefaultButton(QMessageBox::Ok);
  // The program speaks German whether or not Qt's translations are installed.
  box.button(QMessageBox::Cancel)->setText("Abbrechen");
  return box.exec() == QMessageBox::Ok;
}

void QtMessages::ShowError(const std::string& text) { MessageBox(text, ApplicationTitle, MessageIcon::Error); }

}  // namespace platform
