// Following logs: what a shown log gains is taken in without reading it
// again, a line still being written waits, and a log truncated, rewritten or
// replaced asks to be read again whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "tests/timeline/timeline_test_support.h"
#include "timeline/log_growth.h"

namespace tokiwa::testing {
namespace {

std::string Line(const std::string& marker, const std::string& time, const std::string& file = "") {
  return Utf8ToCp932(marker + ",2024/04/15," + time + "," + file + "," + (file.empty() ? "" : "C:\\T") + "\r\n");
}

void Append(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "ab");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// Column 0 of the data rows, then column 3 of the last one.
std::string Shown(const TStringGrid& grid) {
  std::string shown;
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) shown += grid.Cells(0, row) + " ";
  return shown + "/ " + grid.Cells(3, grid.RowCount() - 1);
}

struct Step {
  std::function<void(const std::string& path)> change;
  LogGrowth growth;
  std::string shown;  // after taking it in (when not read again whole)
};

struct GrowthCase {
  const char* what;
  std::string before;
  std::vector<Step> steps;
};

TEST(LogGrowth, TakesInCompleteLinesAndAsksForAWholeReadOtherwise) {
  const std::string start = Line("vvv", "8:00:00") + Line("C", "8:10:00", "a.exe");
  const auto append = [](std::string bytes) { return [bytes](const std::string& p) { Append(p, bytes); }; };
  const auto rewrite = [](std::string bytes) { return [bytes](const std::string& p) { WriteBytes(p, bytes); }; };
  std::string big = start, bigShown = "vvv C ";
  while (big.size() < (std::size_t{1} << 20) - 100) {
    big += Line("C", "8:10:00", "a.exe");
    bigShown += "C ";
  }
  big += Line("E", "8:20:00", std::string((std::size_t{1} << 20) + 10 - big.size() - 30, 'a') + ".exe");
  const GrowthCase cases[] = {
      {"an appended line", start, {{append(Line("E", "8:20:00", "a.exe")), LogGrowth::lgAppended, "vvv C E / a.exe"}}},
      {"nothing new", start, {{[](const std::string&) {}, LogGrowth::lgNone, "vvv C / a.exe"}}},
      {"a half-written line waits for its end",
       start,
       {{append(Line("E", "8:20:00", "b.exe").substr(0, 20)), LogGrowth::lgNone, "vvv C / a.exe"},
        {append(Line("E", "8:20:00", "b.exe").substr(20)), LogGrowth::lgAppended, "vvv C E / b.exe"}}},
      {"a half-written line shown at load gives way to the whole line",
       start + Line("E", "8:20:00", "b.exe").substr(0, 24),
       {{append(Line("E", "8:20:00", "b.exe").substr(24) + Line("###", "9:00:00")), LogGrowth::lgAppended,
         "vvv C E ### / "}}},
      {"a CR LF split between two writes adds no empty line",
       start + Line("E", "8:20:00", "a.exe").substr(0, Line("E", "8:20:00", "a.exe").size() - 1),
       {{append("\n" + Line("###", "9:00:00")), LogGrowth::lgAppended, "vvv C E ### / "}}},
      {"a truncated file", start, {{rewrite(Line("vvv", "8:00:00")), LogGrowth::lgRewritten, ""}}},
      {"a file rewritten in place, longer",
       start,
       {{rewrite(Line("vvv", "7:00:00") + Line("C", "8:10:00", "a.exe") + Line("###", "9:00:00")),
         LogGrowth::lgRewritten, ""}}},
      {"a file replaced under its name, even by a longer copy",
       start,
       {{[start](const std::string& p) {
           WriteBytes(p + ".new", start + Line("###", "9:00:00"));
           std::filesystem::rename(p + ".new", p);
         },
         LogGrowth::lgRewritten, ""}}},
      {"a removed file keeps its rows", start, {{[](const std::string& p) { std::filesystem::remove(p); },
                                                  LogGrowth::lgNone, "vvv C / a.exe"}}},
      {"a NUL written into the log", start, {{append(std::string("C,\0", 3) + "\r\n"), LogGrowth::lgRewritten, ""}}},
      // Files are read a megabyte at a time: here the bytes that recognise
      // the file again lie on both sides of the first megabyte's end.
      {"a log whose last line ends just past its first megabyte", big,
       {{append(Line("###", "9:00:00")), LogGrowth::lgAppended, bigShown + "E ### / "}}},
      {"the same log changed just before that line end", big,
       {{[big](const std::string& p) {
           std::string changed = big;
           changed[changed.size() - 40] = 'b';
           WriteBytes(p, changed + Line("###", "9:00:00"));
         },
         LogGrowth::lgRewritten, ""}}},
  };
  for (const GrowthCase& c : cases) {
    TempDir dir;
    const std::string path = dir.File("today.log");
    WriteBytes(path, c.before);
    TStringGrid grid;
    TStringGridIO io;
    PrepareLogGrid(grid, io);
    std::vector<LoadedLog> logs = LoadLaunchLogs(io, {path});
    for (const Step& step : c.steps) {
      step.change(path);
      ASSERT_EQ(TakeAppendedLines(io, logs), step.growth) << c.what;
      if (step.growth == LogGrowth::lgRewritten) break;
      EXPECT_EQ(Shown(grid), step.shown) << c.what;
      EXPECT_EQ(logs[0].Rows.Count, grid.RowCount() - 1) << c.what;
    }
  }
}

TEST(LogGrowth, RowsOfTheLogsAfterAGrownOneMoveDown) {
  TempDir dir;
  const std::string first = dir.File("a.log"), second = dir.File("b.log");
  WriteBytes(first, Line("vvv", "8:00:00"));
  WriteBytes(second, Utf8ToCp932("vvv,2024/04/16,8:00:00,,\r\n"));
  TStringGrid grid;
  TStringGridIO io;
  PrepareLogGrid(grid, io);
  std::vector<LoadedLog> logs = LoadLaunchLogs(io, {second, first});
  Append(first, Line("C", "8:10:00", "a.exe") + Line("E", "8:20:00", "a.exe"));
  Append(second, Utf8ToCp932("C,2024/04/16,8:30:00,b.exe,C:\\T\r\n"));
  ASSERT_EQ(TakeAppendedLines(io, logs), LogGrowth::lgAppended);
  EXPECT_EQ(logs[0].Rows.First, 1);
  EXPECT_EQ(logs[0].Rows.Count, 3);
  EXPECT_EQ(logs[1].Rows.First, 4);
  EXPECT_EQ(logs[1].Rows.Count, 2);
  EXPECT_EQ(Shown(grid), "vvv C E vvv C / b.exe");
  EXPECT_EQ(grid.Cells(1, 4), "2024/04/16");
  EXPECT_EQ(grid.Cells(1, 0), std::string(msg::HeaderDate));  // the header stays put
}

}  // namespace
}  // namespace tokiwa::testing
