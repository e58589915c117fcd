#include "timeline/timeline_bars.h"

#include <algorithm>
#include <numeric>

#include "runtime/memory_hints.h"

namespace tokiwa {

namespace {

template <typename T>
void InsertAt(std::vector<T>& list, std::size_t at, const T& value) {
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), value);
}

// The list in the order of the positions given.
template <typename T>
void Reorder(std::vector<T>& list, const std::vector<std::size_t>& order) {
  std::vector<T> ordered;
  ordered.reserve(list.size());
  for (const std::size_t i : order) ordered.push_back(list[i]);
  list = std::move(ordered);
}

}  // namespace

void TimelineBars::reserve(std::size_t count) {
  ReserveAdvised(Starts, count);
  ReserveAdvised(Ends, count);
  ReserveAdvised(Rows, count);
  ReserveAdvised(Colours, count);
  ReserveAdvised(Labels, count);
  ReserveAdvised(Ended, count);
}

void TimelineBars::insert(std::size_t at, const TimelineBar& bar) {
  InsertAt(Starts, at, bar.Start);
  InsertAt(Ends, at, bar.End);
  InsertAt(Rows, at, static_cast<double>(bar.Row));
  InsertAt(Colours, at, bar.Colour);
  InsertAt(Labels, at, bar.Label);
  InsertAt(Ended, at, bar.Ended);
}

void TimelineBars::SortByStart() {
  // Logs usually run forward, and then there is nothing to move.
  if (std::is_sorted(Starts.begin(), Starts.end())) return;
  std::vector<std::size_t> order(size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) { return Starts[a] < Starts[b]; });
  Reorder(Starts, order);
  Reorder(Ends, order);
  Reorder(Rows, order);
  Reorder(Colours, order);
  Reorder(Labels, order);
  Reorder(Ended, order);
}

}  // namespace tokiwa
