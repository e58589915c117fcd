// Rows read one after another keep the last plain date; every row must still
// read exactly as its "date time" text does, and a row that is not a date
// and time must leave that text for its message.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "runtime/date_time_text.h"
#include "timeline/row_facts.h"

namespace tokiwa::testing {
namespace {

TEST(RowStampReader, ReadsEachRowAsItsStampText) {
  const char* const dates[] = {"2024/04/15", "2024/04/15", "2024/4/16", "2024/02/30", "24/04/15", "",
                               " 2024/04/15", "04/15",     "2024/04/15/", "2024-04-15", "9999/12/31"};
  const char* const times[] = {"8:00:00", "23:59:59", "24:00:00", "8:00", "", " 8:00:00", "午後 1:00:00", "8:00:00x"};
  FormatSettings dashed = JapaneseFormatSettings();
  dashed.DateSeparator = '-';
  for (const FormatSettings& settings : {JapaneseFormatSettings(), dashed}) {
    const StampReader stamps{settings, 2024};
    RowStampReader reader(stamps);
    std::mt19937 rng(6);
    for (int row = 0; row < 5000; ++row) {
      const std::string_view cells[kFactCells] = {"C", dates[rng() % std::size(dates)], times[rng() % std::size(times)]};
      const std::string text = std::string(cells[kDateCell]) + " " + std::string(cells[kTimeCell]);
      TDateTime expected = 0, value = 0;
      const bool read = TryStrToDateTime(text, expected, settings, 2024);
      ASSERT_EQ(reader.Read(cells, value), read) << text;
      if (read) {
        ASSERT_EQ(value, expected) << text;
      } else {
        ASSERT_EQ(reader.LastText(), text);
      }
    }
  }
}

}  // namespace
}  // namespace tokiwa::testing
