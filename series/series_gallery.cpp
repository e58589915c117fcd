#include "series/series_gallery.h"

namespace tokiwa {

bool TSeriesGallery::Register(TSeriesGalleryEntry entry) {
  entries_.push_back(std::move(entry));
  return true;
}
bool TSeriesGallery::RegisterSeries(const std::string& seriesClass, TSeriesFactory create, std::string_view name,
                                    std::string_view page) {
  return Register({seriesClass, "", std::move(create), std::string(name), std::string(page), 1});
}
const TSeriesGalleryEntry* TSeriesGallery::FindByName(std::string_view) const { return nullptr; }
const TSeriesGalleryEntry* TSeriesGallery::FindByClass(std::string_view) const { return nullptr; }
TChartSeries* TSeriesGallery::CreateSeries(std::string_view, TComponent*) const { return nullptr; }
TSeriesGallery& SeriesGallery() {
  static TSeriesGallery gallery;
  return gallery;
}
void RegisterStandardSeries(TSeriesGallery&) {}

}  // namespace tokiwa
