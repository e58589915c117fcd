#include "app/follow_mode.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <algorithm>
#include <thread>
#include <vector>

#include "app/form1.h"
#include "gui/error_display.h"
#include "gui/file_list_box.h"
#include "gui/string_grid_view.h"
#include "runtime/exceptions.h"
#include "timeline/launch_log.h"
#include "timeline/log_growth.h"

namespace tokiwa {

namespace {

QString PathText(const std::string& path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

// The grid's scroll position across a whole re-read, which lays it out anew.
class GridPlace {
 public:
  explicit GridPlace(TStringGridView& view)
      : view_(view), x_(view.horizontalScrollBar()->value()), y_(view.verticalScrollBar()->value()) {}
  void Restore() {
    view_.doItemsLayout();
    view_.horizontalScrollBar()->setValue(x_);
    view_.verticalScrollBar()->setValue(y_);
  }

 private:
  TStringGridView& view_;
  int x_, y_;
};

}  // namespace

// The logs read again whole, on a grid of the worker's own; the window takes
// the grid's cells over when it is done.
struct FollowMode::Reload {
  std::uint64_t generation = 0;
  std::vector<std::string> paths;
  TStringGrid grid;
  TStringGridIO io;
  std::vector<LoadedLog> logs;
  std::string error;
  std::jthread worker;
};

FollowMode::FollowMode(TForm1& form) : form_(form) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { Check(); });
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { Changed(false); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Changed(true); });
}

// A re-read still running is waited for: it owns nothing of the window.
FollowMode::~FollowMode() {
  if (reload_) QApplication::restoreOverrideCursor();
}

bool FollowMode::On() const { return form_.mnFollow->isChecked(); }

void FollowMode::Watch() {
  ++generation_;
  folderChanged_ = false;
  lastReported_.clear();
  if (!On()) {
    timer_.stop();
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    return;
  }
  WatchPaths();
  // What changed while nobody watched is taken in now.
  Changed(true);
}

void FollowMode::CheckNow() {
  timer_.stop();
  Check();
}

// A file replaced by another under its name is no longer watched: each
// check watches the names again.
void FollowMode::WatchPaths() {
  QStringList wanted;
  const QString folder = PathText(form_.FileListBox1->Directory());
  if (QFileInfo(folder).isDir()) wanted << folder;
  for (const LoadedLog& log : form_.ShownLogs) {
    const QString path = PathText(log.Path);
    if (QFileInfo::exists(path)) wanted << path;
  }
  QStringList stale;
  for (const QString& path : watcher_.files() + watcher_.directories())
    if (!wanted.contains(path)) stale << path;
  if (!stale.isEmpty()) watcher_.removePaths(stale);
  QStringList missing;
  for (const QString& path : wanted)
    if (!watcher_.files().contains(path) && !watcher_.directories().contains(path)) missing << path;
  if (!missing.isEmpty()) watcher_.addPaths(missing);
}

void FollowMode::Changed(bool folder) {
  folderChanged_ = folderChanged_ || folder;
  if (timer_.isActive()) return;
  const qint64 wait = sinceCheck_.isValid() ? kIntervalMs - sinceCheck_.elapsed() : 0;
  timer_.start(static_cast<int>(std::max<qint64>(kSettleMs, wait)));
}

void FollowMode::Check() {
  if (!On()) return;
  sinceCheck_.start();
  if (reload_) {
    checkAfterReload_ = true;
    return;
  }
  if (std::exchange(folderChanged_, false)) form_.FileListBox1->Refresh();
  switch (TakeAppendedLines(form_.StringGridIO1, form_.ShownLogs)) {
    case LogGrowth::lgRewritten:
      StartReload();
      break;
    case LogGrowth::lgAppended:
      ShowGrownTimeline();
      break;
    case LogGrowth::lgNone:
      break;
  }
  WatchPaths();
}

void FollowMode::ShowGrownTimeline() {
  const std::optional<UnreadableRow> stopped = form_.RefreshTimeline();
  if (stopped) ReportOnce(stopped->Message);
}

void FollowMode::ReportOnce(const std::string& message) {
  if (message == lastReported_) return;
  lastReported_ = message;
  ShowErrorMessage(&form_, message);
}

void FollowMode::StartReload() {
  reload_ = std::make_unique<Reload>();
  Reload& reload = *reload_;
  reload.generation = generation_;
  for (const LoadedLog& log : form_.ShownLogs) reload.paths.push_back(log.Path);
  PrepareLogGrid(reload.grid, reload.io);
  // The window still answers; the cursor tells that a read is under way.
  QApplication::setOverrideCursor(Qt::BusyCursor);
  reload.worker = std::jthread([this, &reload] {
    try {
      reload.logs = LoadLaunchLogs(reload.io, reload.paths);
    } catch (const std::exception& e) {
      reload.error = e.what();
    }
    QMetaObject::invokeMethod(this, [this] { ReloadDone(); }, Qt::QueuedConnection);
  });
}

void FollowMode::ReloadDone() {
  const std::unique_ptr<Reload> reload = std::move(reload_);
  reload->worker.join();
  QApplication::restoreOverrideCursor();
  if (reload->generation == generation_ && On()) {
    if (!reload->error.empty()) {
      ReportOnce(reload->error);
    } else {
      GridPlace place(*form_.StringGrid1);
      form_.Grid().AdoptCells(reload->grid);
      form_.ShownLogs = std::move(reload->logs);
      place.Restore();
      ShowGrownTimeline();
      WatchPaths();
    }
  }
  if (std::exchange(checkAfterReload_, false)) Changed(false);
}

}  // namespace tokiwa
