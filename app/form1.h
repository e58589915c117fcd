#pragma once
// The main window: the file list on the left, and on the right the timeline
// chart above the log grid. Component and handler names are those of the
// window design, so the viewer's behaviour reads the same in code.
//
// Geometry of the settings file: Left/Top are the window frame's position
// (QWidget::pos), Width/Height the window's own size (QWidget::size: the menu
// bar and the client area, without the window manager's decorations). Both
// are read back exactly as they are written, whatever the decorations are.
#include <QMainWindow>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/image_export.h"
#include "app/settings.h"
#include "gridio/string_grid_io.h"
#include "runtime/colour.h"
#include "runtime/component.h"
#include "runtime/input.h"
#include "runtime/string_list.h"
#include "timeline/bar_details.h"
#include "timeline/log_files.h"
#include "timeline/timeline_scan.h"

class QAction;
class QFrame;
class QMenu;

namespace tokiwa {

class ChartWidget;
class FollowMode;
class RowLabels;
class SummaryWindow;
class TChart;
class TChartSeries;
class TFileListBox;
class TGanttSeries;
class TSplitter;
class TStringGrid;
class TStringGridView;

struct TForm1Options {
  std::string IniFileName;   // the settings file
  std::string ListFileName;  // the hidden-program list
  // The command line's folder argument, as given; listed when it names an
  // existing folder.
  bool HasCommandLineFolder = false;
  std::string CommandLineFolder;
};

class TForm1 : public QMainWindow {
 public:
  static constexpr int kDesignedWidth = 793;
  static constexpr int kDesignedHeight = 592;

  explicit TForm1(TForm1Options options, QWidget* parent = nullptr);
  ~TForm1() override;

  // ---- components (owned by the window through Qt's parent chain) ----
  TFileListBox* FileListBox1 = nullptr;
  TSplitter* Splitter1 = nullptr;
  QFrame* Panel1 = nullptr;
  // The timeline chart and its one series (owned by the window's component
  // owner), and the widget that shows the chart above the grid splitter.
  TChart* Chart1 = nullptr;
  TGanttSeries* Series1 = nullptr;
  ChartWidget* Chart1View = nullptr;
  QWidget* Chart1Area = nullptr;  // Chart1View, as the layout sees it
  TSplitter* Splitter3 = nullptr;
  // The grid widget; its data is StringGrid1->Grid().
  TStringGridView* StringGrid1 = nullptr;
  TStringGridIO StringGridIO1;

  QMenu* Folder1 = nullptr;
  QAction* mnOpen = nullptr;
  QAction* mnExit = nullptr;
  QMenu* mnOption = nullptr;
  QMenu* mnReact = nullptr;
  QAction* N3 = nullptr;
  QAction* mnAllDisp = nullptr;  // check-mark item, F4
  QAction* N4 = nullptr;
  QAction* mnFollow = nullptr;   // check-mark item: take in what the folder and the shown logs gain
  QAction* mnSummary = nullptr;  // totals per program of the logs on show
  QAction* mnRenew = nullptr;    // command on the menu bar, F5
  QMenu* PopupMenu1 = nullptr;
  QAction* mnIgno = nullptr;
  // Reading the chart: the picture saved (フォルダ) and the program names
  // beside the rows (オプション, a check-mark item kept in the settings).
  QAction* mnSaveImage = nullptr;
  QAction* mnRowLabels = nullptr;

  // ---- state ----
  TStringList HiddenNames;
  int PopupIndex = -1;
  std::array<TColor, 8> BarColors{};
  std::string IniFileName;
  std::string ListFileName;
  // The logs on show (several when several files are selected) and their rows
  // in the grid.
  std::vector<LoadedLog> ShownLogs;

  // How each bar of the last build ended and the names of its rows.
  TimelineDetails Details;

  // The folder dialog; tests replace it. Returns an empty text on cancel.
  std::function<QString(QWidget* parent, const QString& title, const QString& start)> ChooseFolder;
  // The save dialog of mnSaveImage; tests replace it.
  ImageFileChooser ChooseImageFile;

  // ---- events ----
  void FormCreate();
  // Saves the settings and the list. When either cannot be written, reports
  // it and refuses the first time, so the user can fix the cause; a later
  // close that fails again closes, saying what was not saved.
  bool FormCloseQuery();
  // For a quit the user did not ask for in the window (a signal, the end of
  // the desktop session): saves what it can, prints what it could not, and
  // closes without asking.
  void CloseWithoutAsking();
  // Writes the settings and the list; the messages of what failed.
  std::vector<std::string> SaveState();
  void FormDestroy();
  void mnOpenClick();
  void mnExitClick();
  void FileListBox1Click();
  void Series1Click(TChartSeries* sender, int valueIndex, TMouseButton button, TShiftState shift, int x, int y);
  // Runs as PopupMenu1 opens, over the chart or over the grid.
  void PopupMenu1Popup();
  void mnIgnoClick();
  void mnOptionClick();
  void RestoreItemClick(QAction* sender);
  void mnAllDispClick();
  void mnRenewClick();
  void mnFollowClick();
  void mnSummaryClick();
  // The cursor position is that of the last double click on the grid.
  void StringGrid1DblClick();
  void mnSaveImageClick();
  void mnRowLabelsClick();

  // Rebuilds the chart from the grid, the hidden list and the show-all switch.
  void BuildTimeline();
  // The same for logs that grew while shown: the zoom and the foot stay.
  // Answers the scan's unreadable row, if any.
  std::optional<UnreadableRow> RefreshTimeline();
  // What the chart is built from.
  TimelineSource CurrentSource();
  // Saves HiddenNames at once, so no hide or restore waits for the close;
  // a failure is reported.
  void SaveHiddenNames();

  // Hands the file list folder + "/*.*".
  void ListFolder(const std::string& folder);
  // Selects the first file of the list and loads it, as a click would.
  void SelectFirstLog();

  TStringGrid& Grid();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateComponents();
  QWidget* CreateChart1Area(QWidget* parent);
  void CreateMenus();
  // The reading aids: their menu items, the tooltip, the wheel and keys.
  void CreateReadingAids();
  // Checks mnRowLabels and shows or hides the names to match.
  void ShowRowLabels(bool shown);
  void KeepTimelineDetails(const TimelineScan& scan);
  void AttachPopupMenu(QWidget* owner, QWidget* coordinateSource);
  void ConfigureGrid();
  void ApplyLayoutSettings();
  void CreateLogMenuItems();
  // The shown logs or the listed folder changed (follow mode watches them).
  void ShownLogsChanged();
  // A new scan is on show (the totals follow it).
  void TimelineChanged(const TimelineScan& scan);
  void PlaceWindow();
  void KeepOnScreen();
  void WatchGridDoubleClicks();
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Runs a handler with the error display around it.
  void Guard(const std::function<void()>& handler);

  bool positionSaved_ = false;
  bool closeRefused_ = false;
  bool closingWithoutAsking_ = false;
  HiddenListFile hiddenList_{""};
  TForm1Options options_;
  // Owns Chart1 and Series1; the destructor removes Chart1View first.
  std::unique_ptr<TComponent> components_;
  std::unique_ptr<FollowMode> follow_;
  SummaryWindow* summary_ = nullptr;  // owned by the window, made when first opened
  // Works on Chart1: declared after components_, so it goes first.
  std::unique_ptr<RowLabels> rowLabels_;
  // The widget whose context menu is opening (PopupMenu1Popup).
  QWidget* popupOwner_ = nullptr;
  // Where the grid was last double-clicked, in StringGrid1's coordinates.
  bool hasGridClickPos_ = false;
  QPoint gridClickPos_;
};

}  // namespace tokiwa
