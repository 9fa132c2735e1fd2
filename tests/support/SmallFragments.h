#pragma once
// Tiny fragments whose expansion shows which fragment was written with which
// values, for exact expected output.
#include <string>

#include "generator/Fragments.h"

inline generator::TemplateFragments SmallFragments() {
  generator::TemplateFragments f;
  f[generator::Fragment::MainFirst] = generator::FragmentText("first %%CAPTION%% [%%BIGHTMLSRC%%]");
  f[generator::Fragment::MainLoopFirstCol1] = generator::FragmentText("col1 [%%MINIPICSRC%%]");
  f[generator::Fragment::MainLoop] = generator::FragmentText("loop %%BIGHTMLSRC%% %%MINIPICSRC%% %%COMMENT%%");
  f[generator::Fragment::MainLoopFirstCol2] = generator::FragmentText("col2");
  f[generator::Fragment::MainLoopEmpty] = generator::FragmentText("empty [%%MINIPICSRC%%]");
  f[generator::Fragment::MainEnd] = generator::FragmentText("end %%BORDER%% %%PICWIDTH%%%%POWERED%%");
  f[generator::Fragment::Detail] =
      generator::FragmentText("<%%CAPTION2%%|%%BIGPICSRC%%|%%COMMENT%%|%%BORDER%%|%%CAPTION%%>\n%%LINKS%%.");
  f[generator::Fragment::DetailPrevLink] = generator::FragmentText("prev %%PREVPICLINK%% %%LINKS%%");
  f[generator::Fragment::DetailNextLink] = generator::FragmentText("next %%NEXTPICLINK%%");
  f[generator::Fragment::DetailOverviewLink] = generator::FragmentText("up %%OVERVIEWLINK%%");
  return f;
}

// The small fragments with every key of the extra picture sizes.
inline generator::TemplateFragments SmallFragmentsWithExtraSizes() {
  generator::TemplateFragments f = SmallFragments();
  f[generator::Fragment::MainLoop] =
      generator::FragmentText("loop %%MINIPICSRC%% %%MINIWIDTH%%x%%MINIHEIGHT%% [%%MINISRCSET%%]");
  f[generator::Fragment::Detail] =
      generator::FragmentText("%%SCREENPICSRC%% %%SCREENWIDTH%%x%%SCREENHEIGHT%% [%%SCREENSRCSET%%]");
  return f;
}

// Writes `f` as a template set into `set/` (or `folder`) of a test folder.
template <typename Folder>
void WriteFragmentSet(const Folder& dir, const generator::TemplateFragments& f, const std::string& folder = "set/") {
  for (size_t i = 0; i < generator::kFragmentCount; ++i)
    dir.Write(folder + generator::FragmentFileName(static_cast<generator::Fragment>(i)),
              f[static_cast<generator::Fragment>(i)]);
}

template <typename Folder>
void WriteSmallFragmentSet(const Folder& dir, const std::string& folder = "set/") {
  WriteFragmentSet(dir, SmallFragments(), folder);
}
