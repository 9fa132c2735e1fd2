#pragma once
// A colour drop-down: sixteen standard colours and a seventeenth entry that
// opens the colour dialog. HTMLcolor follows the colour value ("#RRGGBB").
#include <QColor>
#include <QComboBox>
#include <functional>
#include <optional>
#include <string>

#include "album/ColourText.h"

namespace app {

class TColorBox : public QComboBox {
  Q_OBJECT

 public:
  static constexpr int kStandardColours = 16;
  static constexpr int kDialogEntry = 16;

  explicit TColorBox(QWidget* parent = nullptr);

  uint32_t ColorValue() const { return choice_.ColorValue(); }
  void SetColorValue(uint32_t colour);
  const std::string& HTMLcolor() const { return choice_.HTMLcolor(); }
  // A text that names no colour leaves the previous colour and text.
  void SetHTMLcolor(const std::string& text);

  // Asks for a colour, starting at the current one; the colour dialog by
  // default, replaced in tests.
  std::function<std::optional<QColor>(QColor)> PickColour;

 signals:
  // The colour value changed, chosen or set.
  void ColourChanged();

 private:
  void EntryChosen(int index);
  void ShowCurrent();

  album::ColourChoice choice_;
  bool showing_ = false;
};

}  // namespace app
