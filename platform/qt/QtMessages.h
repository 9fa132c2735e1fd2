#pragma once
// Message boxes of the desktop program: modal QMessageBox windows owned by
// the main window.
#include <QPointer>
#include <QWidget>

#include "platform/Messages.h"

namespace platform {

class QtMessages : public Messages {
 public:
  explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool Confirm(const std::string& text, const std::string& caption) override;
  void ShowError(const std::string& text) override;
  void MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                            MessageIcon icon) override;
  bool MessageBoxOrQuiet(const std::string& text, const std::string& detail, const std::string& caption,
                         MessageIcon icon, const std::string& optOut) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace platform
