#pragma once
// An album written in one of the shipped designs as the run writes it, with
// empty files standing in for the pictures (tests that render pages put
// real pictures there).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RecordingMessages.h"
#include "support/TempFolder.h"
#include "generator/ExtraSizes.h"
#include "generator/Fragments.h"
#include "generator/Pages.h"
#include "generator/TemplateSets.h"

inline const std::string kShippedTemplates = std::string(LUMIVISTA_SOURCE_DIR) + "/template";

inline generator::TemplateFragments ReadDesign(const std::string& design) {
  RecordingMessages messages;
  auto fragments = generator::ReadTemplateFragments(generator::TemplateSetFolder(kShippedTemplates, design), messages);
  EXPECT_TRUE(fragments) << (messages.Lines().empty() ? "" : messages.Lines()[0]);
  return fragments.value_or(generator::TemplateFragments{});
}

inline std::string PictureBaseName(int i) { return std::string("Bild").append(std::to_string(i)); }

// Writes `count` pictures named Bild0 ... into `sub` of `dir`; gives the
// page paths, the overview "index.htm" first.
inline std::vector<std::string> WriteDesignAlbum(const TempFolder& dir, const std::string& design, int count,
                                                 const album::AlbumSettings& settings, const std::string& sub = "",
                                                 const std::string& comment = "Sch\xF6ne Aussicht\r\nZweite Zeile") {
  const generator::TemplateFragments f = ReadDesign(design);
  album::AlbumPictures pictures(static_cast<size_t>(count));
  // 4000 x 3000 pictures: each gets a screen picture and a twice-size thumbnail.
  generator::ExtraOutputs extras{generator::ExtraSizesFor(f), {}};
  extras.Pictures.assign(static_cast<size_t>(count), {4000, 3000, std::nullopt, std::nullopt});
  for (int i = 0; i < count; ++i) {
    extras.Pictures[i].ScreenName = PictureBaseName(i) + ".jpg";
    extras.Pictures[i].Thumbnail2xName = PictureBaseName(i) + ".jpg";
    dir.Write(sub + generator::kScreenFolder + "/" + PictureBaseName(i) + ".jpg", "");
    dir.Write(sub + generator::kThumbnail2xFolder + "/" + PictureBaseName(i) + ".jpg", "");
    pictures[i].DetailPageName = PictureBaseName(i) + ".htm";
    pictures[i].PictureName = PictureBaseName(i) + ".jpg";
    pictures[i].ThumbnailName = PictureBaseName(i) + ".jpg";
    pictures[i].Comment = comment;
    dir.Write(sub + "pics/" + PictureBaseName(i) + ".jpg", "");
    dir.Write(sub + "mini/" + PictureBaseName(i) + ".jpg", "");
  }
  std::vector<std::string> pages = {sub + "index.htm"};
  dir.Write(pages.back(), generator::OverviewPageText(f, settings, pictures, &extras));
  for (int i = 0; i < count; ++i) {
    pages.push_back(sub + "html/" + *pictures[i].DetailPageName);
    dir.Write(pages.back(), generator::DetailPageText(f, settings, pictures, i, "index.htm", &extras));
  }
  return pages;
}
