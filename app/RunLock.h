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

 private:
  std::vector<std::pair<QWidget*, bool>> locked_;
};

}  // namespace app
