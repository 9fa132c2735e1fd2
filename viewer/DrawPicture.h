#pragma once
// Draws a whole picture into a rectangle of a painter through the one drawing
// routine, as the viewer, the print preview and the print job need it.
#include "imaging/RasterImage.h"
#include "viewer/layout/PrintLayout.h"

class QPainter;
namespace platform {
class Messages;
}

namespace viewer {

enum class Surface { Screen, Printer };

// Source: the whole picture. Rop SRCCOPY, no outside palette. The device's
// own failures go to `messages` (ownerless message boxes when null).
void DrawPicture(QPainter& painter, Surface surface, const PageRect& destination, const imaging::RasterImage& picture,
                 bool halftone, bool useOwnPalette, platform::Messages* messages = nullptr);

}  // namespace viewer
