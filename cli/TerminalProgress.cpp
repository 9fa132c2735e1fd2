#include "cli/TerminalProgress.h"

#include <cstdio>

namespace cli {

void TerminalProgress::PictureStarted(int32_t number, int32_t count) {
  number_ = number;
  count_ = count;
  percent_ = 0;
  Draw();
}

void TerminalProgress::Progress(int percent) {
  if (percent == percent_) return;
  percent_ = percent;
  Draw();
}

void TerminalProgress::Draw() {
  if (!enabled_) return;
  std::fprintf(stderr, "\rBild %d von %d: %3d %%", number_, count_, percent_);
  std::fflush(stderr);
  shown_ = true;
}

void TerminalProgress::Clear() {
  if (!shown_) return;
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace cli
