#include "generator/Fragments.h"

#include "platform/SafeFile.h"

namespace generator {

namespace {

constexpr const char* kFileNames[kFragmentCount] = {
    "mainfirst.htm",      "mainloopfirstcol1.htm", "mainloop.htm", "mainloopfirstcol2.htm",
    "mainloopempty.htm",  "mainend.htm",           "detail.htm",   "detailprevlink.htm",
    "detailnextlink.htm", "detailoverviewlink.htm"};

}  // namespace

const char* FragmentFileName(Fragment fragment) { return kFileNames[static_cast<size_t>(fragment)]; }

std::string FragmentText(std::string_view bytes) {
  const size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 16 + 2);
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t end = bytes.find_first_of("\r\n", i);
    if (end == std::string_view::npos) {
      text.append(bytes.substr(i)).append("\r\n");
      break;
    }
    text.append(bytes.substr(i, end - i)).append("\r\n");
    i = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
  }
  return text;
}

std::optional<TemplateFragments> ReadTemplateFragments(const std::string& setFolder, platform::Messages& messages) {
  TemplateFragments fragments;
  for (size_t i = 0; i < kFragmentCount; ++i) {
    const std::string path = setFolder + kFileNames[i];
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) {
      messages.ShowError("Datei " + path +
                         " kann nicht ge\xF6"
                         "ffnet werden.");
      return std::nullopt;
    }
    fragments[static_cast<Fragment>(i)] = FragmentText(bytes);
  }
  return fragments;
}

}  // namespace generator
