#pragma once
// Small builders shared by the main window's parts.
#include <QColor>
#include <QSize>
#include <QString>
#include <QStyle>

class QKeySequence;
class QLabel;
class QSettings;
class QSplitter;
class QSpinBox;
class QToolButton;
class QWidget;

namespace app {

class PictureButton;

// A bold header line on a coloured bar.
QLabel* HeaderLine(const QString& text, QWidget* parent);
// `body` below its header line in `page`; an empty header gives the body alone.
void PutBelowHeader(const QString& header, QWidget* body, QWidget* page);
QToolButton* ToolButton(const QString& caption, const QString& hint, QStyle::StandardPixmap icon, QWidget* parent);
QSpinBox* SpinEdit(int minimum, int maximum, int value, QWidget* parent);
// A label for `control`, whose Alt key moves the focus there.
QLabel* Buddy(const QString& text, QWidget* control);
PictureButton* MakePictureButton(const QString& symbol, const QColor& colour, QSize size, const QString& hint,
                                 const QString& raisedName, const QString& pressedName, QWidget* parent);
// The large bold caption beside a page's controls ("Bilder sortieren...").
QLabel* Decoration(const QString& text, QWidget* parent);
// `hint` followed by the key in brackets, as tool tips show shortcuts.
QString WithKey(const QString& hint, const QKeySequence& key);

// A splitter's position among the window's remembered state, by its name.
void SaveSplitter(QSettings& settings, const QSplitter* splitter);
void RestoreSplitter(const QSettings& settings, QSplitter* splitter);

}  // namespace app
