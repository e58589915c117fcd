#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

#include "chart/chart_functions.h"
#include "runtime/class_registry.h"
#include "series/bar_series.h"
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
                            Expected{"TAreaSeries", "面"}, Expected{"TPointSeries", "散布図"},
                            Expected{"TBarSeries", "縦棒"}, Expected{"THorizBarSeries", "横棒"},
                            Expected{"TPieSeries", "円"}, Expected{"TFastLineSeries", "折れ線"}}) {
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

TEST(SeriesGalleryTest, FunctionsAreListedAndNamedInTheClassRegistry) {
  const TSeriesGallery& gallery = SeriesGallery();
  struct Expected {
    const char* cls;
    const char* name;
  };
  for (const Expected& e : {Expected{"TAddFunction", "和"}, Expected{"TSubtractFunction", "差分"},
                            Expected{"TMultiplyFunction", "積"}, Expected{"TDivideFunction", "商"},
                            Expected{"THighFunction", "最大"}, Expected{"TLowFunction", "最小"},
                            Expected{"TAverageFunction", "平均値"}}) {
    const TSeriesGalleryEntry* entry = gallery.FindByName(e.name);
    ASSERT_NE(entry, nullptr) << e.name;
    EXPECT_EQ(entry->FunctionClass, e.cls);
    EXPECT_EQ(entry->SeriesClass, "");
    EXPECT_EQ(entry->Page, "関数");
    EXPECT_EQ(entry->Count, 2);
    const TComponentClass* cls = FindClass(e.cls);
    ASSERT_NE(cls, nullptr) << e.cls;
    TComponent owner(nullptr);
    TComponent* made = (*cls)(&owner);
    ASSERT_NE(dynamic_cast<TChartFunction*>(made), nullptr) << e.cls;
    EXPECT_EQ(made->ClassName(), e.cls);
    EXPECT_EQ(made->Owner(), &owner);
  }
  EXPECT_EQ(FindClass("TNoSuchFunction"), nullptr);
  EXPECT_FALSE(RegisterClass("TAddFunction", nullptr));  // the first registration stays
  EXPECT_TRUE(static_cast<bool>(*FindClass("TAddFunction")));
}

TEST(SeriesGalleryTest, RegisteringTheSameClassesAgainIsIgnored) {
  TSeriesGallery gallery;
  RegisterStandardSeries(gallery);
  const size_t count = gallery.Entries().size();
  RegisterStandardSeries(gallery);
  RegisterStandardFunctions(gallery);
  const size_t withFunctions = gallery.Entries().size();
  RegisterStandardFunctions(gallery);
  EXPECT_EQ(gallery.Entries().size(), withFunctions);
  RegisterStandardSeries(gallery);
  EXPECT_EQ(gallery.Entries().size(), withFunctions);
  EXPECT_EQ(withFunctions, count + 7);
  EXPECT_FALSE(gallery.RegisterSeries("TLineSeries", nullptr, "other", "page"));
  EXPECT_EQ(gallery.FindByClass("TLineSeries")->Name, "ﾘﾎﾞﾝ");
  // A function entry over the same series class is a different pair.
  EXPECT_TRUE(gallery.Register({"TLineSeries", "TAddTeeFunction", nullptr, "和", "関数", 2}));
  EXPECT_EQ(gallery.FindByClass("TLineSeries")->Name, "ﾘﾎﾞﾝ");
}

}  // namespace
}  // namespace tokiwa
