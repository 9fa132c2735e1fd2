#pragma once
// The print dialog's two remembered percentages, kept in the user's settings
// store under the names BreitEdit.Value and HochEdit.Value.
#include <cstdint>

namespace viewer {

struct RememberedPercentages {
  int32_t Width = 50;
  int32_t Height = 50;
};

// Stored values outside 1..100 or not whole numbers give the defaults' rule:
// out of range takes the nearest bound, unreadable gives the default.
RememberedPercentages LoadPercentages();
void SavePercentages(const RememberedPercentages& percentages);

}  // namespace viewer
