#include "imaging/Rastola.h"

namespace imaging {

// Windows-1252 text; every format OpenDib reads, all of them first.
const char* GetDIBOpenFilter() {
  return "Alle Bilddateien|*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif;*.bmp;*.dib;*.rle;*.tif;*.tiff;*.webp;*.heic;*.heif;*.avif"
         "|JPEG-Bilder (*.jpg, *.jpeg)|*.jpg;*.jpeg;*.jpe;*.jfif"
         "|PNG-Bilder (*.png)|*.png"
         "|GIF-Bilder (*.gif)|*.gif"
         "|Windows-Bitmaps (*.bmp)|*.bmp;*.dib;*.rle"
         "|TIFF-Bilder (*.tif, *.tiff)|*.tif;*.tiff"
         "|WebP-Bilder (*.webp)|*.webp"
         "|HEIF-Bilder (*.heic, *.heif)|*.heic;*.heif"
         "|AVIF-Bilder (*.avif)|*.avif";
}

}  // namespace imaging
