#pragma once
// A chart on a recording host with series owned by a form, as an application
// holds them, for tests of the axis panel and the chart decorations.
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/series.h"
#include "support/recording_host.h"

namespace tokiwa::paint_test {

// A series that writes what the chart asks it to draw into a shared log.
class LoggingSeries : public TChartSeries {
 public:
  LoggingSeries(TComponent* owner, std::vector<std::string>* log, std::string tag)
      : TChartSeries(owner), log_(log), tag_(std::move(tag)) {}

  void BeginDrawing() override {
    Log("begin");
    TChartSeries::BeginDrawing();
  }
  void EndDrawing() override {
    Log("end");
    TChartSeries::EndDrawing();
  }
  void DrawPoint(int index) override {
    Log(std::to_string(index));
    // Leaves a mark on the canvas so the pipeline order can be read from it.
    ChartCanvas().SetPixel(index, 0, SeriesColor());
  }
  // Series in one slot share it, as stacked areas do.
  void AssignDepthSlot() override {
    if (!shareSlot) return TChartSeries::AssignDepthSlot();
    SetDepthSlot(Chart().TopDepthSlot());
  }
  // Room asked for beside the plot (left, right, top, bottom).
  int margins[4] = {0, 0, 0, 0};
  void HorizMargins(int& left, int& right) override {
    left = margins[0];
    right = margins[1];
  }
  void VertMargins(int& top, int& bottom) override {
    top = margins[2];
    bottom = margins[3];
  }
  bool forward = true;
  bool DrawsForward() const override { return forward; }
  bool shareSlot = false;

 private:
  void Log(const std::string& what) {
    if (log_) log_->push_back(tag_ + ":" + what);
  }
  std::vector<std::string>* log_;
  std::string tag_;
};

struct PaintChart {
  std::vector<std::string> log;
  RecordingHost host;
  TComponent form{nullptr};  // owns the chart and the series; goes first
  TChart* chart = new TChart(&form);

  PaintChart() { chart->SetHost(&host); }

  LoggingSeries& AddSeries(const std::string& tag, int points = 0) {
    auto* s = new LoggingSeries(&form, &log, tag);
    for (int i = 0; i < points; ++i) s->AppendPoint(i, i * 10.0, "");
    s->SetParentChart(chart);
    return *s;
  }
  // An explicit plot rectangle, as a paint would have laid out.
  void SetPlot(TRect r) {
    chart->PanelBounds() = {0, 0, 1000, 1000};
    chart->PlotRect() = r;
    chart->RecalcPlotSize();
  }
  RecordingCanvas& Window() { return host.Window; }
  // The canvas of the last paint's back buffer.
  RecordingCanvas& Buffer() { return host.LastBitmap()->Recorder(); }
  void Paint() { chart->DrawChart(host.Window, chart->ClientRect()); }
};

}  // namespace tokiwa::paint_test
