// The command-line modes read logs straight into their rows' facts, a
// megabyte at a time and a large file as two halves at once; what they read
// must be exactly what the window's grid holds, wherever a piece or the
// halves are cut, and their failures the loader's.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "support/temp_dir.h"
#include "timeline/launch_log.h"
#include "timeline/log_files.h"
#include "timeline/log_stream.h"
#include "timeline/log_timeline.h"

namespace tokiwa::testing {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;
const StampReader kStamps{JapaneseFormatSettings(), 2024};

// CP932 log lines of mixed widths (kanji, kana, half-width katakana), so lead
// and trail bytes fall everywhere, with a few rows whose dates cannot be read.
std::string Lines(std::size_t bytes, const char* ending) {
  const char* const markers[] = {"vvv", "C", "E", "S", "x", "###", "C", "E"};
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) {
    const std::string date = i % 997 == 0 ? "2024/02/30" : "2024/04/15";
    text += Utf8ToCp932(std::string(markers[i % 8]) + "," + date + ",8:" + std::to_string(10 + i % 50) +
                        ":00,ﾒﾓ帳" + std::to_string(i % 13) + ".exe,C:\\Users\\山田\\デスクトップ") +
            ending;
  }
  return text;
}

// bytes with at puts just before where the first megabyte piece ends.
std::string AtPieceEnd(std::string bytes, const std::string& at) {
  return bytes.replace(kMiB - at.size() / 2, at.size(), at);
}

struct Read {
  RowFacts facts;
  std::vector<LoadedLog> logs;
  TimelineScan scan;
};

Read ThroughTheGrid(const std::vector<std::string>& paths, TStringGrid& grid) {
  TStringGridIO io;
  PrepareLogGrid(grid, io);
  Read read;
  read.logs = LoadLaunchLogs(io, paths);
  read.facts = FactsOfGrid(grid, kStamps);
  TimelineSource source;
  source.Grid = &grid;
  source.Logs = RowsOf(read.logs);
  source.CurrentYear = 2024;
  read.scan = ScanLogs(source, read.logs);
  return read;
}

Read Streamed(const std::vector<std::string>& paths) {
  std::optional<StreamedLogs> streamed = StreamLaunchLogs(paths, kStamps);
  EXPECT_TRUE(streamed.has_value()) << "read through the grid instead";
  StreamedLogs logs = streamed ? std::move(*streamed) : StreamedLogs{};
  TimelineSource source;
  source.Logs = RowsOf(logs.Logs);
  source.CurrentYear = 2024;
  Read read{std::move(logs.Facts), std::move(logs.Logs), {}};
  read.scan = ScanRowFacts(read.facts, source);
  if (read.scan.Stopped) read.scan.Stopped->Message = UnreadableRowMessage(read.logs, *read.scan.Stopped);
  return read;
}

void ExpectSame(const Read& streamed, const Read& grid, const std::string& what) {
  EXPECT_EQ(streamed.facts.Kinds, grid.facts.Kinds) << what;
  EXPECT_EQ(streamed.facts.KeyIds, grid.facts.KeyIds) << what;
  EXPECT_EQ(streamed.facts.TimeValid, grid.facts.TimeValid) << what;
  EXPECT_EQ(streamed.facts.Times, grid.facts.Times) << what;
  EXPECT_EQ(streamed.facts.Keys, grid.facts.Keys) << what;
  ASSERT_EQ(streamed.logs.size(), grid.logs.size()) << what;
  for (std::size_t i = 0; i < grid.logs.size(); ++i) {
    EXPECT_EQ(streamed.logs[i].Path, grid.logs[i].Path) << what;
    EXPECT_EQ(streamed.logs[i].Rows.First, grid.logs[i].Rows.First) << what;
    EXPECT_EQ(streamed.logs[i].Rows.Count, grid.logs[i].Rows.Count) << what;
  }
  ASSERT_EQ(streamed.scan.Bars.size(), grid.scan.Bars.size()) << what;
  for (std::size_t i = 0; i < grid.scan.Bars.size(); ++i) {
    const TimelineBar &a = streamed.scan.Bars[i], &b = grid.scan.Bars[i];
    EXPECT_TRUE(a.Start == b.Start && a.End == b.End && a.Row == b.Row && a.Label == b.Label && a.Ended == b.Ended)
        << what << ", bar " << i;
  }
  EXPECT_EQ(streamed.scan.Labels, grid.scan.Labels) << what;
  EXPECT_EQ(streamed.scan.RowLabels, grid.scan.RowLabels) << what;
  ASSERT_EQ(streamed.scan.Stopped.has_value(), grid.scan.Stopped.has_value()) << what;
  if (grid.scan.Stopped) {
    EXPECT_EQ(streamed.scan.Stopped->Row, grid.scan.Stopped->Row) << what;
    EXPECT_EQ(streamed.scan.Stopped->Message, grid.scan.Stopped->Message) << what;
  }
}

TEST(StreamedLogs, ReadWhatTheGridHoldsWhereverPiecesAndHalvesAreCut) {
  const std::string crlf = Lines(3 * kMiB, "\r\n");
  std::string nulFirst = crlf, nulSecond = crlf;
  nulFirst[kMiB] = '\0';
  nulSecond[5 * kMiB / 2] = '\0';
  // A line of three pieces whose CR ends the third and whose LF starts the fourth.
  const std::string head = "vvv,2024/04/15,8:00:00,,";
  const std::string longLine = head + std::string(3 * kMiB - 1 - head.size(), 'y') + "\r\n" + Lines(kMiB, "\r\n");
  // A run opened after the bad row: the scan stops there, naming its date.
  const std::string badLast = Lines(kMiB, "\n") + "vvv,2024/04/15,9:00:00,,\nx,2024/13/01,9:10:00,,";
  // Cells that are not ASCII: a designator, a wide marker, quoted kanji, stray
  // bytes, lead bytes right before a delimiter (the folder's, then "\" in the
  // key, must not pair with it), and last a date in wide digits.
  const std::string odd = Utf8ToCp932(
      "vvv,2024/04/15,8:00:00,,\r\nC,2024/04/15,午後 1:00:00,ﾒﾓ帳.exe,C:\\山田\r\nＣ,2024/04/15,9:00:00,x.exe,y\r\n"
      "C,2024/04/15,9:30:00,\"山田.exe\",\"C:\\表\"\r\n") +
      "C,2024/04/15,9:10:00,a\x95,C:\\b\x95\r\nE,2024/04/15,9:20:00,a\x95,C:\\b\x95\r\n"
      "C,2024/04/15,9:40:00,\x80\xFD.exe,\xA0\x82\r\n" +
      Utf8ToCp932("C,２０２４/04/15,9:50:00,a,b\r\nE,2024/04/15,9:55:00,a,b\r\n");
  const struct {
    const char* what;
    std::vector<std::string> files;
  } cases[] = {
      {"CR LF lines", {crlf}},
      {"LF lines without an end on the last", {Lines(3 * kMiB, "\n") + "E,2024/04/15,9:00:00,a,b"}},
      {"CR lines: no line feed to cut the halves at", {Lines(3 * kMiB, "\r")}},
      {"a NUL in the first half", {nulFirst}},
      {"a NUL in the second half", {nulSecond}},
      {"the second half one unended line", {Lines(3 * kMiB / 2, "\n") + std::string(kMiB + 1000, 'x')}},
      {"a CR ending the first piece, its LF the next", {AtPieceEnd(Lines(2 * kMiB, "\n"), "\r\n")}},
      {"a lead byte ending the first piece", {AtPieceEnd(Lines(2 * kMiB, "\n"), Utf8ToCp932("山田"))}},
      {"an empty file", {""}},
      {"a line over several pieces, its CR LF split between two", {longLine}},
      {"the last row unreadable, needed as a run's end", {badLast}},
      {"cells that are not ASCII", {odd}},
      {"cells that are not ASCII, in the second half", {Lines(3 * kMiB, "\r\n") + odd}},
      {"several files, ordered by their first date",
       {"x\r\nC,2024/04/16,8:00:00,a,b\r\n", "", "C,2024/04/15,8:00:00,a,b\r\nE,2024/04/15,9:00:00,a,b\r\n",
        "vvv,2024/04/14,7:00:00,,\r\n"}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::vector<std::string> paths;
    for (const std::string& bytes : c.files) {
      paths.push_back(dir.File("log" + std::to_string(paths.size()) + ".log"));
      WriteBytes(paths.back(), bytes);
    }
    TStringGrid grid;
    ExpectSame(Streamed(paths), ThroughTheGrid(paths, grid), c.what);
  }
}

// Files of so many short lines that their rows would outgrow their text are
// left to the grid load, which applies its row limit or reads them.
TEST(StreamedLogs, FailAsTheGridLoaderFailsAndLeaveDenseFilesToIt) {
  TempDir dir;
  const std::string good = dir.File("good.log"), wide = dir.File("wide.log");
  const std::string dense = dir.File("dense.log"), denseThenLong = dir.File("dense-then-long.log");
  WriteBytes(good, "vvv,2024/04/15,8:00:00,,\r\n");
  WriteBytes(wide, "C" + std::string(kMaxGridColumns, ',') + "\r\n");
  WriteBytes(dense, std::string(5 * kMiB / 2, '\n'));  // beyond the row limit
  // As many rows, but with enough text after them for the grid to take them.
  WriteBytes(denseThenLong, std::string(12 * kMiB / 5, '\n') + "vvv,2024/04/15,8:00:00," +
                                std::string(24 * kMiB, 'z') + "\nC,2024/04/15,9:00:00,a\n");
  // Rows within the limit of their decoded text (a half-width kana is three
  // bytes decoded) but not of their bytes: only the grid load can tell.
  const std::string denseKana = dir.File("dense-kana.log");
  std::string kana;
  for (int i = 0; i < 2'500'000; ++i) kana += "\xB1,\n";
  WriteBytes(denseKana, kana);
  EXPECT_FALSE(StreamLaunchLogs({denseThenLong}, kStamps).has_value());
  EXPECT_FALSE(StreamLaunchLogs({denseKana}, kStamps).has_value());
  const auto outcome = [](const std::function<TimelineScan()>& scan) {
    try {
      const TimelineScan s = scan();
      return "bars " + std::to_string(s.Bars.size()) + (s.Stopped ? ", stopped: " + s.Stopped->Message : "");
    } catch (const Exception& e) {
      return std::string(e.what());
    }
  };
  const std::vector<std::vector<std::string>> cases = {{dir.File("missing.log")}, {dir.path().string()}, {wide},
                                                       {good, dir.File("missing.log")}, {good, wide}, {dense},
                                                       {good, dense}, {denseThenLong}, {denseKana}};
  const TStringList noneHidden;
  for (const std::vector<std::string>& paths : cases) {
    TStringGrid grid;
    const std::string expected = outcome([&] { return ThroughTheGrid(paths, grid).scan; });
    EXPECT_EQ(outcome([&] { return ScanLogFiles(paths, noneHidden, false); }), expected) << paths.back();
    if (paths.back() == denseThenLong || paths.back() == denseKana) {
      EXPECT_EQ(expected, paths.back() == denseKana ? "bars 0" : "bars 2");  // read, not refused
    }
  }
}

}  // namespace
}  // namespace tokiwa::testing
