#pragma once
// Tiny fragments whose expansion shows which fragment was written with which
// values, for exact expected output.
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
