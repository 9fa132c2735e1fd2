#pragma once
// Receives the percentage done (0..100) while a picture file is read or
// written. Called synchronously on the caller's thread, in place of the
// WM_USER message the Windows program receives.
namespace platform {

class ProgressReceiver {
 public:
  virtual ~ProgressReceiver() = default;
  virtual void Progress(int percent) = 0;
};

}  // namespace platform
