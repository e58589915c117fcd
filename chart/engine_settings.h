#pragma once
// Process-wide settings of the chart engine, fixed at start-up.
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "runtime/input.h"

namespace tokiwa {

struct ChartEngineSettings {
  // Whether chart windows let the platform erase their background before painting.
  // The first chart constructed at run time switches it off.
  bool EraseBackground = true;
  // Distance in pixels from an axis line within which a click hits the axis.
  int ClickTolerance = 12;
  TMouseButton ZoomMouseButton = TMouseButton::mbLeft;
  TMouseButton PanMouseButton = TMouseButton::mbRight;
  TShiftState ZoomKeyState = 0;
  TShiftState PanKeyState = 0;
  // Each animated zoom step covers this fraction (1/divisor) of the remaining distance.
  double ZoomStepDivisor = 3.0;
  // The message box for engine messages that arise where no chart host is at
  // hand (a series without a chart); the GUI installs it.
  std::function<void(const std::string&)> ShowMessage;
};

ChartEngineSettings& EngineSettings();

// Shapes a host can show for cursor codes registered by the engine.
enum class CursorShape { Arrow, Hand };
void RegisterCursor(TCursor id, CursorShape shape);
void UnregisterCursor(TCursor id);
std::optional<CursorShape> RegisteredCursor(TCursor id);

// The engine's random source, seeded from the clock at start-up.
std::mt19937& EngineRandom();
// A random integer from 0 to n - 1 (0 when n <= 0).
int RandomInt(int n);

}  // namespace tokiwa
