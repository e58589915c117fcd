#include "app/render_mode.h"

#include <optional>

#include "app/command_line.h"
#include "gui/chart_image_file.h"
#include "gui/font_warm_up.h"
#include "runtime/exceptions.h"
#include "timeline/log_timeline.h"

namespace tokiwa {

int RunRender(const RenderJob& job, const Reporter& report) {
  FontDatabaseWarmUp fonts;
  LogTimeline timeline;
  std::optional<std::string> badRow;
  try {
    const TStringList hidden = JobHiddenNames(job.Timeline);
    badRow = timeline.Load(job.Timeline.LogFiles, hidden, job.Timeline.ShowAll, [&] { fonts.Start(); });
  } catch (const Exception& e) {
    report(e.what());
    return kExitFileError;
  }
  if (badRow) report(*badRow);
  fonts.Wait();
  const ImageFormat format = ImageFormatOf(job.OutputFile).value_or(ImageFormat::Png);
  if (!RenderChartToFile(timeline.Chart(), job.Width, job.Height, job.OutputFile, format)) return kExitCantCreate;
  return badRow ? kExitBadRow : 0;
}

}  // namespace tokiwa
