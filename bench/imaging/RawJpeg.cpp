#include "RawJpeg.h"

#include <turbojpeg.h>

#include <cstdio>
#include <filesystem>

namespace rawjpeg {

Codec::Codec() : decoder_(tjInitDecompress()), encoder_(tjInitCompress()) {}

Codec::~Codec() {
  tjFree(output_);
  tjDestroy(decoder_);
  tjDestroy(encoder_);
}

void Codec::Decode(const std::string& path, Picture& picture) {
  file_.resize(std::filesystem::file_size(path));
  if (FILE* in = std::fopen(path.c_str(), "rb")) {
    file_.resize(std::fread(file_.data(), 1, file_.size(), in));
    std::fclose(in);
  }
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  tjDecompressHeader3(decoder_, file_.data(), file_.size(), &width, &height, &subsampling, &colourspace);
  picture.width = width;
  picture.height = height;
  picture.bgr.resize(size_t(width) * height * 3);
  tjDecompress2(decoder_, file_.data(), file_.size(), picture.bgr.data(), width, 0, height, TJPF_BGR, 0);
}

void Codec::Encode(const Picture& picture, int quality, const std::string& path) {
  const unsigned long needed = tjBufSize(picture.width, picture.height, TJSAMP_420);
  if (needed > outputCapacity_) {
    tjFree(output_);
    output_ = tjAlloc(int(needed));
    outputCapacity_ = needed;
  }
  unsigned long size = outputCapacity_;
  tjCompress2(encoder_, picture.bgr.data(), picture.width, 0, picture.height, TJPF_BGR, &output_, &size, TJSAMP_420,
              quality, TJFLAG_NOREALLOC);
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(output_, 1, size, out);
    std::fclose(out);
  }
}

}  // namespace rawjpeg
