#pragma once
// "--render": the chart of launch logs as the window draws it, into a PNG,
// SVG or PDF file (by the output file's extension), without a window.
#include <string>

#include "app/export_mode.h"

namespace tokiwa {

inline constexpr int kDefaultRenderWidth = 800;
inline constexpr int kDefaultRenderHeight = 500;

struct RenderJob {
  TimelineJob Timeline;
  std::string OutputFile;
  int Width = kDefaultRenderWidth;
  int Height = kDefaultRenderHeight;
};

// Needs a running Qt GUI application. Answers the exit status: 0; the export's
// kExitFileError; kExitBadRow after drawing the bars made before the row that
// stopped the build; kExitCantCreate when the picture cannot be made or saved
// (the reason goes to the error display).
int RunRender(const RenderJob& job, const Reporter& report);

}  // namespace tokiwa
