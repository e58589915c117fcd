#pragma once
// A scan's bars, kept list by list as a Gantt series holds them, so a series
// can take the lists whole instead of copying a million bars one field at a
// time. Read and added bar by bar like a vector of TimelineBar.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/colour.h"
#include "runtime/date_time.h"

namespace tokiwa {

// How a run's end row was found.
enum class RunEnd : std::uint8_t {
  reEndRow,    // its own end: the program's "E" row, or a system run's "###"
  reShutdown,  // a program run ended by the system's "###"
  reNextStart, // the row before the next "vvv"
  reLastRow,   // nothing ended it: the last row of its log
};

// One run.
struct TimelineBar {
  TDateTime Start = 0;
  TDateTime End = 0;
  int Row = 0;
  TColor Colour = 0;
  int Label = 0;  // index into TimelineScan::Labels
  RunEnd Ended = RunEnd::reEndRow;

  // The log does not say when the run ended; its end is the best guess.
  bool EndInferred() const { return Ended != RunEnd::reEndRow; }
};

class TimelineBars {
 public:
  class Iterator {
   public:
    Iterator(const TimelineBars& bars, std::size_t i) : bars_(&bars), i_(i) {}
    TimelineBar operator*() const { return (*bars_)[i_]; }
    Iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator==(const Iterator& other) const = default;

   private:
    const TimelineBars* bars_;
    std::size_t i_;
  };

  std::size_t size() const { return Starts.size(); }
  bool empty() const { return Starts.empty(); }
  TimelineBar operator[](std::size_t i) const {
    return {Starts[i], Ends[i], static_cast<int>(Rows[i]), Colours[i], Labels[i], Ended[i]};
  }
  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, size()}; }

  void reserve(std::size_t count);
  // Inline: a scan adds a bar per run.
  void push_back(const TimelineBar& bar) {
    Starts.push_back(bar.Start);
    Ends.push_back(bar.End);
    Rows.push_back(bar.Row);
    Colours.push_back(bar.Colour);
    Labels.push_back(bar.Label);
    Ended.push_back(bar.Ended);
  }
  void insert(std::size_t at, const TimelineBar& bar);
  // Orders the bars by start, equal starts kept in their order.
  void SortByStart();

  // By bar; rows as the series' values.
  std::vector<double> Starts, Ends, Rows;
  std::vector<TColor> Colours;
  std::vector<int> Labels;
  std::vector<RunEnd> Ended;
};

}  // namespace tokiwa
