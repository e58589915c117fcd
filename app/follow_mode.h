#pragma once
// Following the logs (オプション → 自動更新): the window watches the listed
// folder and the shown logs. New files appear in the file list; the complete
// lines a shown log gains are taken into the grid and the chart, keeping the
// zoom, the grid's scroll position and the foot. A log that was truncated or
// replaced is read again whole on a worker thread, so the window stays
// responsive. A change is taken in after a short pause that gathers a burst of
// writes, and updates come at most once per interval, so a log written line
// by line costs about one update a second, not one per line.
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <string>

namespace tokiwa {

class TForm1;

class FollowMode : public QObject {
 public:
  // The pause after a change, and the least time between two updates.
  static constexpr int kSettleMs = 50;
  static constexpr int kIntervalMs = 750;

  explicit FollowMode(TForm1& form);
  ~FollowMode() override;
  FollowMode(const FollowMode&) = delete;
  FollowMode& operator=(const FollowMode&) = delete;

  // Watches what the window lists and shows now, while mnFollow is checked;
  // a whole re-read still running for earlier logs is dropped.
  void Watch();

  // Takes in what changed without waiting for the moment to pass.
  void CheckNow();
  // A whole re-read is running on the worker thread.
  bool Reloading() const { return reload_ != nullptr; }

 private:
  struct Reload;

  bool On() const;
  void Changed(bool folder);
  void Check();
  void WatchPaths();
  void StartReload();
  void ReloadDone();
  void ShowGrownTimeline();
  void ReportOnce(const std::string& message);

  TForm1& form_;
  QFileSystemWatcher watcher_;
  QTimer timer_;
  QElapsedTimer sinceCheck_;
  bool folderChanged_ = false;
  bool checkAfterReload_ = false;
  std::unique_ptr<Reload> reload_;
  std::uint64_t generation_ = 0;  // which logs a running re-read belongs to
  std::string lastReported_;      // a message is not repeated at every update
};

}  // namespace tokiwa
