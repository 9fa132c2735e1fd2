// Loading and drawing the preview picture, and the way from an album entry
// to the viewer and the print dialog.
#include <QPainter>
#include <cstring>
#include <utility>

#include "app/AlbumDocument.h"
#include "app/AlbumListPane.h"
#include "app/MainUnit.h"
#include "app/PreviewPane.h"
#include "app/StatusBar.h"
#include "app/logic/PreviewPaint.h"
#include "drawing/qt/PainterDeviceContext.h"
#include "imaging/Rastola.h"
#include "imaging/StretchDrawDib.h"
#include "platform/Messages.h"
#include "viewer/layout/OpenEntry.h"

namespace {

// The library's message; it ends within the 1024 bytes of ErrorText.
std::string ErrorTextOf(const imaging::RasterImage& image) {
  return std::string(image.ErrorText, strnlen(image.ErrorText, sizeof image.ErrorText));
}

}  // namespace

namespace app {

void TMainForm::openfilenow(const std::string& fileName) {
  imaging::Image image;
  imaging::OpenDib(&image, fileName.c_str(), 0, this);
  statusBar_->ProgressDone();
  if (image) {
    previewImage_ = std::move(image);
    Preview().Repaint();
    previewFileName_ = fileName;
    return;
  }
  const std::string message = ErrorTextOf(*image);
  const std::string notLoaded = "Fehler: Die Datei " + fileName + " konnte nicht geladen werden!";
  if (message.size() > 5)
    messages_.MessageBox(message, notLoaded, platform::MessageIcon::None);
  else
    messages_.MessageBox(notLoaded, "Fehler", platform::MessageIcon::None);
}

void TMainForm::ViewBtnClick() { OpenViewerOrPrint(AlbumList().CurrentLine(), false); }

void TMainForm::PrintBtnClick() { OpenViewerOrPrint(AlbumList().CurrentLine(), true); }

void TMainForm::OpenViewerOrPrint(int index, bool print) {
  if (!viewer::BringIntoPreview(document_->Pictures(), index, previewFileName_, [this, index] { LoadPreview(index); }))
    return;
  if (print && PrintPicture) PrintPicture(*previewImage_, previewFileName_);
  if (!print && ShowViewer) ShowViewer(*previewImage_, previewFileName_);
}

void TMainForm::DibPrevPaintPaint(QPainter& painter, QSize size) {
  if (!previewImage_) return;
  drawing::PainterDeviceContext dc(painter, &messages_);
  app::DibPrevPaintPaint(dc, size.width(), size.height(), *previewImage_);
}

}  // namespace app
