#pragma once
// The about box "Info": a picture, a few lines about the program with the
// current year, a button to the maker's home page, and OK.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace app {

// The maker's home page, opened by wwwBtn and the about box.
inline constexpr const char* HomePageAddress = "https://www.vendrix.example/";
inline constexpr const char* HomePageCaption = "www.vendrix.example";

// Opens an address or a file with the desktop's "open" action.
void ShellOpen(const QString& address);

// Gives the program its title "Web Lumivista 2.0", the name the desktop shows
// for it. It is the application name, not an explicit display name: Qt
// appends an explicit display name to every window title, which would change
// the main window's caption and the caption of every message box.
void SetApplicationTitle();

// The information text with its "%YEAR%" placeholder replaced by `year`.
QString AboutText(int year);

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* ProgramIcon;
  QLabel* InfoLabel;
  QPushButton* HomeBtn;
  QPushButton* OKButton;
};

}  // namespace app
