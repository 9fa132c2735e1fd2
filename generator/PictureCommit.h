#pragma once
// The committing side of an export: takes each picture's work results in
// picture order on the thread that runs the export, chooses the free names,
// publishes the files, writes the detail page and makes every report.
#include <cstdint>
#include <string>

#include "generator/ExtraSizes.h"
#include "generator/OutputNames.h"
#include "generator/PicturePool.h"
#include "generator/PictureExport.h"

namespace generator {

struct OutputFolders {
  std::string Html, Pics, Mini;  // each ending with the delimiter
  std::string Screen, Mini2x;    // as above; empty when the template set wants none
};

class PictureCommitter : public OrderedConsumer {
 public:
  PictureCommitter(album::AlbumPictures& pictures, const album::AlbumSettings& settings,
                   const TemplateFragments& fragments, const ExportTarget& target, const ExportReporting& reporting,
                   const OutputFolders& folders, FreeNames& names, ExtraOutputs* extras = nullptr);

  void Begin(int32_t index) override;
  void Take(WorkEvent event) override;
  void End(int32_t index) override;

  int32_t Failed() const { return failed_; }

 private:
  void Opened(const WorkEvent& event);
  void Copy(const WorkEvent& event);
  void Thumbnail(const WorkEvent& event);
  void Extra(const WorkEvent& event);
  bool Publish(const EncodedJpeg& jpeg, const std::string& folder, std::optional<std::string>& storedName,
               int32_t width, int32_t height);
  bool WriteDetailPage();

  album::AlbumPictures& pictures_;
  const album::AlbumSettings& settings_;
  const TemplateFragments& fragments_;
  const ExportTarget& target_;
  const ExportReporting& reporting_;
  const OutputFolders& folders_;
  FreeNames& names_;
  ExtraOutputs* extras_;

  int32_t index_ = 0;
  std::string base_;
  int32_t width_ = 0, height_ = 0;
  bool complete_ = false;
  int32_t failed_ = 0;
};

// Takes every detail page name before the first page is written: pages link
// to their neighbours. The empty files keep later names, and other runs into
// the same folder, from taking them.
void ReserveDetailPageNames(album::AlbumPictures& pictures, const std::string& htmlFolder, FreeNames& names);

}  // namespace generator
