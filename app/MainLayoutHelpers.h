#pragma once
// Small builders shared by the files that lay out the main window's pages.
#include <QString>
#include <QStyle>

class QLabel;
class QSpinBox;
class QToolButton;
class QWidget;

namespace app {

// A bold header line on a coloured bar.
QLabel* HeaderLine(const QString& text, QWidget* parent);
// `body` below its header line; an empty header gives the body alone.
QWidget* PageWithHeader(const QString& header, QWidget* body, QWidget* parent);
QToolButton* ToolButton(const QString& caption, const QString& hint, QStyle::StandardPixmap icon, QWidget* parent);
QSpinBox* SpinEdit(int minimum, int maximum, int value, QWidget* parent);

}  // namespace app
