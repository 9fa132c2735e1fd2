#pragma once
// How the core reports to the user without knowing about windows. The
// desktop program shows modal message boxes, the command-line tool prints to
// standard error, tests record the calls. All texts are Windows-1252.
#include <string>

namespace platform {

enum class MessageIcon { None, Information, Warning, Error };

class Messages {
 public:
  virtual ~Messages() = default;

  // A modal box with an OK button. An empty caption means the system's
  // default caption (the box has no caption of its own).
  virtual void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) = 0;

  // An OK/Cancel question with the information icon, OK the default.
  // True when the user answered OK.
  virtual bool Confirm(const std::string& text, const std::string& caption) = 0;

  // The application's general error display: caption is the application's
  // title, error icon, OK button.
  virtual void ShowError(const std::string& text) = 0;

  // A box like MessageBox with a detail text, such as the reason of a
  // failure, apart from the message, which keeps its own text: the window
  // shows it in the box below the message, the command line on a line of its
  // own after it. Where there is no place for it, it is left out.
  virtual void MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                                    MessageIcon icon) {
    (void)detail;
    MessageBox(text, caption, icon);
  }

  // A box like MessageBoxWithDetail that also offers to show no more boxes
  // of its kind (the check box `optOut`). True when the user chose that.
  // Without a way to ask, the box is shown plainly and nothing is opted out of.
  virtual bool MessageBoxOrQuiet(const std::string& text, const std::string& detail, const std::string& caption,
                                 MessageIcon icon, const std::string& optOut) {
    (void)optOut;
    MessageBoxWithDetail(text, detail, caption, icon);
    return false;
  }

  // Shorthand for the common error box: caption "Fehler", error icon.
  void Error(const std::string& text) { MessageBox(text, "Fehler", MessageIcon::Error); }
};

// The application's title, shown as caption of the general error display.
inline constexpr const char* ApplicationTitle = "Web Lumivista 2.0";

}  // namespace platform
