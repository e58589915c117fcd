#include "series/bar_index.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "chart/value_list.h"

namespace tokiwa {

namespace {

// The first position p in [0, n) for which test(p) holds, when it holds for
// every position from some point on; n when it never does.
template <typename Test>
int FirstWhere(int n, Test test) {
  int lo = 0, hi = n;
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (test(mid)) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

}  // namespace

BarIndex::BarIndex(const TChartValueList& starts, const TChartValueList& ends, const TChartValueList& rows)
    : starts_(starts), ends_(ends), rows_(rows) {}

std::vector<std::uint64_t> BarIndex::Versions() const {
  return {starts_.Version(), ends_.Version(), rows_.Version(), static_cast<std::uint64_t>(starts_.ItemCount()),
          static_cast<std::uint64_t>(ends_.ItemCount()), static_cast<std::uint64_t>(rows_.ItemCount())};
}

void BarIndex::BuildBlocks() {
  blockVersions_ = Versions();
  const int n = starts_.ItemCount();
  finite_ = ends_.ItemCount() == n;
  const int blocks = (n + kBlock - 1) / kBlock;
  highestUpTo_.assign(static_cast<std::size_t>(blocks), 0);
  lowestFrom_.assign(static_cast<std::size_t>(blocks), 0);
  if (!finite_) return;
  for (int b = 0; b < blocks; ++b) {
    double high = -INFINITY, low = INFINITY;
    for (int i = b * kBlock; i < std::min(n, (b + 1) * kBlock); ++i) {
      const double s = starts_.ValueAt(i), e = ends_.ValueAt(i);
      finite_ = finite_ && std::isfinite(s) && std::isfinite(e);
      high = std::max({high, s, e});
      low = std::min({low, s, e});
    }
    highestUpTo_[b] = b > 0 ? std::max(highestUpTo_[b - 1], high) : high;
    lowestFrom_[b] = low;
  }
  for (int b = blocks - 2; b >= 0; --b) lowestFrom_[b] = std::min(lowestFrom_[b], lowestFrom_[b + 1]);
}

std::pair<int, int> BarIndex::BarsMeeting(long long left, long long right, const ColumnOf& column) {
  if (blockVersions_ != Versions()) BuildBlocks();
  const int n = starts_.ItemCount();
  if (!finite_) return {0, n};
  const int blocks = static_cast<int>(highestUpTo_.size());
  // Blocks before b0 end left of the columns, blocks from b1 on begin right of them.
  const int b0 = FirstWhere(blocks, [&](int b) { return column(highestUpTo_[b]) >= left; });
  const int b1 = FirstWhere(blocks, [&](int b) { return column(lowestFrom_[b]) >= right; });
  const int first = std::min(n, b0 * kBlock);
  return {first, std::max(first, std::min(n, b1 * kBlock))};
}

bool BarIndex::Searchable() {
  if (rowVersions_ != Versions()) BuildRows();
  return ascending_;
}

void BarIndex::BuildRows() {
  rowVersions_ = Versions();
  byRow_.clear();
  const int n = starts_.ItemCount();
  ascending_ = ends_.ItemCount() == n && rows_.ItemCount() == n;
  for (int i = 0; i < n && ascending_; ++i) {
    ascending_ = std::isfinite(starts_.ValueAt(i)) && std::isfinite(ends_.ValueAt(i)) &&
                 std::isfinite(rows_.ValueAt(i)) && (i == 0 || starts_.ValueAt(i - 1) <= starts_.ValueAt(i));
  }
  if (!ascending_) return;
  std::unordered_map<double, std::size_t> rowOfValue;
  for (int i = 0; i < n; ++i) {
    const double value = rows_.ValueAt(i);
    auto [at, added] = rowOfValue.try_emplace(value, byRow_.size());
    if (added) byRow_.push_back(Row{value, {}, {}});
    Row& row = byRow_[at->second];
    const double end = ends_.ValueAt(i);
    row.reachesTo.push_back(row.bars.empty() ? end : std::max(row.reachesTo.back(), end));
    row.bars.push_back(i);
  }
  std::sort(byRow_.begin(), byRow_.end(), [](const Row& a, const Row& b) { return a.value < b.value; });
  for (Row& row : byRow_) {
    row.bars.shrink_to_fit();
    row.reachesTo.shrink_to_fit();
  }
}

int BarIndex::FirstHitInRow(const Row& row, long long x, long long y, long long py, long long reach,
                            const ColumnOf& startColumn, const ColumnOf& endColumn) const {
  const int size = static_cast<int>(row.bars.size());
  auto startAt = [&](int p) { return startColumn(starts_.ValueAt(row.bars[p])); };
  int hit = -1;
  if (std::llabs(py - y) < reach) {
    // Bars starting at or left of x are a prefix; the first of them reaching
    // x is the first whose running maximum of ends does.
    const int started = FirstWhere(size, [&](int p) { return startAt(p) > x; });
    const int reaching = FirstWhere(size, [&](int p) { return endColumn(row.reachesTo[p]) >= x; });
    if (reaching < started) hit = row.bars[reaching];
  }
  if (py == y) {
    const int p = FirstWhere(size, [&](int q) { return startAt(q) >= x; });
    if (p < size && startAt(p) == x && (hit < 0 || row.bars[p] < hit)) hit = row.bars[p];
  }
  return hit;
}

int BarIndex::BarAt(long long x, long long y, long long reach, const ColumnOf& startColumn,
                    const ColumnOf& endColumn, const RowOf& row) {
  if (!Searchable() || byRow_.empty()) return -1;
  const int rows = static_cast<int>(byRow_.size());
  // Row pixels never increase or never decrease along the row values; the
  // rows near y are one stretch of them.
  const bool upward = row(byRow_.front().value) >= row(byRow_.back().value);
  auto beyond = [&](int r, long long bound) {
    const long long py = row(byRow_[r].value);
    return upward ? py <= bound : py >= bound;
  };
  const int from = FirstWhere(rows, [&](int r) { return beyond(r, upward ? y + reach - 1 : y - reach + 1); });
  const int to = FirstWhere(rows, [&](int r) { return beyond(r, upward ? y - reach : y + reach); });
  int best = -1;
  for (int r = from; r < to; ++r) {
    const int hit = FirstHitInRow(byRow_[r], x, y, row(byRow_[r].value), reach, startColumn, endColumn);
    if (hit >= 0 && (best < 0 || hit < best)) best = hit;
  }
  return best;
}

}  // namespace tokiwa
