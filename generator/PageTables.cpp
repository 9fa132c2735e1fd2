#include "generator/PageTables.h"

#include "album/ColourText.h"
#include "generator/HtmlText.h"

namespace generator {

namespace {

constexpr size_t kBigHtmlSrc = 7;
constexpr size_t kMiniPicSrc = 8;

// The overview's name is the user's choice, unlike the generated names: the
// characters that would end the link's attribute or its path ("Album #1.htm")
// are written as %XX, which still names the same file.
std::string LinkPath(const std::string& fileName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : fileName) {
    if (c == '%' || c == '#' || c == '?' || c == '"' || c == '\'' || c == '<' || c == '>' || c == '&') {
      out += '%';
      out += kHex[static_cast<unsigned char>(c) >> 4];
      out += kHex[static_cast<unsigned char>(c) & 15];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string PoweredByParagraph() {
  return std::string("<p><a href=\"") + kMakerHomePage + "\">Powered by Vendrix Web Lumivista.</a>";
}

PlaceholderTable OverviewTable(const album::AlbumSettings& settings) {
  PlaceholderTable t;
  t.Add("%%POWERED%%", settings.Backlink ? PoweredByParagraph() : std::string());
  t.Add("%%BGCOLOR%%", album::HtmlColourText(settings.BackgroundColour));
  t.Add("%%BGCOLOR2%%", album::HtmlColourText(settings.BackgroundColour2));
  t.Add("%%CAPTION%%", TextToHtml(settings.Caption));
  t.Add("%%FREETEXT%%", TextToHtml(settings.FreeText));
  t.Add("%%BORDER%%", std::to_string(settings.Border));
  t.Add("%%PICWIDTH%%", std::to_string(settings.ThumbWidth));
  t.Add("%%BIGHTMLSRC%%", "");
  t.Add("%%MINIPICSRC%%", "");
  return t;
}

void SetOverviewPicture(PlaceholderTable& overview, const PictureOutputs& outputs) {
  overview.Values[kBigHtmlSrc] = "./html/" + outputs[OutputKind::Page];
  overview.Values[kMiniPicSrc] = "./mini/" + outputs[OutputKind::Thumbnail];
}

PlaceholderTable DetailLinkTable(const album::AlbumSettings& settings, const album::AlbumPictures& pictures,
                                 const RunOutputs& outputs, int32_t index, const std::string& overviewFileName) {
  const album::AlbumPicture& picture = pictures[static_cast<size_t>(index)];
  const auto page = [&](int32_t at) { return outputs[static_cast<size_t>(at)][OutputKind::Page]; };
  const bool hasNext = index + 1 < album::PictureCount(pictures);
  const bool hasPrev = index > 0;
  PlaceholderTable t;
  t.Add("%%BGCOLOR%%", album::HtmlColourText(settings.BackgroundColour));
  t.Add("%%BGCOLOR2%%", album::HtmlColourText(settings.BackgroundColour2));
  t.Add("%%CAPTION2%%", TextToHtml(settings.DetailCaption));
  t.Add("%%COMMENT%%", picture.ShowComment ? TextToHtml(picture.Comment.value_or(std::string())) : std::string());
  t.Add("%%BORDER%%", std::to_string(settings.DetailBorder));
  t.Add("%%BIGPICSRC%%", "../pics/" + outputs[static_cast<size_t>(index)][OutputKind::Copy]);
  t.Add("%%NEXTPICLINK%%", hasNext ? page(index + 1) : "");
  t.Add("%%PREVPICLINK%%", hasPrev ? page(index - 1) : "");
  t.Add("%%OVERVIEWLINK%%", "../" + LinkPath(overviewFileName));
  return t;
}

}  // namespace generator
