#pragma once
// The engine's list of available series (and function) types: what a series
// editor would offer, grouped by page. The standard types register themselves
// the first time the gallery is asked for.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tokiwa {

class TChartSeries;
class TComponent;

// Creates a series owned by the given component (which destroys it).
using TSeriesFactory = std::function<TChartSeries*(TComponent* owner)>;

struct TSeriesGalleryEntry {
  std::string SeriesClass;    // empty for a function entry without a series class
  std::string FunctionClass;  // empty for plain series types
  TSeriesFactory Create;
  std::string Name;  // display name
  std::string Page;  // group the entry is shown under
  int Count = 1;
};

class TSeriesGallery {
 public:
  // Answers false (and changes nothing) when the same pair of classes is already listed.
  bool Register(TSeriesGalleryEntry entry);
  bool RegisterSeries(const std::string& seriesClass, TSeriesFactory create, std::string_view name,
                      std::string_view page);
  const std::vector<TSeriesGalleryEntry>& Entries() const { return entries_; }
  const TSeriesGalleryEntry* FindByName(std::string_view name) const;
  const TSeriesGalleryEntry* FindByClass(std::string_view seriesClass) const;
  // A new series of a listed class, or nullptr when the class is not listed.
  TChartSeries* CreateSeries(std::string_view seriesClass, TComponent* owner) const;

 private:
  std::vector<TSeriesGalleryEntry> entries_;
};

// The process-wide gallery, with this library's series types registered.
TSeriesGallery& SeriesGallery();

// Registers the series types of this library; repeated calls change nothing.
void RegisterStandardSeries(TSeriesGallery& gallery);
// Registers the standard functions, in the gallery and with the class registry.
void RegisterStandardFunctions(TSeriesGallery& gallery);

}  // namespace tokiwa
