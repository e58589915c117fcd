// --summary: the totals per program of several logs as CSV.
#include <gtest/gtest.h>

#include <sstream>

#include "app/summary_mode.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {
namespace {

TEST(SummaryMode, OneQuotedLinePerProgramAcrossTheLogs) {
  TempDir dir;
  const std::string day1 = dir.File("day1.log"), day2 = dir.File("day2.log"), hidden = dir.File("hidden.lst");
  WriteBytes(day1, LogBytes({{"vvv", "2024/04/15", "8:00:00", "", ""},
                             {"C", "2024/04/15", "8:10:00", "say \"hi\".exe", "D:\\\"a\""},
                             {"C", "2024/04/15", "8:20:00", "x.exe", "C:\\T"},
                             {"###", "2024/04/15", "9:00:00", "", ""}}));
  WriteBytes(day2, LogBytes({{"C", "2024/04/16", "8:00:00", "表計算.exe", "C:\\ツール"},
                             {"E", "2024/04/16", "8:00:59", "表計算.exe", "C:\\ツール"}}));
  WriteBytes(hidden, Utf8ToCp932("C:\\T\\x.exe\r\n"));
  TimelineJob job;
  job.LogFiles = {day2, day1};
  job.HasHiddenList = true;
  job.HiddenListFile = hidden;
  std::ostringstream out;
  std::vector<std::string> messages;
  EXPECT_EQ(RunSummary(job, out, [&](const std::string& m) { messages.push_back(m); }), 0);
  EXPECT_EQ(out.str(),
            "file,folder,runs,total,longest,first_start,last_end,end_inferred\n"
            "\"say \"\"hi\"\".exe\",\"D:\\\"\"a\"\"\",1,3000,3000,2024-04-15 08:10:00,2024-04-15 09:00:00,1\n"
            "\"表計算.exe\",\"C:\\ツール\",1,59,59,2024-04-16 08:00:00,2024-04-16 08:00:59,0\n");
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace tokiwa::testing
