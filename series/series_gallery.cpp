#include "series/series_gallery.h"

#include <algorithm>

#include "chart/chart_functions.h"
#include "runtime/class_registry.h"
#include "runtime/messages.h"
#include "series/bar_series.h"
#include "series/custom_series.h"
#include "series/fast_line_series.h"
#include "series/gantt_series.h"
#include "series/pie_series.h"

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

// A function type: known to the class registry, listed without a series class.
template <class Function>
void RegisterFunction(TSeriesGallery& gallery, std::string_view functionClass, std::string_view name) {
  RegisterClass(functionClass, [](TComponent* owner) -> TComponent* { return new Function(owner); });
  gallery.Register({"", std::string(functionClass), nullptr, std::string(name), std::string(msg::GalleryFunctions), 2});
}

}  // namespace

void RegisterStandardSeries(TSeriesGallery& gallery) {
  const std::string_view page = msg::GalleryStandard;
  gallery.RegisterSeries("TLineSeries", FactoryOf<TLineSeries>(), msg::GalleryLine, page);
  gallery.RegisterSeries("TAreaSeries", FactoryOf<TAreaSeries>(), msg::GalleryArea, page);
  gallery.RegisterSeries("TPointSeries", FactoryOf<TPointSeries>(), msg::GalleryPoint, page);
  gallery.RegisterSeries("TPieSeries", FactoryOf<TPieSeries>(), msg::GalleryPie, page);
  gallery.RegisterSeries("TFastLineSeries", FactoryOf<TFastLineSeries>(), msg::GalleryFastLine, page);
  gallery.RegisterSeries("TGanttSeries", FactoryOf<TGanttSeries>(), msg::GalleryGantt, page);
  gallery.RegisterSeries("TBarSeries", FactoryOf<TBarSeries>(), msg::GalleryBar, page);
  gallery.RegisterSeries("THorizBarSeries", FactoryOf<THorizBarSeries>(), msg::GalleryHorizBar, page);
}

void RegisterStandardFunctions(TSeriesGallery& gallery) {
  RegisterFunction<TAddFunction>(gallery, "TAddFunction", msg::FunctionAdd);
  RegisterFunction<TSubtractFunction>(gallery, "TSubtractFunction", msg::FunctionSubtract);
  RegisterFunction<TMultiplyFunction>(gallery, "TMultiplyFunction", msg::FunctionMultiply);
  RegisterFunction<TDivideFunction>(gallery, "TDivideFunction", msg::FunctionDivide);
  RegisterFunction<THighFunction>(gallery, "THighFunction", msg::FunctionHigh);
  RegisterFunction<TLowFunction>(gallery, "TLowFunction", msg::FunctionLow);
  RegisterFunction<TAverageFunction>(gallery, "TAverageFunction", msg::FunctionAverage);
}

TSeriesGallery& SeriesGallery() {
  static TSeriesGallery gallery = [] {
    TSeriesGallery g;
    RegisterStandardSeries(g);
    RegisterStandardFunctions(g);
    return g;
  }();
  return gallery;
}

namespace {

// Registered when the program starts, so that a stored form can name them.
[[maybe_unused]] const bool kRegisteredAtStart = (SeriesGallery(), true);

}  // namespace

}  // namespace tokiwa
