#pragma once
// What a chart needs from the window that shows it. A chart never talks to a
// window directly: the Qt widget, the headless renderer and the test fake each
// implement this.
#include <memory>
#include <string>

#include "runtime/canvas.h"
#include "runtime/geometry.h"
#include "runtime/input.h"

namespace tokiwa {

class ChartHost {
 public:
  virtual ~ChartHost() = default;
  // The window's contents are out of date; paint again soon (asynchronously).
  virtual void Invalidate() = 0;
  // Paint now, before returning (animated zoom steps).
  virtual void RepaintNow() = 0;
  virtual void SetCursor(TCursor cursor) = 0;
  // The mouse position in the chart's client coordinates.
  virtual TPoint CursorClientPos() = 0;
  // The canvas that shows on screen (the rubber-band frame is drawn on it).
  virtual Canvas& WindowCanvas() = 0;
  virtual std::unique_ptr<Bitmap> CreateBitmap(int width, int height, bool monochrome) = 0;
  // The platform's informational message box.
  virtual void ShowMessage(const std::string& text) = 0;
  // The device resolution, used as the extent of an unclipped canvas.
  virtual TSize ScreenSize() { return {1920, 1080}; }
  // The screen's physical size in any unit (only its aspect counts), so that a
  // chart can draw circles round on screens whose pixels are not square; zero
  // when unknown. The default has square pixels.
  virtual TSize ScreenPhysicalSize() { return ScreenSize(); }
};

}  // namespace tokiwa
