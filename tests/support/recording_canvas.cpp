#include "support/recording_canvas.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iterator>

namespace tokiwa {

namespace {

int ClampInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

}  // namespace

CanvasState RecordingCanvas::State() const {
  CanvasState s;
  s.penColor = Pen().Color();
  s.penStyle = Pen().Style();
  s.penWidth = Pen().Width();
  s.penMode = Pen().Mode();
  s.brushColor = Brush().Color();
  s.brushStyle = Brush().Style();
  s.fontName = Font().Name();
  s.fontHeight = Font().Height();
  s.fontColor = Font().Color();
  s.fontStyle = Font().Style();
  s.fontAngle = Font().Angle();
  s.halign = HAlign();
  s.valign = VAlign();
  s.bkMode = GetBkMode();
  s.bkColor = BkColor();
  return s;
}

RecordedCall& RecordingCanvas::Record(CanvasCall kind) {
  RecordedCall& call = calls_.emplace_back();
  call.kind = kind;
  call.state = State();
  return call;
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Record(CanvasCall::Rectangle).rect = {left, top, right, bottom};
}

void RecordingCanvas::FillRect(const TRect& r) { Record(CanvasCall::FillRect).rect = r; }

void RecordingCanvas::LineTo(int x, int y) {
  RecordedCall& call = Record(CanvasCall::LineTo);
  call.from = PenPos();
  call.to = {x, y};
  SetPenPos(call.to);
}

void RecordingCanvas::Polygon(std::span<const TPoint> points) {
  Record(CanvasCall::Polygon).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Polyline(std::span<const TPoint> points) {
  Record(CanvasCall::Polyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  Record(CanvasCall::Ellipse).rect = {left, top, right, bottom};
}

void RecordingCanvas::Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  RecordedCall& call = Record(CanvasCall::Pie);
  call.rect = {left, top, right, bottom};
  call.from = {x1, y1};
  call.to = {x2, y2};
}

void RecordingCanvas::Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  RecordedCall& call = Record(CanvasCall::Arc);
  call.rect = {left, top, right, bottom};
  call.from = {x1, y1};
  call.to = {x2, y2};
}

void RecordingCanvas::SetPixel(int x, int y, TColor colour) {
  RecordedCall& call = Record(CanvasCall::SetPixel);
  call.from = {x, y};
  call.color = colour;
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
  RecordedCall& call = Record(CanvasCall::TextOut);
  call.from = {x, y};
  call.text = text;
}

TSize RecordingCanvas::TextExtent(std::string_view text) {
  ++extentQueries_;
  long long width = 0;
  for (unsigned char c : text) {
    if (c < 0x80) {
      width += CharWidth;
    } else if ((c & 0xC0) != 0x80) {  // lead byte of a multi-byte character
      width += WideCharWidth;
    }
  }
  long long height = CharHeight > 0 ? CharHeight : std::llabs(static_cast<long long>(Font().Height())) + 3;
  return {ClampInt(width), ClampInt(height)};
}

void RecordingCanvas::ClipRect(const TRect& r) { Record(CanvasCall::ClipRect).rect = r; }

void RecordingCanvas::ClipPolygon(std::span<const TPoint> points) {
  Record(CanvasCall::ClipPolygon).points.assign(points.begin(), points.end());
}

void RecordingCanvas::RemoveClip() { Record(CanvasCall::RemoveClip); }

void RecordingCanvas::Draw(int x, int y, const Image& image) {
  RecordedCall& call = Record(CanvasCall::Draw);
  call.from = {x, y};
  call.rect = {x, y, ClampInt(static_cast<long long>(x) + image.Width()),
               ClampInt(static_cast<long long>(y) + image.Height())};
  call.image = &image;
}

void RecordingCanvas::StretchDraw(const TRect& r, const Image& image) {
  RecordedCall& call = Record(CanvasCall::StretchDraw);
  call.rect = r;
  call.image = &image;
}

std::vector<RecordedCall> RecordingCanvas::CallsOf(CanvasCall kind) const {
  std::vector<RecordedCall> out;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(out),
               [kind](const RecordedCall& c) { return c.kind == kind; });
  return out;
}

int RecordingCanvas::Count(CanvasCall kind) const {
  return static_cast<int>(std::count_if(calls_.begin(), calls_.end(),
                                        [kind](const RecordedCall& c) { return c.kind == kind; }));
}

const RecordedCall* RecordingCanvas::LastOf(CanvasCall kind) const {
  auto it = std::find_if(calls_.rbegin(), calls_.rend(), [kind](const RecordedCall& c) { return c.kind == kind; });
  return it == calls_.rend() ? nullptr : &*it;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> out;
  for (const RecordedCall& c : calls_) {
    if (c.kind == CanvasCall::TextOut) out.push_back(c.text);
  }
  return out;
}

const RecordedCall* RecordingCanvas::FindText(std::string_view text) const {
  auto it = std::find_if(calls_.begin(), calls_.end(),
                         [text](const RecordedCall& c) { return c.kind == CanvasCall::TextOut && c.text == text; });
  return it == calls_.end() ? nullptr : &*it;
}

}  // namespace tokiwa
