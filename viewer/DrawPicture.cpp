#include "viewer/DrawPicture.h"

#include "drawing/qt/PainterDeviceContext.h"
#include "imaging/StretchDrawDib.h"

namespace viewer {

void DrawPicture(QPainter& painter, Surface surface, const PageRect& destination, const imaging::RasterImage& picture,
                 bool halftone, bool useOwnPalette, platform::Messages* messages) {
  drawing::PainterDeviceContext device(painter, messages);
  device.SetKind(surface == Surface::Printer ? drawing::DeviceKind::Printer : drawing::DeviceKind::Display);
  imaging::StretchDrawDib(device, destination.X, destination.Y, destination.Width, destination.Height, picture, 0, 0,
                          imaging::DibWidth(picture), imaging::DibHeight(picture), halftone, drawing::SRCCOPY,
                          useOwnPalette, nullptr);
}

}  // namespace viewer
