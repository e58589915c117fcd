#pragma once
// Qt's font database, opened ahead on a thread of its own. Reading the
// system's font configuration is most of a first picture's fixed cost, and
// the command line can have it done while it pairs a log's runs and fills the
// series, which keep one core busy. The database is shared by every thread;
// the faces and glyphs a paint loads are not, so nothing more is readied.
#include <thread>

namespace tokiwa {

class FontDatabaseWarmUp {
 public:
  FontDatabaseWarmUp() = default;
  ~FontDatabaseWarmUp() { Wait(); }
  FontDatabaseWarmUp(const FontDatabaseWarmUp&) = delete;
  FontDatabaseWarmUp& operator=(const FontDatabaseWarmUp&) = delete;

  // Starts the thread, once. It runs only when a core has nothing else to do.
  void Start();
  // Waits for it, at the normal share of the processor so that a busy
  // machine cannot starve it.
  void Wait();

 private:
  std::thread thread_;
};

}  // namespace tokiwa
