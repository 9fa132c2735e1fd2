#pragma once
// Tiny fragments whose expansion shows which fragment was written with which
// values, for exact expected output.
#include "generator/Fragments.h"

inline TemplateFragments SmallFragments() {
  TemplateFragments f;
  f[Fragment::MainFirst] = FragmentText("first %%CAPTION%% [%%BIGHTMLSRC%%]");
  f[Fragment::MainLoopFirstCol1] = FragmentText("col1 [%%MINIPICSRC%%]");
  f[Fragment::MainLoop] = FragmentText("loop %%BIGHTMLSRC%% %%MINIPICSRC%% %%COMMENT%%");
  f[Fragment::MainLoopFirstCol2] = FragmentText("col2");
  f[Fragment::MainLoopEmpty] = FragmentText("empty [%%MINIPICSRC%%]");
  f[Fragment::MainEnd] = FragmentText("end %%BORDER%% %%PICWIDTH%%%%POWERED%%");
  f[Fragment::Detail] = FragmentText("<%%CAPTION2%%|%%BIGPICSRC%%|%%COMMENT%%|%%BORDER%%|%%CAPTION%%>\n%%LINKS%%.");
  f[Fragment::DetailPrevLink] = FragmentText("prev %%PREVPICLINK%% %%LINKS%%");
  f[Fragment::DetailNextLink] = FragmentText("next %%NEXTPICLINK%%");
  f[Fragment::DetailOverviewLink] = FragmentText("up %%OVERVIEWLINK%%");
  return f;
}
