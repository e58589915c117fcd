// "--render": the command line that asks for it and the picture it makes:
// the requested size, the bars in their colours inside the chart, and the
// outcomes a script sees.
#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/render_mode.h"
#include "gui/error_display.h"
#include "runtime/file_syscalls.h"
#include "runtime/messages.h"
#include "support/faulty_syscalls.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {
namespace {

const std::vector<LogLine> kDay = {
    {"vvv", "2024/04/15", "8:00:00", "", ""},
    {"C", "2024/04/15", "8:10:00", "a.exe", "C:\\T"},
    {"C", "2024/04/15", "8:15:00", "b.exe", "C:\\T"},
    {"E", "2024/04/15", "8:50:00", "a.exe", "C:\\T"},
    {"###", "2024/04/15", "9:00:00", "", ""},
};

int CountPixels(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return n;
}

struct RenderRun {
  TempDir dir;
  std::vector<std::string> messages;
  ScopedErrorSink sink{[this](QWidget*, const std::string& m) { messages.push_back("display: " + m); }};
  RenderJob job;

  int Run(const std::vector<LogLine>& log) {
    WriteBytes(dir.File("day.log"), LogBytes(log));
    WriteBytes(dir.File("hidden.lst"), "");
    job.Timeline.LogFiles = {dir.File("day.log")};
    job.Timeline.HasHiddenList = true;
    job.Timeline.HiddenListFile = dir.File("hidden.lst");
    if (job.OutputFile.empty()) job.OutputFile = dir.File("chart.png");
    return RunRender(job, [this](const std::string& m) { messages.push_back(m); });
  }
  QImage Picture() const { return QImage(QString::fromStdString(job.OutputFile)); }
};

TEST(RenderMode, DrawsTheBarsIntoAPictureOfTheDefaultSize) {
  RenderRun run;
  ASSERT_EQ(run.Run(kDay), 0);
  EXPECT_TRUE(run.messages.empty());
  const QImage picture = run.Picture();
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(800, 500));
  // The panel is pale blue; the bars are white (system), aqua (a) and blue (b).
  EXPECT_GT(CountPixels(picture, qRgb(0xC8, 0xF0, 0xFF)), 800 * 500 / 4);
  const int white = CountPixels(picture, qRgb(255, 255, 255));
  const int aqua = CountPixels(picture, qRgb(0, 255, 255));
  const int blue = CountPixels(picture, qRgb(0, 0, 255));
  EXPECT_GT(white, 1000);
  EXPECT_GT(aqua, 1000);
  EXPECT_GT(blue, 200);
}

TEST(RenderMode, TakesTheRequestedSize) {
  RenderRun run;
  run.job.Width = 321;
  run.job.Height = 123;
  ASSERT_EQ(run.Run(kDay), 0);
  EXPECT_EQ(run.Picture().size(), QSize(321, 123));
}

TEST(RenderMode, AnUnreadableRowStillDrawsTheBarsBeforeIt) {
  RenderRun run;
  std::vector<LogLine> log = kDay;
  log[2].date = "2024/04/31";
  EXPECT_EQ(run.Run(log), kExitBadRow);
  EXPECT_EQ(run.messages, std::vector<std::string>{FormatText(msg::InvalidDateTime, {Arg("2024/04/31 8:15:00")})});
  const QImage picture = run.Picture();
  ASSERT_FALSE(picture.isNull());
  EXPECT_GT(CountPixels(picture, qRgb(0, 255, 255)), 1000);
  EXPECT_EQ(CountPixels(picture, qRgb(0, 0, 255)), 0);
}

TEST(RenderMode, ReportsFilesItCannotReadOrWrite) {
  RenderRun missing;
  missing.job.Timeline.LogFiles = {missing.dir.File("none.log")};
  missing.job.OutputFile = missing.dir.File("chart.png");
  EXPECT_EQ(RunRender(missing.job, [&](const std::string& m) { missing.messages.push_back(m); }), kExitFileError);
  EXPECT_EQ(missing.messages.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(missing.job.OutputFile));

  RenderRun unwritable;
  unwritable.job.OutputFile = unwritable.dir.File("no/such/folder/chart.png");
  EXPECT_EQ(unwritable.Run(kDay), kExitCantCreate);
  ASSERT_EQ(unwritable.messages.size(), 1u);
  EXPECT_EQ(unwritable.messages[0].rfind("display: ", 0), 0u);
}

TEST(RenderModeCommandLine, RenderNeedsAnOutputAndTakesASize) {
  CommandLineResult r = ParseCommandLine({"--render", "day.log", "-o", "out.png", "--size", "640x480"});
  ASSERT_EQ(r.ExitStatus, 0) << r.Error;
  EXPECT_EQ(r.Options.RenderLog, "day.log");
  EXPECT_EQ(r.Options.OutputPath, "out.png");
  EXPECT_TRUE(r.Options.HasSize);
  EXPECT_EQ(r.Options.Width, 640);
  EXPECT_EQ(r.Options.Height, 480);
  EXPECT_FALSE(r.Options.HasHiddenList);

  EXPECT_EQ(ParseCommandLine({"--render", "day.log"}).Error, std::string(msg::RenderNeedsOutput));
  EXPECT_EQ(ParseCommandLine({"-o", "out.png"}).Error, FormatText(msg::OptionNeedsRender, {Arg("-o")}));
  for (const char* bad : {"640", "640x", "x480", "0x480", "640x-1", "640x480x2", "99999x10", "a x b", "640X480 "})
    EXPECT_EQ(ParseCommandLine({"--render", "day.log", "-o", "o.png", "--size", bad}).ExitStatus, kExitUsage) << bad;
  EXPECT_EQ(ParseCommandLine({"--render", "day.log", "-o", "o.png", "--size=640X480"}).ExitStatus, 0);
  EXPECT_EQ(ParseCommandLine({"--render", "day.log", "-o", "o.png", "--screenshot", "s.png"}).ExitStatus, kExitUsage);
}

TEST(RenderMode, TheOutputsExtensionChoosesTheFormat) {
  const std::pair<const char*, const char*> cases[] = {
      {"chart.svg", "<?xml"}, {"chart.PDF", "%PDF-"}, {"chart.png", "\x89PNG"}, {"chart", "\x89PNG"}};
  for (const auto& [name, magic] : cases) {
    RenderRun run;
    run.job.OutputFile = run.dir.File(name);
    ASSERT_EQ(run.Run(kDay), 0) << name;
    EXPECT_EQ(ReadBytes(run.job.OutputFile).rfind(magic, 0), 0u) << name;
  }
}

// A picture that cannot be written whole leaves the old one as it was.
TEST(RenderMode, AFailedWriteKeepsTheOldPicture) {
  RenderRun run;
  run.job.OutputFile = run.dir.File("old.png");
  WriteBytes(run.job.OutputFile, "old picture");
  FaultySyscalls full;
  full.writeErrno = ENOSPC;
  full.failAfterBytes = 100;
  ScopedFileSyscalls inject(&full);
  EXPECT_EQ(run.Run(kDay), kExitCantCreate);
  EXPECT_EQ(ReadBytes(run.job.OutputFile), "old picture");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(run.dir.path()), {}), 3);  // log, list, old
}

TEST(RenderMode, TheOutputKeepsTheBytesOfItsName) {
  RenderRun run;
  run.job.OutputFile = run.dir.File("\xff\xfe chart.png");
  EXPECT_EQ(run.Run(kDay), 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(run.job.OutputFile));
}

TEST(RenderModeCommandLine, TheOutputMustNotBeAnInput) {
  TempDir dir;
  const std::string log = dir.File("day.log");
  WriteBytes(log, LogBytes(kDay));
  std::filesystem::create_hard_link(log, dir.File("link.log"));
  const std::vector<std::vector<std::string>> cases = {
      {"--render", log, "-o", log},
      {"--render", log, "-o", dir.File("link.log")},
      {"--render", dir.File("other.log"), "--hidden-list", log, "-o", log},
      {"--render", dir.File("other.log"), log, "-o", log},
  };
  for (const auto& args : cases) {
    const CommandLineResult r = ParseCommandLine(args);
    EXPECT_EQ(r.ExitStatus, kExitUsage);
    EXPECT_EQ(r.Error, FormatText(msg::OutputIsInput, {Arg(args.back())}));
  }
  EXPECT_EQ(ParseCommandLine({"--render", log, "-o", dir.File("day.png")}).ExitStatus, 0);
}

}  // namespace
}  // namespace tokiwa::testing
