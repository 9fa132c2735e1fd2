#pragma once
// An album written in one of the shipped designs as the run writes it, with
// empty files standing in for the pictures (tests that render pages put
// real pictures there).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/Fragments.h"
#include "generator/Pages.h"
#include "generator/TemplateSets.h"
#include "support/RecordingMessages.h"
#include "support/TempFolder.h"

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
  generator::RunOutputs outputs(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    outputs[i].Width = 4000;
    outputs[i].Height = 3000;
    outputs[i][generator::OutputKind::Page] = PictureBaseName(i) + ".htm";
    for (const generator::OutputKind kind : {generator::OutputKind::Copy, generator::OutputKind::Thumbnail,
                                             generator::OutputKind::Screen, generator::OutputKind::Thumbnail2x}) {
      outputs[i][kind] = PictureBaseName(i) + ".jpg";
      dir.Write(sub + generator::InfoOf(kind).Folder + "/" + outputs[i][kind], "");
    }
    pictures[i].Comment = comment;
  }
  std::vector<std::string> pages = {sub + "index.htm"};
  dir.Write(pages.back(), generator::OverviewPageText(f, settings, pictures, outputs));
  for (int i = 0; i < count; ++i) {
    pages.push_back(sub + "html/" + outputs[i][generator::OutputKind::Page]);
    dir.Write(pages.back(), generator::DetailPageText(f, settings, pictures, outputs, i, "index.htm"));
  }
  return pages;
}
