// "--export": the command line that asks for it, the exact CSV of a log's
// bars, and the outcomes a script sees (status and messages).
#include <gtest/gtest.h>

#include <sstream>

#include "app/command_line.h"
#include "app/export_mode.h"
#include "runtime/date_time.h"
#include "runtime/messages.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {
namespace {

struct ExportRun {
  TempDir dir;
  std::ostringstream out;
  std::vector<std::string> messages;

  int Run(const std::vector<LogLine>& log, const std::vector<std::string>* hidden = nullptr, bool showAll = false) {
    const std::string logFile = dir.File("day.log");
    WriteBytes(logFile, LogBytes(log));
    TimelineJob job;
    job.LogFiles = {logFile};
    job.HasHiddenList = true;
    job.HiddenListFile = dir.File("hidden.lst");
    std::string list;
    if (hidden)
      for (const std::string& name : *hidden) list += Utf8ToCp932(name) + "\r\n";
    WriteBytes(job.HiddenListFile, list);
    job.ShowAll = showAll;
    return RunExport(job, out, [this](const std::string& m) { messages.push_back(m); });
  }
};

const std::vector<LogLine> kDay = {
    {"vvv", "2024/04/15", "8:00:00", "", ""},
    {"C", "2024/04/15", "8:10:00", "a.exe", "C:\\T"},
    {"C", "2024/04/15", "8:15:00", "say\"hi\".exe", "C:\\T"},
    {"E", "2024/04/15", "8:20:00", "a.exe", "C:\\T"},
    {"###", "2024/04/15", "9:00:00", "", ""},
};

TEST(ExportMode, WritesEveryBarInSeriesOrder) {
  ExportRun run;
  EXPECT_EQ(run.Run(kDay), 0);
  EXPECT_EQ(run.out.str(),
            "index,start,end,row,colour,label\n"
            "0,2024-04-15 08:00:00,2024-04-15 09:00:00,1,#FFFFFF,\"system\"\n"
            "1,2024-04-15 08:10:00,2024-04-15 08:20:00,2,#00FFFF,\"C:\\T\\a.exe\"\n"
            "2,2024-04-15 08:15:00,2024-04-15 09:00:00,3,#0000FF,\"C:\\T\\say\"\"hi\"\".exe\"\n");
  EXPECT_TRUE(run.messages.empty());
}

TEST(ExportMode, FollowsTheHiddenListUnlessShowAll) {
  const std::vector<std::string> hidden = {"c:\\t\\A.EXE"};
  ExportRun hiding;
  EXPECT_EQ(hiding.Run(kDay, &hidden), 0);
  EXPECT_EQ(hiding.out.str(),
            "index,start,end,row,colour,label\n"
            "0,2024-04-15 08:00:00,2024-04-15 09:00:00,1,#FFFFFF,\"system\"\n"
            "1,2024-04-15 08:15:00,2024-04-15 09:00:00,2,#00FFFF,\"C:\\T\\say\"\"hi\"\".exe\"\n");
  ExportRun all;
  EXPECT_EQ(all.Run(kDay, &hidden, true), 0);
  EXPECT_NE(all.out.str().find(",3,#0000FF,"), std::string::npos);
}

TEST(ExportMode, AnUnreadableRowWritesTheBarsBeforeItAndEndsWithStatusTwo) {
  ExportRun run;
  std::vector<LogLine> log = kDay;
  log[2].time = "8:61:00";
  EXPECT_EQ(run.Run(log), kExitBadRow);
  EXPECT_EQ(run.out.str(),
            "index,start,end,row,colour,label\n"
            "0,2024-04-15 08:00:00,2024-04-15 09:00:00,1,#FFFFFF,\"system\"\n"
            "1,2024-04-15 08:10:00,2024-04-15 08:20:00,2,#00FFFF,\"C:\\T\\a.exe\"\n");
  EXPECT_EQ(run.messages, std::vector<std::string>{FormatText(msg::InvalidDateTime, {Arg("2024/04/15 8:61:00")})});
}

TEST(ExportMode, FilesThatCannotBeOpenedEndWithStatusOne) {
  TempDir dir;
  std::ostringstream out;
  std::vector<std::string> messages;
  const Reporter report = [&](const std::string& m) { messages.push_back(m); };
  TimelineJob job;
  job.LogFiles = {dir.File("missing.log")};
  job.HasHiddenList = true;
  job.HiddenListFile = dir.File("empty.lst");
  WriteBytes(job.HiddenListFile, "");
  EXPECT_EQ(RunExport(job, out, report), kExitFileError);
  EXPECT_EQ(messages, std::vector<std::string>{FormatText(msg::FileOpenError, {Arg(job.LogFiles[0])})});
  EXPECT_TRUE(out.str().empty());

  // A list named on the command line must exist.
  WriteBytes(dir.File("day.log"), LogBytes(kDay));
  job.LogFiles = {dir.File("day.log")};
  job.HiddenListFile = dir.File("missing.lst");
  messages.clear();
  EXPECT_EQ(RunExport(job, out, report), kExitFileError);
  EXPECT_EQ(messages, std::vector<std::string>{FormatText(msg::FileOpenError, {Arg(job.HiddenListFile)})});
}

TEST(ExportMode, TimesRoundToTheNearestSecond) {
  const double day = EncodeDate(2024, 4, 15);
  EXPECT_EQ(CsvDateTime(day + EncodeTime(8, 0, 0, 499)), "2024-04-15 08:00:00");
  EXPECT_EQ(CsvDateTime(day + EncodeTime(8, 0, 0, 500)), "2024-04-15 08:00:01");
  EXPECT_EQ(CsvDateTime(day + EncodeTime(23, 59, 59, 700)), "2024-04-16 00:00:00");
  EXPECT_EQ(CsvDateTime(0), "1899-12-30 00:00:00");
  EXPECT_EQ(CsvDateTime(-1.25), "1899-12-29 06:00:00");  // day backwards, time forwards
  EXPECT_EQ(CsvDateTime(EncodeDate(1, 1, 1)), "0001-01-01 00:00:00");
}

TEST(ExportMode, LabelsAreAlwaysQuoted) {
  EXPECT_EQ(CsvQuoted(""), "\"\"");
  EXPECT_EQ(CsvQuoted("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvQuoted("\"\""), "\"\"\"\"\"\"");
}

TEST(ExportModeCommandLine, ExportTakesALogAndTheListOptions) {
  CommandLineResult r = ParseCommandLine({"--export", "day.log", "--hidden-list=h.lst", "--show-all"});
  ASSERT_EQ(r.ExitStatus, 0) << r.Error;
  EXPECT_EQ(r.Options.ExportLog, "day.log");
  EXPECT_TRUE(r.Options.HasHiddenList);
  EXPECT_EQ(r.Options.HiddenListPath, "h.lst");
  EXPECT_TRUE(r.Options.ShowAll);
  EXPECT_TRUE(r.Options.Headless());
  EXPECT_TRUE(RequestsHeadlessMode({"--export", "day.log"}));

  EXPECT_EQ(ParseCommandLine({"--export"}).ExitStatus, kExitUsage);
  // Plain arguments are more logs, in order.
  EXPECT_EQ(ParseCommandLine({"b.log", "--export", "a.log", "c.log"}).Options.LogFiles,
            (std::vector<std::string>{"a.log", "b.log", "c.log"}));
  EXPECT_FALSE(ParseCommandLine({"--summary", "a.log", "b.log"}).Options.HasFolder);
  EXPECT_EQ(ParseCommandLine({"--export", "a.log", "--render", "b.log", "-o", "x.png"}).Error,
            FormatText(msg::OptionsExclusive, {Arg("--export"), Arg("--render")}));
  EXPECT_EQ(ParseCommandLine({"--summary", "a.log", "--render", "b.log", "-o", "x.png"}).Error,
            FormatText(msg::OptionsExclusive, {Arg("--render"), Arg("--summary")}));
  EXPECT_EQ(ParseCommandLine({"--show-all"}).Error, FormatText(msg::OptionNeedsFileMode, {Arg("--show-all")}));
  EXPECT_EQ(ParseCommandLine({"--hidden-list", "h.lst", "logs"}).ExitStatus, kExitUsage);
  EXPECT_EQ(ParseCommandLine({"--export", "a.log", "--size", "10x10"}).Error,
            FormatText(msg::OptionNeedsRender, {Arg("--size")}));
  EXPECT_EQ(ParseCommandLine({"--export", "a.log", "--select-first"}).ExitStatus, kExitUsage);
}

TEST(ExportModeCommandLine, HelpNamesEveryModeAndOption) {
  const CommandLineResult r = ParseCommandLine({"--help"});
  EXPECT_EQ(r.ExitStatus, 0);
  EXPECT_TRUE(r.Options.Help);
  const std::string usage = UsageText();
  for (const char* word : {"--export", "--render", "-o", "--size", "--hidden-list", "--show-all", "--screenshot",
                           "--select-first", "--help", "index,start,end,row,colour,label", "64"})
    EXPECT_NE(usage.find(word), std::string::npos) << word;
}

// Output that cannot be written (a full disk, a closed pipe) is a failure,
// not a success with nothing written.
TEST(ExportMode, AnOutputThatCannotBeWrittenEndsWithStatus74) {
  struct FullBuffer : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
  } full;
  ExportRun run;
  static_cast<std::ostream&>(run.out).rdbuf(&full);
  EXPECT_EQ(run.Run(kDay), kExitIoError);
  EXPECT_EQ(run.messages, (std::vector<std::string>{FormatText(msg::WriteError, {Arg(msg::StandardOutput)})}));
}

}  // namespace
}  // namespace tokiwa::testing
