#pragma once
// Draws a whole picture into a rectangle of a painter through the one drawing
// routine, as the viewer, the print preview and the print job need it.
#include "imaging/RasterImage.h"
#include "viewer/PrintLayout.h"

class QPainter;

namespace viewer {

enum class Surface { Screen, Printer };

// Source: the whole picture. Rop SRCCOPY, no outside palette.
void DrawPicture(QPainter& painter, Surface surface, const PageRect& destination, const RasterImage& picture,
                 bool halftone, bool useOwnPalette);

}  // namespace viewer
