#pragma once
// The owner of a picture: its pixels, colour table and palette are freed
// exactly once, when the Image holding them is reset or goes away. Images
// move but never copy, so no record can outlive or alias its pixels.
// Routines that only read or write pixels take the record by reference.
#include <utility>

#include "imaging/RasterImage.h"

namespace imaging {

class Image {
 public:
  Image() = default;
  ~Image() { reset(); }
  Image(Image&& other) noexcept : record_(std::exchange(other.record_, EmptyRasterImage())) {}
  Image& operator=(Image&& other) noexcept {
    if (this != &other) {
      reset();
      record_ = std::exchange(other.record_, EmptyRasterImage());
    }
    return *this;
  }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // True while the Image holds pixels; after a failed open it holds only
  // the message in ErrorText.
  explicit operator bool() const { return record_.Pixels != nullptr; }

  RasterImage& operator*() { return record_; }
  const RasterImage& operator*() const { return record_; }
  RasterImage* operator->() { return &record_; }
  const RasterImage* operator->() const { return &record_; }

  // Frees what the Image holds and leaves an empty record (no error text).
  void reset();

 private:
  RasterImage record_ = EmptyRasterImage();
};

}  // namespace imaging
