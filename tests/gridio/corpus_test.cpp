// Every file under tests/data/gridio loaded as the viewer loads a log: grid of
// two rows with one fixed, Stretch on, delimiter ",", quote stripping on.
#include <gtest/gtest.h>

#include "gridio/grid_load_test_util.h"
#include "runtime/encoding.h"

namespace tokiwa {
namespace {

using testing::DataFile;
using testing::GridRows;
using testing::Rows;
using testing::ViewerGrid;

const std::string R = "\uFFFD";  // replacement character

struct Case {
  const char* file;
  int fixedRows;  // after the load
  Rows rows;
};

class Corpus : public ::testing::TestWithParam<Case> {};

TEST_P(Corpus, LoadsExactly) {
  ViewerGrid v;
  v.io.LoadGrid(DataFile(GetParam().file), ",", true);
  EXPECT_EQ(v.grid.FixedRows(), GetParam().fixedRows);
  // As shown: undecodable bytes are kept in the cells and shown replaced.
  Rows shown = GridRows(v.grid);
  for (auto& row : shown)
    for (auto& cell : row) cell = Cp932DisplayText(cell);
  EXPECT_EQ(shown, GetParam().rows);
}

const Rows kTwoLines = {{"", ""}, {"a", "b"}, {"c", "d"}};

INSTANTIATE_TEST_SUITE_P(
    LineEnds, Corpus,
    ::testing::Values(
        Case{"empty.csv", 0, {{""}}},
        Case{"only_crlf.csv", 1, {{""}, {""}}},
        Case{"crlf.csv", 1, kTwoLines},
        Case{"no_final_line_end.csv", 1, kTwoLines},
        Case{"cr_only.csv", 1, kTwoLines},
        Case{"lf_only.csv", 1, kTwoLines},
        Case{"mixed_line_ends.csv", 1, {{"", ""}, {"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}}},
        Case{"cr_cr_lf.csv", 1, {{"", ""}, {"a", "b"}, {"", ""}, {"c", "d"}, {"", ""}}}),
    [](const auto& info) { return std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    NulAndForeignEncodings, Corpus,
    ::testing::Values(
        Case{"nul_at_start.csv", 0, {{""}}},
        Case{"nul_mid_line.csv", 1, kTwoLines},
        // Taken as CP932 bytes: EF BB is no character, BF is half-width "ｿ".
        Case{"utf8_bom.csv", 1, {{"", ""}, {R + "ｿa", "b"}}},
        // FF FE are no characters and the NUL after "a" ends the text.
        Case{"utf16le.csv", 1, {{""}, {R + R + "a"}}}),
    [](const auto& info) { return std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    BrokenShiftJis, Corpus,
    ::testing::Values(
        Case{"lead_before_comma.csv", 1, {{"", ""}, {"a" + R, "b"}}},
        Case{"lead_before_cr.csv", 1, {{""}, {"a" + R}, {"b"}}},
        Case{"lead_before_lf.csv", 1, {{""}, {"a" + R}, {"b"}}},
        Case{"lead_at_eof.csv", 1, {{"", ""}, {"a", "b" + R}}},
        Case{"invalid_single_bytes.csv", 1, {{"", "", "", "", ""}, {R, R, R, R, R}}}),
    [](const auto& info) { return std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    Fields, Corpus,
    ::testing::Values(
        Case{"quote_empty_pair.csv", 1, {{"", "", ""}, {"x", "", "y"}}},
        Case{"quote_single.csv", 1, {{"", "", ""}, {"x", "\"", "y"}}},
        Case{"quote_with_delimiter.csv", 1, {{"", "", "", ""}, {"x", "\"a", "b\"", "y"}}},
        Case{"quote_doubled.csv", 1, {{"", "", ""}, {"x", "\"\"", "y"}}},
        Case{"rows_0_5_6_delimiters.csv", 1,
             {{"", "", "", "", "", "", ""},
              {"solo", "", "", "", "", "", ""},
              {"a", "b", "c", "d", "e", "f", ""},
              {"1", "2", "3", "4", "5", "6", "7"}}},
        Case{"launch_log.csv", 1,
             {{"", "", "", "", ""},
              {"vvv", "2023/04/01", "9:00:00", "", ""},
              {"C", "2023/04/01", "9:05:10", "EXCEL.EXE", "C:\\Program Files\\Microsoft Office\\"},
              {"E", "2023/04/01", "9:30:00", "EXCEL.EXE", "C:\\Program Files\\Microsoft Office\\"},
              {"C", "2023/04/01", "10:00:00", "表計算.exe", "D:\\ツール\\表計算～\\"}}}),
    [](const auto& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace tokiwa
