#include "series/series_gallery.h"

#include <algorithm>

#include "runtime/messages.h"
#include "series/custom_series.h"
#include "series/gantt_series.h"

namespace tokiwa {

bool TSeriesGallery::Register(TSeriesGalleryEntry entry) {
  const bool listed = std::any_of(entries_.begin(), entries_.end(), [&](const TSeriesGalleryEntry& e) {
    return e.SeriesClass == entry.SeriesClass && e.FunctionClass == entry.FunctionClass;
  });
  if (listed) return false;
  entries_.push_back(std::move(entry));
  return true;
}

bool TSeriesGallery::RegisterSeries(const std::string& seriesClass, TSeriesFactory create, std::string_view name,
                                    std::string_view page) {
  return Register({seriesClass, "", std::move(create), std::string(name), std::string(page), 1});
}

const TSeriesGalleryEntry* TSeriesGallery::FindByName(std::string_view name) const {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const TSeriesGalleryEntry& e) { return e.Name == name; });
  return it == entries_.end() ? nullptr : &*it;
}

const TSeriesGalleryEntry* TSeriesGallery::FindByClass(std::string_view seriesClass) const {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const TSeriesGalleryEntry& e) {
    return e.SeriesClass == seriesClass && e.FunctionClass.empty();
  });
  return it == entries_.end() ? nullptr : &*it;
}

TChartSeries* TSeriesGallery::CreateSeries(std::string_view seriesClass, TComponent* owner) const {
  const TSeriesGalleryEntry* entry = FindByClass(seriesClass);
  return entry && entry->Create ? entry->Create(owner) : nullptr;
}

namespace {

template <class Series>
TSeriesFactory FactoryOf() {
  return [](TComponent* owner) -> TChartSeries* { return new Series(owner); };
}

}  // namespace

void RegisterStandardSeries(TSeriesGallery& gallery) {
  const std::string_view page = msg::GalleryStandard;
  gallery.RegisterSeries("TLineSeries", FactoryOf<TLineSeries>(), msg::GalleryLine, page);
  gallery.RegisterSeries("TAreaSeries", FactoryOf<TAreaSeries>(), msg::GalleryArea, page);
  gallery.RegisterSeries("TPointSeries", FactoryOf<TPointSeries>(), msg::GalleryPoint, page);
  gallery.RegisterSeries("TGanttSeries", FactoryOf<TGanttSeries>(), msg::GalleryGantt, page);
}

TSeriesGallery& SeriesGallery() {
  static TSeriesGallery gallery = [] {
    TSeriesGallery g;
    RegisterStandardSeries(g);
    return g;
  }();
  return gallery;
}

}  // namespace tokiwa
