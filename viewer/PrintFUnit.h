#pragma once
// The print dialog: chooses how one picture is laid out on one printed page,
// with a small page preview, and the print job that follows an OK.
#include <QDialog>
#include <string>

#include "imaging/RasterImage.h"
#include "viewer/layout/PrintLayout.h"

class QCheckBox;
class QLayout;
class QPainter;
class QPrinter;
class QPushButton;
class QRadioButton;
namespace platform {
class Messages;
}

namespace viewer {

class PaintBox;
class SpinEdit;

// Job titles of the two places that print.
inline constexpr const char* MainWindowPrintTitle = "Web Lumivista Bild";
inline constexpr const char* ViewerPrintTitle = "Lumivista Bild";

// Runs the print dialog for `picture` (the caller's, never freed here) and, on
// OK, prints it on exactly one page of `printer` with the 8-bit `jobTitle`.
// Failures (a record without pixels, "Kein Drucker installiert." and a
// refused job) are reported through `messages`. True when a page was printed.
bool PrintPicture(const imaging::RasterImage& picture, const std::string& jobTitle, QPrinter& printer,
                  platform::Messages& messages, QWidget* parent = nullptr);

// The print job alone: one page laid out by `choices`. Reports failures
// through `messages`; true when the page was printed.
bool RunPrintJob(const imaging::RasterImage& picture, const viewer::PrintChoices& choices, const std::string& jobTitle,
                 QPrinter& printer, platform::Messages& messages);

class TPrintForm : public QDialog {
  Q_OBJECT

 public:
  // `picture` stays the caller's and must outlive the dialog (a temporary
  // is refused). The remembered percentages are restored each time the
  // dialog is shown, before FormShow runs.
  TPrintForm(const imaging::RasterImage& picture, QPrinter& printer, QWidget* parent = nullptr);
  TPrintForm(const imaging::RasterImage&& picture, QPrinter& printer, QWidget* parent = nullptr) = delete;

  // The choices as the controls hold them now.
  viewer::PrintChoices Choices() const;

  // Controls, named as in the window definition (public for the tests).
  viewer::PaintBox* PrintPaintBox;
  QRadioButton* UseFullCheck;
  QRadioButton* UserdefCheck;
  viewer::SpinEdit* BreitEdit;
  viewer::SpinEdit* HochEdit;
  QCheckBox* SverhCheck;
  QCheckBox* ZentrCheck;
  QPushButton* OkBitBtn1;
  QPushButton* PrintSetupBtn;
  QPushButton* CancelBitBtn2;

  void FormShow();
  void PrintPaintBoxPaint(QPainter& canvas);
  void BreitEditChange();
  void HochEditChange();
  void UserdefCheckClick();
  void PrintSetupBtnClick();

  // The page measures the preview and the coupling use: the printable area
  // of the current printer, or an A4 portrait page when there is none.
  viewer::PageSize PageMeasures() const;

 protected:
  // Restores the remembered percentages, then runs FormShow.
  void showEvent(QShowEvent* event) override;
  // Saves the percentages whichever way the dialog closes.
  void done(int result) override;

 private:
  QLayout* BuildPreview();
  QWidget* BuildSizeGroup();
  QWidget* BuildOptionsGroup();
  QLayout* BuildButtons();
  bool HasPicture() const;
  void RestorePercentages();
  // Sets the height field from the width field when proportions are kept.
  void DeriveHeight();

  const imaging::RasterImage& picture_;  // the caller's, alive while the dialog is
  QPrinter& printer_;
  // Set while one percentage is derived from the other, so that the change
  // it causes does not derive back.
  bool busy_ = false;
};

}  // namespace viewer
