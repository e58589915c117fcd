#include "chart/engine_settings.h"

#include <chrono>
#include <map>

namespace tokiwa {

namespace {

std::map<TCursor, CursorShape>& CursorTable() {
  static std::map<TCursor, CursorShape> table;
  return table;
}

// Registers the hand cursor once per process, as the chart unit does at start-up.
struct HandCursorRegistration {
  HandCursorRegistration() { RegisterCursor(crChartHand, CursorShape::Hand); }
};
const HandCursorRegistration kHandCursor;

}  // namespace

ChartEngineSettings& EngineSettings() {
  static ChartEngineSettings settings;
  return settings;
}

void RegisterCursor(TCursor id, CursorShape shape) { CursorTable()[id] = shape; }

void UnregisterCursor(TCursor id) { CursorTable().erase(id); }

std::optional<CursorShape> RegisteredCursor(TCursor id) {
  auto it = CursorTable().find(id);
  if (it == CursorTable().end()) return std::nullopt;
  return it->second;
}

std::mt19937& EngineRandom() {
  static std::mt19937 rng(static_cast<unsigned>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
  return rng;
}

int RandomInt(int n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(EngineRandom());
}

}  // namespace tokiwa
