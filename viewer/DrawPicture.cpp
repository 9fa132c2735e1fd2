#include "viewer/DrawPicture.h"

#include "imaging/StretchDrawDib.h"
#include "platform/qt/PainterDeviceContext.h"

namespace viewer {

void DrawPicture(QPainter& painter, Surface surface, const PageRect& destination, const imaging::RasterImage& picture,
                 bool halftone, bool useOwnPalette, platform::Messages* messages) {
  platform::PainterDeviceContext device(painter, messages);
  device.SetKind(surface == Surface::Printer ? platform::DeviceKind::Printer : platform::DeviceKind::Display);
  imaging::StretchDrawDib(device, destination.X, destination.Y, destination.Width, destination.Height, picture, 0, 0,
                          imaging::DibWidth(picture), imaging::DibHeight(picture), halftone, platform::SRCCOPY,
                          useOwnPalette, nullptr);
}

}  // namespace viewer
