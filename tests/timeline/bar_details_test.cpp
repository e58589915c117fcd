// What the window tells about a bar on hover and beside its row: the details
// text, run lengths and row names.
#include <gtest/gtest.h>

#include "runtime/messages.h"
#include "tests/timeline/timeline_test_support.h"
#include "timeline/bar_details.h"

namespace tokiwa::testing {
namespace {

const std::string kDay = "2024/04/15";

TEST(BarDetails, TextForALoggedEndAnInferredEndAndTheSystemRow) {
  TimelineLog log;
  log.Load({
      {"vvv", "2024/04/14", "23:00:00", "", ""},
      {"C", "2024/04/15", "0:00:00", "ﾒﾓ帳.exe (2)", "C:\\ツール\\ﾒﾓ帳"},
      {"E", "2024/04/16", "1:02:03", "ﾒﾓ帳.exe (2)", "C:\\ツール\\ﾒﾓ帳"},
      {"C", "2024/04/16", "1:10:00", "b.exe", "C:\\T"},
      {"###", "2024/04/16", "2:00:00", "", ""},
  });
  ASSERT_FALSE(log.Build());
  const TimelineScan scan = log.Scan();
  const TGanttSeries& s = log.Series();
  ASSERT_EQ(s.PointCount(), 3);
  // Midnight keeps its time; the hours go on past a day.
  EXPECT_EQ(BarDetailsText(s, 1, scan.Bars[1].Ended),
            "ﾒﾓ帳.exe (2)\nC:\\ツール\\ﾒﾓ帳\n開始 2024/04/15 0:00:00\n終了 2024/04/16 1:02:03\n実行時間 25:02:03");
  EXPECT_EQ(BarDetailsText(s, 2, scan.Bars[2].Ended),
            "b.exe\nC:\\T\n開始 2024/04/16 1:10:00\n終了 2024/04/16 2:00:00\n実行時間 0:50:00\n"
            "シャットダウン時に実行中");
  EXPECT_EQ(BarDetailsText(s, 0, scan.Bars[0].Ended),
            "システム\n開始 2024/04/14 23:00:00\n終了 2024/04/16 2:00:00\n実行時間 27:00:00");
  EXPECT_EQ(BarDetailsText(s, 0, RunEnd::reNextStart).substr(BarDetailsText(s, 0, RunEnd::reEndRow).size()),
            "\n終了行なし: 次の起動の直前まで");
}

TEST(BarDetails, RunLengths) {
  const double day = EncodeDate(2024, 4, 15);
  const double second = 1.0 / 86400;
  EXPECT_EQ(RunLengthText(day, day), "0:00:00");
  EXPECT_EQ(RunLengthText(day, day + 59 * second), "0:00:59");
  EXPECT_EQ(RunLengthText(day, day + 3600 * second), "1:00:00");
  EXPECT_EQ(RunLengthText(day, day + 1000 + 1 * second), "24000:00:01");
  EXPECT_EQ(RunLengthText(day + 90 * second, day), "-0:01:30");  // a clock set back
}

TEST(BarDetails, RowNamesAreFileNamesInTheOrderOfTheRows) {
  TimelineLog log;
  log.Load({
      {"vvv", kDay, "8:00:00", "", ""},
      {"C", kDay, "8:01:00", "b.exe", "C:\\T"},
      {"C", kDay, "8:02:00", "ﾒﾓ帳.exe (2)", "C:\\ツール"},
      {"C", kDay, "8:03:00", "ﾒﾓ帳.exe (3)", "C:\\ツール"},  // the same program
      {"C", kDay, "8:04:00", "A.EXE", "C:\\T"},
      {"C", kDay, "8:05:00", "a.exe", "c:\\t"},  // the same name, ignoring case
      {"C", kDay, "8:06:00", "", "C:\\NoFile"},
  });
  EXPECT_EQ(DetailsOf(log.Scan()).RowNames,
            (std::vector<std::string>{"システム", "b.exe", "ﾒﾓ帳.exe", "A.EXE", "C:\\NoFile\\"}));
  // A hidden program takes no row, and so no name.
  EXPECT_EQ(DetailsOf(log.Scan({"C:\\T\\b.exe"})).RowNames,
            (std::vector<std::string>{"システム", "ﾒﾓ帳.exe", "A.EXE", "C:\\NoFile\\"}));
}

}  // namespace
}  // namespace tokiwa::testing
