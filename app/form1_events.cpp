// The main window's events: start, close, the folder and the loading of a log.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/form1.h"
#include "app/settings.h"
#include "app/ui_text.h"
#include "chart/chart.h"
#include "gui/error_display.h"
#include "gui/file_list_box.h"
#include "gui/splitter.h"
#include "gui/string_grid_view.h"
#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "runtime/profile_file.h"
#include "runtime/safe_file.h"
#include "series/gantt_series.h"
#include "timeline/launch_log.h"
#include "timeline/log_files.h"
#include "timeline/timeline_builder.h"

namespace tokiwa {

namespace {

constexpr std::string_view kAllFilesMask = "*.*";

// A large log takes a moment to load and draw; the wait cursor says so, and
// goes away however the load ends.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// Nobody may be there to close a message box.
void PrintErrorMessage(const std::string& message) {
  std::fprintf(stderr, "tokiwa: %s\n", message.c_str());
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

}  // namespace

void TForm1::FormCreate() {
  IniFileName = options_.IniFileName;
  ApplyLayoutSettings();

  ListFileName = options_.ListFileName;
  // What a save killed half way left behind goes first.
  RemoveStaleTemporaries(IniFileName);
  RemoveStaleTemporaries(ListFileName);
  // An unreadable list is reported; the window still opens, with no names
  // hidden, and the file is left alone until it can be read.
  hiddenList_ = HiddenListFile(ListFileName);
  Guard([this] { hiddenList_.Load(HiddenNames); });

  BarColors = kBarColors;

  if (options_.HasCommandLineFolder && IsFolder(options_.CommandLineFolder))
    ListFolder(options_.CommandLineFolder);
  PlaceWindow();
  ShownLogsChanged();
}

void TForm1::ApplyLayoutSettings() {
  const ProfileFile ini(IniFileName);
  const LayoutSettings layout = ReadLayoutSettings(ini);
  const OptionSettings options = ReadOptionSettings(ini);
  mnFollow->setChecked(options.Follow);
  ShowRowLabels(options.RowLabels);
  // A hand-edited file may hold values near the int limits, where Qt's own
  // geometry arithmetic overflows; no screen is this large, and
  // KeepOnScreen() brings the window within its screen afterwards.
  constexpr int kFar = 1 << 24;
  if (layout.HasPosition()) {
    positionSaved_ = true;
    move(std::clamp(layout.Left, -kFar, kFar), std::clamp(layout.Top, -kFar, kFar));
  }
  if (layout.HasSize()) resize(std::min(layout.Width, kFar), std::min(layout.Height, kFar));
  if (LayoutSettings::Applies(layout.WidthL)) Splitter1->SetControlSize(layout.WidthL);
  // HeightT is read but has no effect: the chart always takes what the grid
  // leaves.
  if (LayoutSettings::Applies(layout.HeightB)) Splitter3->SetControlSize(layout.HeightB);
  mnAllDisp->setChecked(layout.All);
}

// Without a saved position the window opens centred on its screen.
void TForm1::PlaceWindow() {
  KeepOnScreen();
  if (positionSaved_) return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

// Saved bounds may come from another screen, or from a hand-edited file: the
// window is made no larger than the available area of the screen it is on
// (the primary one when it is on none), and its top left corner is kept in
// that area with enough of the window beside it to grab, so its menus stay
// in reach. A saved position that already does so is kept as it is.
void TForm1::KeepOnScreen() {
  constexpr int kReach = 100;
  const QScreen* screen = QGuiApplication::screenAt(pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QSize size(std::min(width(), area.width()), std::min(height(), area.height()));
  if (size != this->size()) resize(size);
  if (!positionSaved_) return;
  const int left = std::clamp(pos().x(), area.left(), area.left() + area.width() - std::min(width(), kReach));
  const int top = std::clamp(pos().y(), area.top(), area.top() + area.height() - std::min(height(), kReach));
  if (QPoint(left, top) != pos()) move(left, top);
}

std::vector<std::string> TForm1::SaveState() {
  LayoutSettings layout;
  layout.Left = pos().x();
  layout.Top = pos().y();
  layout.Width = width();
  layout.Height = height();
  layout.WidthL = FileListBox1->width();
  layout.HeightT = Chart1Area->height();
  layout.HeightB = StringGrid1->height();
  layout.All = mnAllDisp->isChecked();
  OptionSettings options;
  options.Follow = mnFollow->isChecked();
  options.RowLabels = mnRowLabels->isChecked();
  std::vector<std::string> failures;
  // The list is saved even when the settings are not: it is what the user
  // would miss.
  try {
    ProfileFile ini(IniFileName);
    WriteSettings(ini, layout, options);
  } catch (const Exception& e) {
    failures.emplace_back(e.what());
  }
  try {
    hiddenList_.Save(HiddenNames);
  } catch (const Exception& e) {
    failures.emplace_back(e.what());
  }
  return failures;
}

bool TForm1::FormCloseQuery() {
  const std::vector<std::string> failures = SaveState();
  if (failures.empty()) return true;
  std::string message;
  for (const std::string& failure : failures) message += failure + "\n";
  if (closingWithoutAsking_) {
    PrintErrorMessage(message + std::string(msg::ClosedWithoutSaving));
    return true;
  }
  if (!closeRefused_) {
    closeRefused_ = true;
    ShowErrorMessage(this, message + std::string(msg::CloseRefused));
    return false;
  }
  ShowErrorMessage(this, message + std::string(msg::ClosedWithoutSaving));
  return true;
}

void TForm1::CloseWithoutAsking() {
  closingWithoutAsking_ = true;
  close();
}

void TForm1::SaveHiddenNames() {
  Guard([this] { hiddenList_.Save(HiddenNames); });
}

void TForm1::FormDestroy() { HiddenNames.Clear(); }

void TForm1::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  Guard([this, &canClose] { canClose = FormCloseQuery(); });
  event->setAccepted(canClose);
}

void TForm1::mnOpenClick() {
  const QString start = QFile::decodeName(QByteArray::fromStdString(FileListBox1->Directory()));
  const QString folder = ChooseFolder(this, Text(msg::FolderDialogTitle), start);
  if (folder.isEmpty()) return;
  ListFolder(QFile::encodeName(folder).toStdString());
}

void TForm1::mnExitClick() { close(); }

void TForm1::ListFolder(const std::string& folder) {
  std::error_code ec;
  std::string absolute = std::filesystem::absolute(folder, ec).string();
  if (ec) absolute = folder;
  if (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
  FileListBox1->SetFileName(absolute + "/" + std::string(kAllFilesMask));
  ShownLogsChanged();
}

// Several selected files load one after another into the grid and share one
// time axis.
void TForm1::FileListBox1Click() {
  const std::vector<std::string> files = FileListBox1->SelectedFileNames();
  if (FileListBox1->Count() == 0 || files.empty()) return;
  const WaitCursor wait;
  StringGrid1->setEnabled(false);
  ShownLogs.clear();
  ShownLogsChanged();
  ShownLogs = LoadLaunchLogs(StringGridIO1, files);
  ShownLogsChanged();
  StringGrid1->setEnabled(true);
  StringGrid1->viewport()->update();
  BuildTimeline();
}

void TForm1::SelectFirstLog() {
  if (FileListBox1->Count() == 0) return;
  FileListBox1->SetItemIndex(0);
  Guard([this] { FileListBox1Click(); });
}

TimelineSource TForm1::CurrentSource() {
  TimelineSource source;
  source.Grid = &Grid();
  source.Logs = RowsOf(ShownLogs);
  source.HiddenNames = &HiddenNames;
  source.ShowAll = mnAllDisp->isChecked();
  source.BarColors = BarColors;
  return source;
}

void TForm1::BuildTimeline() {
  const TimelineScan scan = ScanLogs(CurrentSource(), ShownLogs);
  ShowTimeline(*Chart1, *Series1, scan);
  TimelineChanged(scan);
  if (scan.Stopped) throw EConvertError(scan.Stopped->Message);
}

std::optional<UnreadableRow> TForm1::RefreshTimeline() {
  const TimelineScan scan = ScanLogs(CurrentSource(), ShownLogs);
  RefillSeries(*Series1, scan);
  TimelineChanged(scan);
  return scan.Stopped;
}

void TForm1::mnOptionClick() {
  const QList<QAction*> items = mnReact->actions();
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    mnReact->removeAction(*it);
    delete *it;
  }
  for (int i = 0; i < HiddenNames.Count(); ++i) {
    // '&' in a name would turn into an access key; the name itself travels as
    // data, undecodable bytes and all.
    QAction* item = mnReact->addAction(Text(Cp932DisplayText(HiddenNames[i])).replace('&', "&&"));
    item->setData(Text(HiddenNames[i]));
    connect(item, &QAction::triggered, this, [this, item] { Guard([this, item] { RestoreItemClick(item); }); });
  }
  mnReact->menuAction()->setEnabled(!mnReact->actions().isEmpty());
}

void TForm1::RestoreItemClick(QAction* sender) {
  const int index = HiddenNames.IndexOf(sender->data().toString().toStdString());
  if (index < 0) return;
  HiddenNames.Delete(index);
  SaveHiddenNames();
  FileListBox1Click();
}

// Qt inverts the check mark before it raises triggered, and the triggered
// handler rebuilds.
void TForm1::mnAllDispClick() { mnAllDisp->trigger(); }

}  // namespace tokiwa
