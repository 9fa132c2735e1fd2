#include "app/ColorBox.h"

#include <QColorDialog>
#include <QPixmap>
#include <array>

namespace app {
namespace {

struct StandardColour {
  const char* Name;
  uint32_t Value;  // red in the low byte
};

constexpr std::array<StandardColour, TColorBox::kStandardColours> kColours{{
    {"Schwarz", 0x000000},
    {"Kastanienbraun", 0x000080},
    {"Gr\xC3\xBCn", 0x008000},
    {"Oliv", 0x008080},
    {"Marineblau", 0x800000},
    {"Purpur", 0x800080},
    {"Petrol", 0x808000},
    {"Grau", 0x808080},
    {"Silber", 0xC0C0C0},
    {"Rot", 0x0000FF},
    {"Hellgr\xC3\xBCn", 0x00FF00},
    {"Gelb", 0x00FFFF},
    {"Blau", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"Wei\xC3\x9F", 0xFFFFFF},
}};

QColor ToQColor(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

uint32_t FromQColor(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 | static_cast<uint32_t>(c.blue()) << 16;
}

QIcon Swatch(uint32_t colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(ToQColor(colour));
  return QIcon(pixmap);
}

}  // namespace

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent) {
  for (const StandardColour& colour : kColours) addItem(Swatch(colour.Value), QString::fromUtf8(colour.Name));
  addItem(QString::fromUtf8("Weitere Farben..."));
  PickColour = [this](QColor start) -> std::optional<QColor> {
    const QColor picked = QColorDialog::getColor(start, this);
    if (!picked.isValid()) return std::nullopt;
    return picked;
  };
  connect(this, &QComboBox::activated, this, &TColorBox::EntryChosen);
  SetColorValue(0);
}

void TColorBox::SetColorValue(uint32_t colour) {
  const uint32_t before = ColorValue();
  choice_.SetColorValue(colour);
  ShowCurrent();
  if (ColorValue() != before) emit ColourChanged();
}

void TColorBox::SetHTMLcolor(const std::string& text) {
  const uint32_t before = ColorValue();
  if (choice_.SetHTMLcolor(text)) ShowCurrent();
  if (ColorValue() != before) emit ColourChanged();
}

void TColorBox::EntryChosen(int index) {
  if (showing_) return;
  if (index >= 0 && index < kStandardColours) {
    SetColorValue(kColours[static_cast<size_t>(index)].Value);
  } else if (index == kDialogEntry) {
    if (const std::optional<QColor> picked = PickColour(ToQColor(ColorValue()))) SetColorValue(FromQColor(*picked));
    ShowCurrent();
  }
}

// Shows the entry of the current colour; a colour outside the sixteen gets
// an entry of its own after the dialog entry.
void TColorBox::ShowCurrent() {
  showing_ = true;
  while (count() > kDialogEntry + 1) removeItem(count() - 1);
  int index = -1;
  for (int i = 0; i < kStandardColours; ++i)
    if (kColours[static_cast<size_t>(i)].Value == ColorValue()) index = i;
  if (index < 0) {
    addItem(Swatch(ColorValue()), QString::fromStdString(HTMLcolor()));
    index = count() - 1;
  }
  setCurrentIndex(index);
  showing_ = false;
}

}  // namespace app
