#include "viewer/PrintSettings.h"

#include <algorithm>

#include "platform/qt/UserSettings.h"
#include "viewer/layout/PrintLayout.h"

namespace viewer {
namespace {

constexpr const char* kWidthKey = "TPrintForm/BreitEdit.Value";
constexpr const char* kHeightKey = "TPrintForm/HochEdit.Value";

int32_t ReadPercent(const QSettings& store, const char* key, int32_t fallback) {
  bool ok = false;
  const int value = store.value(QLatin1String(key)).toInt(&ok);
  return ok ? std::clamp(value, kMinPercent, kMaxPercent) : fallback;
}

}  // namespace

RememberedPercentages LoadPercentages() {
  const QSettings store = platform::UserSettings();
  const RememberedPercentages defaults;
  return {ReadPercent(store, kWidthKey, defaults.Width), ReadPercent(store, kHeightKey, defaults.Height)};
}

void SavePercentages(const RememberedPercentages& percentages) {
  QSettings store = platform::UserSettings();
  store.setValue(QLatin1String(kWidthKey), percentages.Width);
  store.setValue(QLatin1String(kHeightKey), percentages.Height);
}

}  // namespace viewer
