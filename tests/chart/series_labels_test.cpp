#include <gtest/gtest.h>

#include <string>

#include "chart/series.h"
#include "chart/series_labels.h"

namespace tokiwa {
namespace {

TEST(LabelPool, EqualTextsShareOneEntryUntilTheirLastUserLetsGo) {
  TLabelPool pool;
  EXPECT_EQ(pool.Acquire(""), TLabelPool::kNone);
  const auto a = pool.Acquire("notepad.exe");
  EXPECT_EQ(pool.Acquire("notepad.exe"), a);
  const auto b = pool.Acquire("calc.exe");
  EXPECT_NE(a, b);
  EXPECT_EQ(pool.Size(), 2u);

  pool.Release(a);
  EXPECT_EQ(pool.Text(a), "notepad.exe");  // one user left
  pool.Release(a);
  EXPECT_EQ(pool.Size(), 1u);

  // The freed id serves a new text; the other entry is untouched.
  const auto c = pool.Acquire("mspaint.exe");
  EXPECT_EQ(c, a);
  EXPECT_EQ(pool.Text(c), "mspaint.exe");
  EXPECT_EQ(pool.Text(b), "calc.exe");
  EXPECT_EQ(pool.Text(TLabelPool::kNone), "");

  // Users counted many at a time.
  EXPECT_EQ(pool.Acquire("calc.exe", 3), b);
  pool.Release(b, 3);
  EXPECT_EQ(pool.Text(b), "calc.exe");
  pool.Release(b);
  EXPECT_EQ(pool.Size(), 1u);
}

// Texts passed again from the same string are recognised by its address and
// checked by content: a string changed in place, or an id freed and given to
// another text meanwhile, is looked up again.
TEST(LabelPool, ATextPassedAgainFromTheSameStringGetsItsOwnId) {
  TLabelPool pool;
  std::string text = "notepad.exe";
  const auto a = pool.Acquire(text);
  EXPECT_EQ(pool.Acquire(text), a);
  text[0] = 'N';  // same bytes' address, other text
  const auto b = pool.Acquire(text);
  EXPECT_NE(b, a);
  EXPECT_EQ(pool.Text(b), "Notepad.exe");
  pool.Release(a);
  pool.Release(a);                          // "notepad.exe" forgotten, its id free
  const auto c = pool.Acquire("calc.exe");  // takes the freed id
  text = "notepad.exe";
  const auto d = pool.Acquire(text);
  EXPECT_EQ(pool.Text(c), "calc.exe");
  EXPECT_EQ(pool.Text(d), "notepad.exe");
  EXPECT_NE(d, c);
  pool.Release(b);
  EXPECT_EQ(pool.Acquire(text), d);  // counted as a second user
  pool.Release(d);
  EXPECT_EQ(pool.Text(d), "notepad.exe");
}

TEST(LabelPool, SeriesKeepTheLabelsOfTheirRemainingPoints) {
  TChartSeries s(nullptr);
  s.AppendPoint(1, 1, "same");
  s.AppendPoint(2, 2, "same");
  s.AppendPoint(3, 3, "other");
  s.RemovePoint(0);
  s.RemovePoint(1);  // "other": its text is forgotten
  s.AppendPoint(4, 4, "new");
  ASSERT_EQ(s.PointCount(), 2);
  EXPECT_EQ(s.PointLabel(0), "same");
  EXPECT_EQ(s.PointLabel(1), "new");

  s.RemoveAllPoints();
  s.AppendPoint(5, 5, "same");
  EXPECT_EQ(s.PointLabel(0), "same");
}

}  // namespace
}  // namespace tokiwa
