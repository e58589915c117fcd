// The chart widget driven with simulated mouse input: zoom, undo and panning
// reach the chart, the rubber band shows in the window image while dragging
// and leaves no trace, right clicks without a drag ask for the context menu,
// and no exception escapes into Qt.
#include <QApplication>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "chart/engine_settings.h"
#include "gui/chart_widget.h"
#include "gui/error_display.h"
#include "runtime/exceptions.h"
#include "series/custom_series.h"

namespace tokiwa {
namespace {

struct WidgetChart {
  TComponent form{nullptr};  // owns chart and series; outlives the widget
  TChart* chart = new TChart(&form);
  TLineSeries* series = new TLineSeries(&form);
  std::unique_ptr<ChartWidget> widget;

  WidgetChart() {
    chart->SetView3D(false);
    chart->Legend().SetVisible(false);
    for (int i = 0; i <= 10; ++i) series->AppendPoint(i * 10, i * 10, "");
    series->SetParentChart(chart);
    widget = std::make_unique<ChartWidget>(chart);
    widget->resize(500, 400);
    widget->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    widget->repaint();  // the first paint lays the chart out
  }
  ~WidgetChart() { widget.reset(); }

  QPoint PlotPoint(int dx, int dy) const {
    const TRect& p = chart->PlotRect();
    return {p.Left + dx, p.Top + dy};
  }
  void Settle() {
    QApplication::processEvents();
    widget->repaint();
  }
  // The window image is exactly the chart's cached image: nothing drawn over it.
  bool WindowShowsOnlyTheChart() const {
    const auto* buffer = dynamic_cast<const QtBitmap*>(chart->BackBuffer());
    return buffer && buffer->GetQImage() == widget->WindowImage();
  }
};

TEST(ChartWidget, FirstPaintLaysOutTheChartAtTheWidgetSize) {
  WidgetChart w;
  EXPECT_EQ(w.chart->Width(), 500);
  EXPECT_EQ(w.chart->Height(), 400);
  EXPECT_EQ(w.widget->WindowImage().size(), QSize(500, 400));
  EXPECT_FALSE(w.chart->ImageStale());
  EXPECT_TRUE(w.WindowShowsOnlyTheChart());
  w.widget->resize(300, 200);
  w.Settle();
  EXPECT_EQ(w.chart->Width(), 300);
  EXPECT_EQ(w.widget->WindowImage().size(), QSize(300, 200));
  EXPECT_TRUE(w.WindowShowsOnlyTheChart());
}

TEST(ChartWidget, ManyChangesBeforeThePaintGiveOnePaintAndLaterChangesPaintAgain) {
  WidgetChart w;
  int paints = 0;
  w.chart->OnAfterDraw = [&paints](TComponent*) { ++paints; };
  for (int i = 0; i < 1000; ++i) w.series->AppendPoint(100 + i, i, "");
  QApplication::processEvents();
  EXPECT_EQ(paints, 1);
  EXPECT_FALSE(w.chart->ImageStale());

  w.series->AppendPoint(2000, 0, "");
  QApplication::processEvents();
  EXPECT_EQ(paints, 2);
  EXPECT_FALSE(w.chart->ImageStale());
}

TEST(ChartWidget, LeftDragZoomsAndDragUpLeftUndoes) {
  WidgetChart w;
  const double fullMin = w.chart->BottomAxis().Minimum(), fullMax = w.chart->BottomAxis().Maximum();
  const QPoint from = w.PlotPoint(40, 30), to = w.PlotPoint(140, 130);
  QTest::mousePress(w.widget.get(), Qt::LeftButton, {}, from);
  QTest::mouseMove(w.widget.get(), to);
  QTest::mouseRelease(w.widget.get(), Qt::LeftButton, {}, to);
  EXPECT_TRUE(w.chart->ZoomApplied());
  EXPECT_FALSE(w.chart->BottomAxis().Automatic());
  EXPECT_GT(w.chart->BottomAxis().Minimum(), fullMin);
  EXPECT_LT(w.chart->BottomAxis().Maximum(), fullMax);
  EXPECT_LT(w.chart->BottomAxis().Maximum() - w.chart->BottomAxis().Minimum(), fullMax - fullMin);
  w.Settle();
  EXPECT_TRUE(w.WindowShowsOnlyTheChart());

  QTest::mousePress(w.widget.get(), Qt::LeftButton, {}, to);
  QTest::mouseMove(w.widget.get(), from);
  QTest::mouseRelease(w.widget.get(), Qt::LeftButton, {}, from);
  EXPECT_FALSE(w.chart->ZoomApplied());
  EXPECT_TRUE(w.chart->BottomAxis().Automatic());
  w.Settle();
  EXPECT_DOUBLE_EQ(w.chart->BottomAxis().Minimum(), fullMin);
  EXPECT_DOUBLE_EQ(w.chart->BottomAxis().Maximum(), fullMax);
}

TEST(ChartWidget, RubberBandShowsWhileDraggingAndLeavesNoTrace) {
  WidgetChart w;
  const QImage before = w.widget->WindowImage().copy();
  const QPoint from = w.PlotPoint(40, 30), to = w.PlotPoint(52, 130);  // 12 wide: no zoom
  QTest::mousePress(w.widget.get(), Qt::LeftButton, {}, from);
  QTest::mouseMove(w.widget.get(), to);
  QApplication::processEvents();
  const QImage during = w.widget->WindowImage().copy();
  // The frame's left edge runs down from the press point; a plain repaint of
  // the widget must not have painted the chart over it.
  const QPoint onEdge(from.x(), (from.y() + to.y()) / 2);
  EXPECT_NE(during.pixel(onEdge), before.pixel(onEdge));
  EXPECT_EQ(during.pixel(w.PlotPoint(200, 30)), before.pixel(w.PlotPoint(200, 30)));
  QTest::mouseRelease(w.widget.get(), Qt::LeftButton, {}, to);
  QApplication::processEvents();
  EXPECT_FALSE(w.chart->ZoomApplied());
  EXPECT_TRUE(w.widget->WindowImage() == before);
}

TEST(ChartWidget, RightDragPansOnlyHorizontallyAndAsksForNoMenu) {
  WidgetChart w;
  w.chart->SetAllowPanning(TPanningMode::pmHorizontal);
  std::vector<QPoint> menus;
  w.widget->OnContextMenuRequest = [&](QPoint p) { menus.push_back(p); };
  const double min = w.chart->BottomAxis().Minimum();
  const QPoint from = w.PlotPoint(150, 100), to = w.PlotPoint(110, 130);
  QTest::mousePress(w.widget.get(), Qt::RightButton, {}, from);
  QTest::mouseMove(w.widget.get(), to);
  QTest::mouseRelease(w.widget.get(), Qt::RightButton, {}, to);
  // Dragged left: the range moves to higher values.
  EXPECT_GT(w.chart->BottomAxis().Minimum(), min);
  EXPECT_TRUE(w.chart->LeftAxis().Automatic());
  EXPECT_FALSE(w.chart->PanDrag().DragActive);
  EXPECT_TRUE(menus.empty());
}

TEST(ChartWidget, RightClickWithoutDragAsksForTheContextMenuWhereTheMouseIs) {
  WidgetChart w;
  std::vector<QPoint> hooked, signalled;
  w.widget->OnContextMenuRequest = [&](QPoint p) { hooked.push_back(p); };
  w.widget->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(w.widget.get(), &QWidget::customContextMenuRequested,
                   [&](QPoint p) { signalled.push_back(p); });
  const QPoint at = w.PlotPoint(150, 100);
  QTest::mousePress(w.widget.get(), Qt::RightButton, {}, at);
  EXPECT_TRUE(hooked.empty());  // not on the press: it may start a drag
  QTest::mouseRelease(w.widget.get(), Qt::RightButton, {}, at);
  EXPECT_EQ(hooked, std::vector<QPoint>{at});
  EXPECT_EQ(signalled, std::vector<QPoint>{at});
  EXPECT_EQ(w.widget->CursorClientPos(), (TPoint{at.x(), at.y()}));
  EXPECT_TRUE(w.chart->BottomAxis().Automatic());
}

TEST(ChartWidget, DoubleClickSendsASecondPressWithTheDoubleFlag) {
  WidgetChart w;
  std::vector<TShiftState> presses;
  w.chart->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState shift, int, int) { presses.push_back(shift); };
  const QPointF at = w.PlotPoint(10, 10);
  const QPointF global = w.widget->mapToGlobal(at);
  auto send = [&](QEvent::Type type, Qt::MouseButtons held) {
    QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::ShiftModifier);
    QApplication::sendEvent(w.widget.get(), &event);
  };
  // The sequence Qt delivers for a double click.
  send(QEvent::MouseButtonPress, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, Qt::NoButton);
  send(QEvent::MouseButtonDblClick, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, Qt::NoButton);
  ASSERT_EQ(presses.size(), 2u);
  EXPECT_EQ(presses[0], ssShift | ssLeft);
  EXPECT_EQ(presses[1], ssShift | ssLeft | ssDouble);
}

TEST(ChartWidget, ErrorsOfHandlersAreShownNotThrownIntoQt) {
  WidgetChart w;
  std::vector<std::string> shown;
  ScopedErrorSink sink([&](QWidget*, const std::string& m) { shown.push_back(m); });
  w.chart->OnMouseDown = [](TComponent*, TMouseButton, TShiftState, int, int) { throw Exception("press failed"); };
  w.chart->OnAfterDraw = [](TComponent*) { throw Exception("paint failed"); };
  QTest::mouseClick(w.widget.get(), Qt::LeftButton, {}, w.PlotPoint(10, 10));
  w.chart->RequestRepaint();
  w.widget->repaint();
  QApplication::processEvents();  // the paint's error is shown after the paint
  EXPECT_EQ(shown, (std::vector<std::string>{"press failed", "paint failed"}));
  w.widget->ShowMessage("note");
  EXPECT_EQ(shown.back(), "note");
}

TEST(ChartWidget, HoverShowsTheSeriesCursorWithItsQtShape) {
  // The engine's registered hand has no Qt code of its own.
  EXPECT_EQ(ChartWidget::CursorShapeFor(crChartHand), Qt::PointingHandCursor);
  EXPECT_EQ(ChartWidget::CursorShapeFor(crDefault), Qt::ArrowCursor);
  WidgetChart w;
  w.series->SetCursor(crChartHand);
  const TRect& p = w.chart->PlotRect();
  // Hover over the line's first point (at the plot's lower left corner).
  QTest::mouseMove(w.widget.get(), QPoint(w.series->PointScreenX(0), w.series->PointScreenY(0)));
  EXPECT_EQ(w.widget->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(w.widget.get(), QPoint(p.Left + 5, p.Top + 5));
  EXPECT_EQ(w.widget->cursor().shape(), Qt::ArrowCursor);
}

TEST(ChartWidget, DestroyingTheWidgetDetachesItFromTheChart) {
  WidgetChart w;
  w.widget.reset();
  EXPECT_EQ(w.chart->Host(), nullptr);
  w.chart->RequestRepaint();  // no dangling host
}

}  // namespace
}  // namespace tokiwa
