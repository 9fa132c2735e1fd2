#include "viewer/layout/OpenEntry.h"

namespace viewer {

bool BringIntoPreview(const album::AlbumPictures& pictures, int32_t index, const std::string& previewFileName,
                      const std::function<void()>& loadPreview) {
  if (index < 0 || index > album::PictureCount(pictures) - 1) return false;
  // Copied: the load may change the list's storage as well as the preview.
  const std::string wanted = pictures[static_cast<size_t>(index)].FileName;
  if (previewFileName != wanted) loadPreview();
  return previewFileName == wanted;
}

}  // namespace viewer
