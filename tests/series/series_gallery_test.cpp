#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

#include "series/custom_series.h"
#include "series/gantt_series.h"
#include "series/series_gallery.h"

namespace tokiwa {
namespace {

TEST(SeriesGalleryTest, StandardTypesAreListedOnTheStandardPage) {
  const TSeriesGallery& gallery = SeriesGallery();
  struct Expected {
    const char* cls;
    const char* name;
  };
  for (const Expected& e : {Expected{"TGanttSeries", "ｶﾞﾝﾄ"}, Expected{"TLineSeries", "ﾘﾎﾞﾝ"},
                            Expected{"TAreaSeries", "面"}, Expected{"TPointSeries", "散布図"}}) {
    const TSeriesGalleryEntry* entry = gallery.FindByClass(e.cls);
    ASSERT_NE(entry, nullptr) << e.cls;
    EXPECT_EQ(entry->Name, e.name);
    EXPECT_EQ(entry->Page, "標準");
    EXPECT_EQ(gallery.FindByName(e.name), entry);
  }
}

TEST(SeriesGalleryTest, CreatesSeriesOfTheListedClass) {
  std::unique_ptr<TChartSeries> gantt(SeriesGallery().CreateSeries("TGanttSeries", nullptr));
  ASSERT_NE(gantt, nullptr);
  EXPECT_TRUE(gantt->IsA(typeid(TGanttSeries)));
  EXPECT_TRUE(gantt->IsA(typeid(TPointSeries)));
  EXPECT_EQ(gantt->ClassName(), "TGanttSeries");
  EXPECT_EQ(SeriesGallery().CreateSeries("TNoSuchSeries", nullptr), nullptr);

  TComponent owner(nullptr);
  TChartSeries* owned = SeriesGallery().CreateSeries("TAreaSeries", &owner);
  ASSERT_NE(owned, nullptr);
  EXPECT_EQ(owned->Owner(), &owner);  // the owner destroys it
}

TEST(SeriesGalleryTest, RegisteringTheSameClassesAgainIsIgnored) {
  TSeriesGallery gallery;
  RegisterStandardSeries(gallery);
  const size_t count = gallery.Entries().size();
  RegisterStandardSeries(gallery);
  EXPECT_EQ(gallery.Entries().size(), count);
  EXPECT_FALSE(gallery.RegisterSeries("TLineSeries", nullptr, "other", "page"));
  EXPECT_EQ(gallery.FindByClass("TLineSeries")->Name, "ﾘﾎﾞﾝ");
  // A function entry over the same series class is a different pair.
  EXPECT_TRUE(gallery.Register({"TLineSeries", "TAddTeeFunction", nullptr, "和", "関数", 2}));
  EXPECT_EQ(gallery.FindByClass("TLineSeries")->Name, "ﾘﾎﾞﾝ");
}

}  // namespace
}  // namespace tokiwa
