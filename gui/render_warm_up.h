#pragma once
// What the first paint of a picture sets up, readied beforehand on a thread
// of its own: Qt's font database and the chart's default face, and the
// picture's megabytes of fresh memory. The command line starts it before it
// has read a log, while it pairs the runs and fills the series on one core;
// the thread runs only when a core has nothing else to do.
#include <QImage>
#include <thread>

namespace tokiwa {

class RenderWarmUp {
 public:
  RenderWarmUp() = default;
  ~RenderWarmUp();
  RenderWarmUp(const RenderWarmUp&) = delete;
  RenderWarmUp& operator=(const RenderWarmUp&) = delete;

  // Starts the thread (once): a picture of width x height when both are
  // sizes a picture can have, otherwise only the fonts.
  void Start(int width, int height);
  // The white picture; waits for the thread. Null when none was asked for
  // or there was no memory for it.
  QImage TakePicture();

 private:
  void Run(int width, int height);
  void Join();

  QImage picture_;
  std::thread thread_;
};

}  // namespace tokiwa
