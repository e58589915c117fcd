#pragma once
// One column of doubles of a series (X, Y, or an extra list such as bar ends),
// with cached statistics kept up to date incrementally.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/component.h"
#include "runtime/exceptions.h"

namespace tokiwa {

class TChartSeries;

enum class TChartListOrder : std::uint8_t { loNone, loAscending, loDescending };

class TChartValueList : public TPersistent {
 public:
  // Appends itself to the owner's value lists (the owner destroys it).
  TChartValueList(TChartSeries* owner, const std::string& name);

  TChartSeries* Owner() const { return owner_; }
  int ItemCount() const { return static_cast<int>(values_.size()); }

  // Scaled by Multiplier. Inline: drawing asks for a million of these.
  double ValueAt(int index) const {
    CheckIndex(index);
    return values_[static_cast<std::size_t>(index)] * multiplier_;
  }
  double StoredValueAt(int index) const;  // raw
  double LastValue() const;
  // Raw storage, for loops that must not pay for bounds checks.
  const std::vector<double>& RawValues() const { return values_; }
  // Changes whenever a value (or the multiplier) does: indexes over the values
  // compare it to know they are out of date.
  std::uint64_t Version() const { return version_; }

  // Makes room for count values, so that inserting up to that many does not
  // move the list.
  void Reserve(int count);
  void InsertAt(int index, double raw);
  int InsertInOrder(double raw);
  // Where InsertInOrder would put raw is the end.
  bool GoesLast(double raw) const;
  // InsertAt(ItemCount(), raw).
  void Append(double raw);
  // Whether values appended in turn would each go last (GoesLast).
  bool GoLast(const std::vector<double>& values) const;
  // Append of each value in turn; an empty list takes the vector itself.
  void AppendAll(std::vector<double> values);
  void SetValueAt(int index, double raw);
  void RemoveAt(int index);
  void RemoveAll();
  void RefreshStatistics();

  double SumOfValues() const { return sum_; }
  double SumOfMagnitudes() const { return sumAbs_; }
  double HighestValue() const { return highest_; }
  double LowestValue() const { return lowest_; }

  TChartListOrder Order() const { return order_; }
  void SetOrder(TChartListOrder order) { order_ = order; }
  bool DateTime() const { return dateTime_; }
  void SetDateTime(bool value);
  double Multiplier() const { return multiplier_; }
  void SetMultiplier(double value);
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  const std::string& ValueSource() const { return valueSource_; }
  void SetValueSource(const std::string& source);

  // The value the series' next add operation inserts into this list.
  double PendingValue = 0;

  void Assign(const TPersistent& source) override;

 private:
  // Whether after may come after before in the list's order.
  bool Follows(double before, double after) const;
  void AddToStatistics(double raw, bool first);
  void RemoveFromStatistics(double raw);
  void CheckIndex(int index) const {
    if (index < 0 || index >= ItemCount()) ThrowListIndexError(index);
  }

  TChartSeries* owner_;
  std::vector<double> values_;
  std::uint64_t version_ = 0;
  TChartListOrder order_ = TChartListOrder::loNone;
  bool dateTime_ = false;
  double multiplier_ = 1.0;
  std::string name_;
  std::string valueSource_;
  double sum_ = 0;
  double sumAbs_ = 0;
  double highest_ = 0;
  double lowest_ = 0;
};

}  // namespace tokiwa
