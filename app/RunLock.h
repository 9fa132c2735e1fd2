#pragma once
// Controls that would change the album are disabled while a run goes on and
// get back the state they had before it.
#include <QWidget>
#include <initializer_list>
#include <utility>
#include <vector>

namespace app {

class RunLock {
 public:
  // Locks `controls` when a run starts and gives them back when it ends.
  void Follow(bool running, std::initializer_list<QWidget*> controls) {
    if (running) {
      Lock(controls);
    } else {
      Unlock();
    }
  }

 private:
  void Lock(std::initializer_list<QWidget*> controls) {
    for (QWidget* control : controls) {
      locked_.emplace_back(control, control->isEnabled());
      control->setEnabled(false);
    }
  }
  void Unlock() {
    for (const auto& [control, enabled] : locked_) control->setEnabled(enabled);
    locked_.clear();
  }

  std::vector<std::pair<QWidget*, bool>> locked_;
};

}  // namespace app
