#include "app/MainLayoutHelpers.h"

#include <QKeySequence>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/PictureButton.h"

namespace app {

QLabel* HeaderLine(const QString& text, QWidget* parent) {
  auto* header = new QLabel(text, parent);
  QFont font = header->font();
  font.setBold(true);
  header->setFont(font);
  header->setAutoFillBackground(true);
  header->setStyleSheet("QLabel { background-color: #20407a; color: white; padding: 4px; }");
  return header;
}

void PutBelowHeader(const QString& header, QWidget* body, QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  if (!header.isEmpty()) layout->addWidget(HeaderLine(header, page));
  layout->addWidget(body, 1);
}

QToolButton* ToolButton(const QString& caption, const QString& hint, QStyle::StandardPixmap icon, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(caption);
  button->setToolTip(hint);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  return button;
}

QSpinBox* SpinEdit(int minimum, int maximum, int value, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(minimum, maximum);
  spin->setValue(value);
  return spin;
}

QLabel* Buddy(const QString& text, QWidget* control) {
  auto* label = new QLabel(text, control->parentWidget());
  label->setBuddy(control);
  return label;
}

PictureButton* MakePictureButton(const QString& symbol, const QColor& colour, QSize size, const QString& hint,
                                 const QString& raisedName, const QString& pressedName, QWidget* parent) {
  return new PictureButton(PictureButtonFace(symbol, colour, size, false),
                           PictureButtonFace(symbol, colour, size, true), hint, raisedName, pressedName, parent);
}

QLabel* Decoration(const QString& text, QWidget* parent) {
  auto* decoration = new QLabel(text, parent);
  QFont font = decoration->font();
  font.setPointSizeF(font.pointSizeF() * 1.6);
  font.setBold(true);
  decoration->setFont(font);
  return decoration;
}

QString WithKey(const QString& hint, const QKeySequence& key) {
  return hint + " (" + key.toString(QKeySequence::NativeText) + ")";
}

void SaveSplitter(QSettings& settings, const QSplitter* splitter) {
  settings.setValue("MainWindow/" + splitter->objectName(), splitter->saveState());
}

void RestoreSplitter(const QSettings& settings, QSplitter* splitter) {
  splitter->restoreState(settings.value("MainWindow/" + splitter->objectName()).toByteArray());
}

}  // namespace app
