// Reads the input as a program of engine calls on a chart hosted by a recording
// host: series of every type are created, destroyed, attached and detached,
// filled with extreme numbers (NaN, infinities, the ends of the double range),
// linked as data sources of each other, and the chart, its axes, titles, walls
// and legend are set to extreme values between paints and mouse drags.
// Refusals raised as the engine's exceptions are expected from setters and
// list operations; painting and mouse handling must never raise. After every
// call the structural invariants below must hold.
// Every read of the input is a statement of its own: the order in which
// function arguments are evaluated differs between compilers, and the replay
// under GCC must take the same path as the fuzzing under clang.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/series.h"
#include "fuzz/fuzz_reader.h"
#include "fuzz/fuzz_support.h"
#include "runtime/exceptions.h"
#include "series/custom_series.h"
#include "series/gantt_series.h"
#include "support/recording_host.h"

namespace {

using namespace tokiwa;

using fuzz::Check;

// Keeps one execution fast: the engine's costs grow with these.
constexpr int kSlots = 6;
constexpr int kMaxPoints = 200;
constexpr int kMaxPaints = 12;
constexpr int kMaxCalls = 400;
constexpr std::size_t kMaxInput = 4096;
constexpr int kMaxSide = 32767;

class ChartProgram {
 public:
  explicit ChartProgram(fuzz::Reader& in) : in_(in) {
    chart_ = new TChart(form_.get());
    chart_->SetHost(&host_);
    // An animated zoom repaints synchronously, as the window does.
    host_.OnRepaintNow = [this] { PaintNow(); };
  }
  ~ChartProgram() { chart_->SetHost(nullptr); }

  void Run() {
    for (int calls = 0; calls < kMaxCalls && !in_.Empty(); ++calls) {
      Step();
      CheckSeries();
      CheckChart();
    }
    Paint();
  }

 private:
  // --- the program ---
  void Step() {
    static const bool trace = std::getenv("FUZZ_CHART_TRACE") != nullptr;
    static const char* const kNames[] = {"create", "destroy", "attach", "add",   "add",    "remove",
                                         "sources", "series", "chart",  "title", "legend", "axis",
                                         "bounds",  "paint",  "mouse",  "events"};
    const int op = in_.Pick(16);
    if (trace) std::fprintf(stderr, "%s\n", kNames[op]);
    switch (op) {
      case 0: Refusable([&] { CreateSeries(); }); break;
      case 1: DestroySeries(); break;
      case 2: Refusable([&] { AttachSeries(); }); break;
      case 3:
      case 4: Refusable([&] { AddPoints(); }); break;
      case 5: Refusable([&] { RemovePoints(); }); break;
      case 6: Refusable([&] { LinkSources(); }); break;
      case 7: Refusable([&] { SeriesProperty(); }); break;
      case 8: Refusable([&] { ChartProperty(); }); break;
      case 9: Refusable([&] { TitleProperty(); }); break;
      case 10: Refusable([&] { LegendProperty(); }); break;
      case 11: Refusable([&] { AxisProperty(); }); break;
      case 12: Refusable([&] { SetBounds(); }); break;
      case 13: Paint(); break;
      case 14: Mouse(); break;
      default: Refusable([&] { Events(); }); break;
    }
  }

  // Setters and list operations may refuse a value with an engine exception.
  template <class F>
  void Refusable(F&& f) {
    try {
      f();
    } catch (const Exception&) {
    }
  }

  TChartSeries* AnySeries() { return slots_[in_.Pick(kSlots)]; }

  template <class T>
  T* SeriesOf() {
    return dynamic_cast<T*>(AnySeries());
  }

  TColor Colour() {
    switch (in_.Pick(4)) {
      case 0: return ColorDefault;
      case 1: return ColorNone;
      case 2: return in_.U32();
      default: return static_cast<TColor>(in_.Pick(0x1000000));
    }
  }

  // --- series lifecycle ---
  void CreateSeries() {
    const int slot = in_.Pick(kSlots);
    if (slots_[slot]) return;
    TChartSeries* s = nullptr;
    switch (in_.Pick(5)) {
      case 0: s = new TPointSeries(form_.get()); break;
      case 1: s = new TLineSeries(form_.get()); break;
      case 2: s = new TAreaSeries(form_.get()); break;
      case 3: s = new TGanttSeries(form_.get()); break;
      default: s = new TChartSeries(form_.get()); break;
    }
    s->SetName("Series" + std::to_string(slot));
    slots_[slot] = s;
    if (in_.Bool()) s->SetParentChart(chart_);
  }

  void DestroySeries() {
    const int slot = in_.Pick(kSlots);
    delete slots_[slot];
    slots_[slot] = nullptr;
  }

  void AttachSeries() {
    if (TChartSeries* s = AnySeries()) s->SetParentChart(in_.Bool() ? chart_ : nullptr);
  }

  // --- points ---
  bool Full(const TChartSeries* s) const { return s->PointCount() >= kMaxPoints; }

  void AddPoints() {
    TChartSeries* s = AnySeries();
    if (!s) return;
    for (int n = in_.IntIn(1, 8); n > 0 && !Full(s); --n) AddOne(s);
  }

  void AddOne(TChartSeries* s) {
    const int kind = in_.Pick(5);
    if (auto* g = dynamic_cast<TGanttSeries*>(s); g && kind < 2) {
      const double start = in_.Double();
      const double end = in_.Double();
      const double y = in_.Double();
      const std::string label = in_.Text();
      g->AddBar(start, end, y, label, Colour());
      return;
    }
    switch (kind) {
      case 0:
      case 1:
      case 2: {
        const double x = in_.Double();
        const double y = in_.Double();
        const std::string label = in_.Text();
        s->AppendPoint(x, y, label, Colour());
        break;
      }
      case 3: {
        const double y = in_.Double();
        const std::string label = in_.Text();
        s->AppendValue(y, label, Colour());
        break;
      }
      default: s->AppendEmpty(in_.Text()); break;
    }
  }

  void RemovePoints() {
    TChartSeries* s = AnySeries();
    if (!s) return;
    switch (in_.Pick(4)) {
      case 0: s->RemoveAllPoints(); break;
      case 1: s->RemovePoint(in_.Int()); break;  // out of range: the list-index error
      case 2: {
        TChartValueList& list = s->ValueList(in_.Pick(s->ValueListCount()));
        const int index = in_.Int();
        list.SetValueAt(index, in_.Double());
        break;
      }
      default:
        if (s->PointCount() > 0) s->RemovePoint(in_.Pick(s->PointCount()));
        break;
    }
  }

  // Loops between sources must be refused, never followed.
  void LinkSources() {
    TChartSeries* s = AnySeries();
    if (!s) return;
    TChartSeries* source = AnySeries();
    switch (in_.Pick(6)) {
      case 0: s->SetDataSource(source); break;
      case 1:
        if (source) s->AddDataSource(source);
        break;
      case 2: s->SetDataSource(nullptr); break;
      case 3:
        if (source) s->Assign(*source);
        break;
      case 4: s->FillSampleValues(in_.IntIn(-1, 30)); break;
      default: {
        auto function = std::make_unique<TChartFunction>(nullptr);
        function->SetPeriod(in_.IntIn(0, 5));
        s->SetFunction(in_.Bool() ? std::move(function) : nullptr);
        break;
      }
    }
  }

  // --- series settings ---
  void SeriesProperty() {
    TChartSeries* s = AnySeries();
    if (!s) return;
    switch (in_.Pick(16)) {
      case 0: s->SetActive(in_.Bool()); break;
      case 1: s->SetColorEachPoint(in_.Bool()); break;
      case 2: s->SetSeriesColor(Colour()); break;
      case 3: s->SetHorizAxis(in_.Bool() ? THorizAxis::aTopAxis : THorizAxis::aBottomAxis); break;
      case 4: s->SetVertAxis(in_.Bool() ? TVertAxis::aLeftAxis : TVertAxis::aRightAxis); break;
      case 5: s->SetTitle(in_.Text()); break;
      case 6: s->SetValueFormat(in_.Text()); break;
      case 7: s->SetPercentFormat(in_.Text()); break;
      case 8: MarksProperty(s->Marks()); break;
      case 9: ValueListProperty(s->ValueList(in_.Pick(s->ValueListCount()))); break;
      case 10: s->SetFollowFlags(in_.Byte() & 15); break;
      case 11: s->SetShowInLegend(in_.Bool()); break;
      case 12: s->SetCursor(in_.Bool() ? crHandPoint : crDefault); break;
      case 13: s->SetLimitToVisibleRange(in_.Bool()); break;
      default:
        if (auto* c = dynamic_cast<TCustomSeries*>(s)) CustomSeriesProperty(*c);
        break;
    }
  }

  void MarksProperty(TSeriesMarks& m) {
    switch (in_.Pick(6)) {
      case 0: m.SetVisible(in_.Bool()); break;
      case 1: m.SetStyle(static_cast<TSeriesMarksStyle>(in_.Pick(9))); break;
      case 2: m.SetClip(in_.Bool()); break;
      case 3: m.SetArrowLength(in_.Int()); break;
      case 4: m.SetTransparent(in_.Bool()); break;
      default: m.Font().SetHeight(in_.Int()); break;
    }
  }

  void ValueListProperty(TChartValueList& list) {
    switch (in_.Pick(3)) {
      case 0: list.SetDateTime(in_.Bool()); break;
      case 1: list.SetMultiplier(in_.Double()); break;
      default: list.SetOrder(static_cast<TChartListOrder>(in_.Pick(3))); break;
    }
  }

  void CustomSeriesProperty(TCustomSeries& s) {
    switch (in_.Pick(12)) {
      case 0: s.SetStairs(in_.Bool()); break;
      case 1: s.SetInvertedStairs(in_.Bool()); break;
      case 2: s.SetDrawLines(in_.Bool()); break;
      case 3: s.SetDrawArea(in_.Bool()); break;
      case 4: s.Pointer().SetHorizSize(in_.Int()); break;
      case 5: s.Pointer().SetVertSize(in_.Int()); break;
      case 6: s.Pointer().SetStyle(static_cast<TSeriesPointerStyle>(in_.Pick(9))); break;
      case 7: s.Pointer().SetVisible(in_.Bool()); break;
      case 8: s.Pointer().SetDraw3D(in_.Bool()); break;
      case 9: s.LinePen().SetWidth(in_.Int()); break;
      case 10:
        if (auto* a = dynamic_cast<TAreaSeries*>(&s)) a->SetMultiArea(static_cast<TMultiArea>(in_.Pick(3)));
        break;
      default:
        if (auto* g = dynamic_cast<TGanttSeries*>(&s); g && g->PointCount() > 0) {
          const int index = in_.Pick(g->PointCount());
          g->NextTask().SetValueAt(index, in_.Double());
        }
        break;
    }
  }

  // --- chart settings ---
  void ChartProperty() {
    switch (in_.Pick(20)) {
      case 0: {
        const int side = in_.Pick(4);
        chart_->SetMargin(side, in_.Int());
        break;
      }
      case 1: chart_->SetView3D(in_.Bool()); break;
      case 2: chart_->SetChart3DPercent(in_.Int()); break;
      case 3: chart_->SetMaxPointsPerPage(in_.Bool() ? in_.IntIn(0, 12) : in_.Int()); break;
      case 4: chart_->SetPage(in_.Int()); break;
      case 5: chart_->Frame().SetVisible(in_.Bool()); break;
      case 6: chart_->Frame().SetWidth(in_.Int()); break;
      case 7: chart_->SetBackColor(Colour()); break;
      case 8: chart_->SetColor(Colour()); break;
      case 9: chart_->SetBevelOuter(static_cast<TBevelCut>(in_.Pick(3))); break;
      case 10: chart_->SetBevelInner(static_cast<TBevelCut>(in_.Pick(3))); break;
      case 11: chart_->SetBevelWidth(in_.Int()); break;
      case 12: chart_->SetBorderWidth(in_.Int()); break;
      case 13: chart_->SetMonochrome(in_.Bool()); break;
      case 14: chart_->SetClipPoints(in_.Bool()); break;
      case 15: chart_->SetAxisVisible(in_.Bool()); break;
      case 16: chart_->SetScaleLastPage(in_.Bool()); break;
      case 17: chart_->SetView3DWalls(in_.Bool()); break;
      case 18: WallOrGradient(); break;
      default: MouseSetting(); break;
    }
  }

  void WallOrGradient() {
    TChartWall& wall = in_.Bool() ? chart_->LeftWall() : chart_->BottomWall();
    switch (in_.Pick(8)) {
      case 0: wall.SetSize(in_.Int()); break;
      case 1: wall.SetColor(Colour()); break;
      case 2: wall.Pen().SetWidth(in_.Int()); break;
      case 3: chart_->Gradient().SetVisible(in_.Bool()); break;
      case 4: chart_->Gradient().SetDirection(static_cast<TGradientDirection>(in_.Pick(4))); break;
      case 5: chart_->Gradient().SetStartColor(Colour()); break;
      case 6: chart_->Gradient().SetEndColor(Colour()); break;
      default: BackImage(); break;
    }
  }

  void BackImage() {
    static const int kSides[] = {0, 1, 3, 64, 300, 100000, INT_MAX};
    if (in_.Pick(4) == 0) {
      chart_->BackImage().SetGraphic(nullptr);
      return;
    }
    const int w = kSides[in_.Pick(7)];
    const int h = kSides[in_.Pick(7)];
    chart_->BackImage().SetGraphic(std::make_shared<RecordingImage>(w, h));
    chart_->SetBackImageMode(static_cast<TChartBackImageMode>(in_.Pick(3)));
    chart_->SetBackImageInside(in_.Bool());
  }

  void MouseSetting() {
    switch (in_.Pick(4)) {
      case 0: chart_->SetAnimatedZoom(in_.Bool()); break;
      case 1: chart_->SetAnimatedZoomSteps(in_.IntIn(-2, 6)); break;  // each step repaints
      case 2: chart_->SetAllowZoom(in_.Bool()); break;
      default: chart_->SetAllowPanning(static_cast<TPanningMode>(in_.Pick(4))); break;
    }
  }

  void TitleProperty() {
    TChartTitle& t = in_.Bool() ? chart_->Title() : chart_->Foot();
    switch (in_.Pick(9)) {
      case 0: {
        std::vector<std::string> lines;
        for (int n = in_.Pick(4); n > 0; --n) lines.push_back(in_.Text());
        t.SetText(lines);
        break;
      }
      case 1: t.SetAlignment(static_cast<TAlignment>(in_.Pick(3))); break;
      case 2: t.SetVisible(in_.Bool()); break;
      case 3: t.Frame().SetVisible(in_.Bool()); break;
      case 4: t.Frame().SetWidth(in_.Int()); break;
      case 5: t.SetAdjustFrame(in_.Bool()); break;
      case 6: t.Brush().SetColor(Colour()); break;
      case 7: t.Font().SetHeight(in_.Int()); break;
      default: t.Font().SetSize(in_.Int()); break;
    }
  }

  void LegendProperty() {
    TCustomChartLegend& l = chart_->Legend();
    switch (in_.Pick(15)) {
      case 0: l.SetVisible(in_.Bool()); break;
      case 1: l.SetAlignment(static_cast<TLegendAlignment>(in_.Pick(4))); break;
      case 2: l.SetLegendStyle(static_cast<TLegendStyle>(in_.Pick(4))); break;
      case 3: l.SetTextStyle(static_cast<TLegendTextStyle>(in_.Pick(6))); break;
      case 4: l.SetFirstValue(in_.Int()); break;
      case 5: l.SetColorWidth(in_.Int()); break;
      case 6: l.SetTopPos(in_.Int()); break;
      case 7: l.SetHorizMargin(in_.Int()); break;
      case 8: l.SetVertMargin(in_.Int()); break;
      case 9: l.SetInverted(in_.Bool()); break;
      case 10: l.SetResizeChart(in_.Bool()); break;
      case 11: l.Font().SetHeight(in_.Int()); break;
      case 12: l.Frame().SetWidth(in_.Int()); break;
      default:
        if (auto* legend = dynamic_cast<TChartLegend*>(&l)) {
          if (in_.Bool())
            legend->SetShadowSize(in_.Int());
          else
            legend->SetShadowColor(Colour());
        }
        break;
    }
  }

  TChartAxis& AnyAxis() {
    switch (in_.Pick(4)) {
      case 0: return chart_->LeftAxis();
      case 1: return chart_->RightAxis();
      case 2: return chart_->TopAxis();
      default: return chart_->BottomAxis();
    }
  }

  void AxisProperty() {
    TChartAxis& a = AnyAxis();
    switch (in_.Pick(24)) {
      case 0: {
        const double lo = in_.Double();
        a.SetAxisRange(lo, in_.Double());
        break;
      }
      case 1: a.SetMinimum(in_.Double()); break;
      case 2: a.SetMaximum(in_.Double()); break;
      case 3: a.SetIncrement(in_.Double()); break;
      case 4: a.SetLogarithmic(in_.Bool()); break;
      case 5: a.SetInverted(in_.Bool()); break;
      case 6: a.SetLabelsAngle(in_.Bool() ? 90 * in_.Pick(5) : in_.Int()); break;
      case 7: a.SetLabelsSeparation(in_.Int()); break;
      case 8: a.SetLabelStyle(static_cast<TAxisLabelStyle>(in_.Pick(5))); break;
      case 9: a.SetExactDateTime(in_.Bool()); break;
      case 10: a.SetDateTimeFormat(in_.Text()); break;
      case 11: a.SetAxisValuesFormat(in_.Text()); break;
      case 12: a.SetTickLength(in_.Int()); break;
      case 13: a.SetTickInnerLength(in_.Int()); break;
      case 14: a.SetMinorTickLength(in_.Int()); break;
      case 15: a.SetMinorTickCount(in_.Bool() ? in_.IntIn(-1, 10) : in_.Int()); break;
      case 16: a.Title().SetCaption(in_.Text()); break;
      case 17: a.Title().SetAngle(in_.Bool() ? 90 * in_.Pick(5) : in_.Int()); break;
      case 18: a.SetAutomatic(in_.Bool()); break;
      case 19: a.SetVisible(in_.Bool()); break;
      case 20: a.LabelsFont().SetHeight(in_.Int()); break;
      case 21: a.SetLabelsSize(in_.Int()); break;
      case 22: a.SetTitleSize(in_.Int()); break;
      default: a.SetRoundFirstLabel(in_.Bool()); break;
    }
  }

  // Up to the platform's coordinate limit: parts of the chart are drawn pixel by
  // pixel (bevel frames, gradient bands), legitimately slow on larger windows.
  int Side() {
    static const int kSides[] = {0, 1, 5, 40, 150, 400, 800, 1600, kMaxSide, -10, INT_MIN};
    const int side = in_.Pick(4) == 0 ? in_.Int() : kSides[in_.Pick(11)];
    return side > kMaxSide ? kMaxSide : side;
  }

  void SetBounds() {
    const int w = Side();
    const int h = Side();
    const int left = in_.Int();
    const int top = in_.Int();
    chart_->SetBounds(left, top, w, h);
  }

  // --- event handlers: they read their answers from the input when raised ---
  template <class Event, class Handler>
  static void Hook(Event& event, bool set, Handler handler) {
    event = set ? Event(handler) : Event();
  }

  void Events() {
    const bool set = in_.Pick(4) != 0;
    TChartSeries* s = AnySeries();
    switch (in_.Pick(7)) {
      case 0:
        Hook(chart_->OnAllowScroll, set, [this](TChartAxis*, double& lo, double& hi, bool& allow) {
          switch (in_.Pick(4)) {
            case 0: lo = in_.Double(); break;
            case 1: hi = in_.Double(); break;
            case 2: allow = false; break;
            default: break;
          }
        });
        break;
      case 1:
        Hook(chart_->OnClickSeries, set, [this](TCustomChart*, TChartSeries*, int, TMouseButton, TShiftState, int,
                                                int) { chart_->ClickConsumed = in_.Bool(); });
        break;
      case 2:
        Hook(chart_->OnGetAxisLabel, set, [this](TChartAxis*, TChartSeries*, int, std::string& text) {
          if (in_.Bool()) text = in_.Text();
        });
        break;
      case 3:
        // A handler that never stops would loop for ever; that is the application's fault.
        Hook(chart_->OnGetNextAxisLabel, set, [this](TChartAxis*, int index, double& value, bool& stop) {
          value = in_.Double();
          stop = index >= 40 || in_.Pick(8) == 0;
        });
        break;
      case 4:
        Hook(chart_->OnGetLegendText, set, [this](TCustomAxisPanel*, TLegendStyle, int, std::string& text) {
          if (in_.Bool()) text = in_.Text();
        });
        break;
      case 5:
        if (s) Hook(s->OnBeforeAdd, set, [this](TChartSeries*) { return in_.Pick(4) != 0; });
        break;
      default:
        if (s) Hook(s->OnGetMarkText, set, [this](TChartSeries*, int, std::string& text) {
          if (in_.Bool()) text = in_.Text();
        });
        break;
    }
  }

  // --- painting ---
  void PaintNow() {
    host_.Window.Clear();
    if (RecordingBitmap* b = host_.LastBitmap()) b->Recorder().Clear();
    try {
      if (in_.Bool()) {
        chart_->Paint();
      } else {
        chart_->DrawChart(host_.Window, chart_->ClientRect());
      }
    } catch (const Exception& e) {
      std::fprintf(stderr, "paint raised: %s\n", e.what());
      std::abort();
    }
  }

  void Paint() {
    if (paints_ >= kMaxPaints) return;
    ++paints_;
    PaintNow();
    CheckShownRanges();
  }

  // --- mouse ---
  int Coordinate(int size) {
    switch (in_.Pick(6)) {
      case 0: return in_.Int();
      case 1: return static_cast<std::int16_t>(in_.U32());
      default: return size <= 0 ? in_.Pick(64) : static_cast<int>(static_cast<long long>(size) * in_.Byte() / 255);
    }
  }

  TMouseButton Button() { return static_cast<TMouseButton>(in_.Pick(3)); }

  void Mouse() {
    const int x = Coordinate(chart_->Width());
    const int y = Coordinate(chart_->Height());
    const TShiftState shift = in_.Byte() & 0x7F;
    try {
      switch (in_.Pick(7)) {
        case 0: chart_->MouseDown(Button(), shift, x, y); break;
        case 1:
        case 2: chart_->MouseMove(shift, x, y); break;
        case 3: chart_->MouseUp(Button(), shift, x, y); break;
        case 4: chart_->MouseLeave(); break;
        case 5: chart_->CancelZoom(); break;
        default: chart_->HitTestPoint(x, y); break;
      }
    } catch (const Exception& e) {
      std::fprintf(stderr, "mouse handling raised: %s\n", e.what());
      std::abort();
    }
  }

  // --- invariants ---
  std::vector<TChartSeries*> LiveSeries() const {
    std::vector<TChartSeries*> live;
    for (TChartSeries* s : slots_)
      if (s) live.push_back(s);
    return live;
  }

  // Every value list, colour and label entry belongs to a point.
  void CheckSeries() const {
    for (TChartSeries* s : LiveSeries()) {
      const int n = s->PointCount();
      Check(n >= 0, "point count");
      for (int k = 0; k < s->ValueListCount(); ++k)
        Check(s->ValueList(k).ItemCount() == n, "value lists of a series have equal lengths");
      Check(static_cast<int>(s->Colors().size()) <= n, "no colour without a point");
      Check(s->LabelCount() <= n, "no label without a point");
      Check((s->ParentChart() == chart_) == (chart_->SeriesList().IndexOf(s) >= 0),
            "a series is in its chart's list exactly when it names the chart");
    }
    for (TChartSeries* s : chart_->SeriesList()) {
      bool known = false;
      for (TChartSeries* live : slots_) known = known || live == s;
      Check(known, "the chart lists only live series");
    }
  }

  void CheckChart() const {
    Check(chart_->Chart3DPercent() >= 1 && chart_->Chart3DPercent() <= 100, "Chart3DPercent in 1..100");
    Check(chart_->MaxPointsPerPage() >= 0, "MaxPointsPerPage not negative");
    Check(chart_->Page() >= 1, "Page at least 1");
    const TCustomChartLegend& l = chart_->Legend();
    Check(l.TopPos() >= 0 && l.TopPos() <= 100, "legend TopPos in 0..100");
    Check(l.ColorWidth() >= 0 && l.ColorWidth() <= 100, "legend ColorWidth in 0..100");
    Check(l.FirstValue() >= 0, "legend FirstValue not negative");
    for (const TChartAxis* a : {&chart_->LeftAxis(), &chart_->RightAxis(), &chart_->TopAxis(), &chart_->BottomAxis()}) {
      Check(a->LabelsAngle() >= 0 && a->LabelsAngle() < 360, "labels angle in 0..359");
      Check(a->Title().Angle() >= 0 && a->Title().Angle() < 360, "title angle in 0..359");
      Check(!(a->Increment() < 0), "increment not negative");
      Check(a->LabelsSeparation() >= 0, "labels separation not negative");
    }
    for (TChartSeries* s : LiveSeries())
      if (auto* c = dynamic_cast<TCustomSeries*>(s))
        Check(c->Pointer().HorizSize() >= 1 && c->Pointer().VertSize() >= 1, "pointer sizes at least 1");
  }

  // After a paint every drawn series' shown range lies within its points; the
  // last index may end one below the first when nothing is shown.
  void CheckShownRanges() const {
    for (TChartSeries* s : chart_->SeriesList()) {
      if (!s->Active()) continue;
      const int first = s->FirstShownIndex();
      const int last = s->LastShownIndex();
      const int n = s->PointCount();
      if (first == -1) {
        Check(last == -1, "no last shown point without a first");
        continue;
      }
      Check(first >= 0 && first < n, "first shown index within the points");
      Check(last >= first - 1 && last < n, "last shown index within the points");
    }
  }

  fuzz::Reader& in_;
  RecordingHost host_;  // outlives the chart
  std::unique_ptr<TComponent> form_ = std::make_unique<TComponent>(nullptr);  // owns chart and series
  TChart* chart_;
  TChartSeries* slots_[kSlots] = {};
  int paints_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Reader in(data, size < kMaxInput ? size : kMaxInput);
  ChartProgram program(in);
  program.Run();
  return 0;
}
