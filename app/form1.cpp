// The main window's construction: components, their design settings, menus.
#include "app/form1.h"

#include <QAction>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/app_icon.h"
#include "app/follow_mode.h"
#include "app/ui_text.h"
#include "gui/chart_widget.h"
#include "gui/error_display.h"
#include "gui/file_list_box.h"
#include "gui/font_mapping.h"
#include "gui/splitter.h"
#include "gui/string_grid_view.h"
#include "runtime/graphics.h"
#include "runtime/messages.h"
#include "timeline/chart_config.h"
#include "timeline/row_labels.h"

namespace tokiwa {

namespace {

// Design values.
constexpr int kFileListWidth = 193;
constexpr int kFileListItemHeight = 17;
constexpr int kSplitterThickness = 3;
constexpr int kGridHeight = 167;
constexpr int kGridRowHeight = 20;
constexpr int kGridColWidths[] = {43, 94, 92, 105, 238};
constexpr TColor kGridColor = 0x00C8FFFF;
constexpr const char* kFormFont = "ＭＳ Ｐゴシック";
constexpr const char* kGridFont = "ＭＳ ゴシック";
constexpr int kFormFontHeight = -15;
constexpr int kFileListFontHeight = -17;
constexpr int kGridFontHeight = -15;

QFont DesignFont(const char* name, int height) {
  TFont font;
  font.SetName(name);
  font.SetHeight(height);
  font.SetCharset(SHIFTJIS_CHARSET);
  return ToQFont(font);
}

QColor ToColour(TColor c) {
  c = ColorToRGB(c);
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// Fills every colour group, so the colour stays when the widget is disabled.
void SetBackground(QWidget* widget, QPalette::ColorRole role, TColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToColour(colour));
  widget->setPalette(palette);
}

}  // namespace

TForm1::TForm1(TForm1Options options, QWidget* parent)
    : QMainWindow(parent), StringGridIO1(nullptr), options_(std::move(options)) {
  ChooseFolder = [](QWidget* owner, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
  };
  CreateComponents();
  CreateMenus();
  FormCreate();
}

TForm1::~TForm1() {
  follow_.reset();
  FormDestroy();
  // The widget leaves the chart before the chart goes.
  delete Chart1View;
  Chart1View = nullptr;
  Chart1Area = nullptr;
}

TStringGrid& TForm1::Grid() { return StringGrid1->Grid(); }

void TForm1::Guard(const std::function<void()>& handler) { GuardedCall(this, handler); }

void TForm1::CreateComponents() {
  setWindowTitle(Text(msg::AppTitle));
  setWindowIcon(MakeAppIcon());
  setFont(DesignFont(kFormFont, kFormFontHeight));
  resize(kDesignedWidth, kDesignedHeight);

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  FileListBox1 = new TFileListBox(central);
  FileListBox1->setFont(DesignFont(kFormFont, kFileListFontHeight));
  FileListBox1->SetItemHeight(kFileListItemHeight);
  FileListBox1->setFixedWidth(kFileListWidth);
  FileListBox1->OnClick = [this] { Guard([this] { FileListBox1Click(); }); };
  // Ctrl- and Shift-click show several logs on one time axis.
  FileListBox1->SetExtendedSelect(true);

  Panel1 = new QFrame(central);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Splitter1 = new TSplitter(TSplitter::Side::kLeft, kSplitterThickness, FileListBox1, Panel1, central);

  row->addWidget(FileListBox1);
  row->addWidget(Splitter1);
  row->addWidget(Panel1, 1);

  auto* column = new QVBoxLayout(Panel1);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  Chart1Area = CreateChart1Area(Panel1);
  StringGrid1 = new TStringGridView(Panel1);
  Splitter3 = new TSplitter(TSplitter::Side::kBottom, kSplitterThickness, StringGrid1, Chart1Area, Panel1);
  column->addWidget(Chart1Area, 1);
  column->addWidget(Splitter3);
  column->addWidget(StringGrid1);
  ConfigureGrid();

  setCentralWidget(central);
}

// The chart fills what the grid and its splitter leave.
QWidget* TForm1::CreateChart1Area(QWidget* parent) {
  components_ = std::make_unique<TComponent>(nullptr);
  const TimelineChart made = CreateTimelineChart(components_.get());
  Chart1 = made.Chart1;
  Series1 = made.Series1;
  Series1->OnClick = [this](TChartSeries* sender, int valueIndex, TMouseButton button, TShiftState shift,
                            int x, int y) { Series1Click(sender, valueIndex, button, shift, x, y); };
  Chart1View = new ChartWidget(Chart1, parent);
  return Chart1View;
}

void TForm1::ConfigureGrid() {
  StringGrid1->setFrameShape(QFrame::NoFrame);
  StringGrid1->setFixedHeight(kGridHeight);
  StringGrid1->setFont(DesignFont(kGridFont, kGridFontHeight));
  SetBackground(StringGrid1, QPalette::Base, kGridColor);

  TStringGrid& grid = StringGrid1->Grid();
  grid.BeginUpdate();
  grid.SetColCount(static_cast<int>(std::size(kGridColWidths)));
  grid.SetRowCount(2);
  grid.SetFixedCols(0);
  grid.SetFixedRows(1);
  grid.SetDefaultRowHeight(kGridRowHeight);
  for (int c = 0; c < grid.ColCount(); ++c) grid.SetColWidths(c, kGridColWidths[c]);
  grid.EndUpdate();

  StringGridIO1.SetTargetGrid(&grid);
  StringGridIO1.SetStretch(true);
}

void TForm1::CreateMenus() {
  QMenuBar* bar = menuBar();
  Folder1 = bar->addMenu(Text(msg::MenuFolder));
  mnOpen = Folder1->addAction(Text(msg::MenuOpen));
  mnExit = Folder1->addAction(Text(msg::MenuExit));
  connect(mnOpen, &QAction::triggered, this, [this] { Guard([this] { mnOpenClick(); }); });
  connect(mnExit, &QAction::triggered, this, [this] { Guard([this] { mnExitClick(); }); });

  mnOption = bar->addMenu(Text(msg::MenuOption));
  mnReact = mnOption->addMenu(Text(msg::MenuRestore));
  N3 = mnOption->addSeparator();
  mnAllDisp = mnOption->addAction(Text(msg::MenuShowAll));
  mnAllDisp->setCheckable(true);
  mnAllDisp->setShortcut(QKeySequence(Qt::Key_F4));
  connect(mnOption, &QMenu::aboutToShow, this, [this] { Guard([this] { mnOptionClick(); }); });
  // Qt has already inverted the check mark when triggered is raised.
  connect(mnAllDisp, &QAction::triggered, this, [this] { Guard([this] { BuildTimeline(); }); });
  CreateLogMenuItems();

  mnRenew = bar->addAction(Text(msg::MenuRenew));
  mnRenew->setShortcut(QKeySequence(Qt::Key_F5));
  // Shortcuts of the bar's own commands must work with every menu closed.
  addAction(mnAllDisp);
  addAction(mnRenew);

  PopupMenu1 = new QMenu(this);
  mnIgno = PopupMenu1->addAction(Text(msg::MenuHide));
  connect(mnIgno, &QAction::triggered, this, [this] { Guard([this] { mnIgnoClick(); }); });
  connect(mnRenew, &QAction::triggered, this, [this] { Guard([this] { mnRenewClick(); }); });
  AttachPopupMenu(Chart1View, Chart1View);
  AttachPopupMenu(StringGrid1, StringGrid1->viewport());
  StringGrid1->OnDblClick = [this] { Guard([this] { StringGrid1DblClick(); }); };
  WatchGridDoubleClicks();
  CreateReadingAids();
}

// A widget's context menu: PopupMenu1Popup runs, then the menu opens where
// the request was made. Scroll areas report positions in their viewport.
void TForm1::AttachPopupMenu(QWidget* owner, QWidget* coordinateSource) {
  owner->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(owner, &QWidget::customContextMenuRequested, this, [this, owner, coordinateSource](QPoint pos) {
    Guard([this, owner, coordinateSource, pos] {
      popupOwner_ = owner;
      PopupMenu1Popup();
      popupOwner_ = nullptr;
      PopupMenu1->popup(coordinateSource->mapToGlobal(pos));
    });
  });
}

}  // namespace tokiwa
