#pragma once
// The viewer's persisted state: the window layout and show-all switch in the
// settings file, and the hidden-program list in the list file.
#include <string>

#include "runtime/profile_file.h"
#include "runtime/string_list.h"

namespace tokiwa {

// The settings file's values; -1 stands for "not saved".
struct LayoutSettings {
  int Left = -1;
  int Top = -1;
  int Width = -1;
  int Height = -1;
  int WidthL = -1;   // file list width
  int HeightT = -1;  // chart height
  int HeightB = -1;  // grid height
  bool All = false;  // show-all switch

  // Which values a window applies at start.
  bool HasPosition() const { return Left >= 0 && Top >= 0; }
  bool HasSize() const { return Width >= 0 && Height >= 0; }
  static bool Applies(int paneSize) { return paneSize > 0; }
};

// Settings the viewer gained later, each feature in a section of its own
// ("Follow"/"Enabled", "View"/"RowLabels"), so older settings files read as
// before.
struct OptionSettings {
  bool Follow = false;     // take in what the folder and the shown logs gain
  bool RowLabels = false;  // program names beside the chart's rows
};

// Missing keys and texts that are not numbers read as the defaults.
LayoutSettings ReadLayoutSettings(const ProfileFile& file);
OptionSettings ReadOptionSettings(const ProfileFile& file);

// Writes the layout and the options in one save, as WriteLayoutSettings. An
// option's section is written only once the option was used, so a viewer
// that never used one leaves the file as it always has.
void WriteSettings(ProfileFile& file, const LayoutSettings& layout, const OptionSettings& options);

// Writes every key, in the file's customary order, and saves once; raises
// EIniFileException (msg::WriteError) when the file cannot be saved, leaving
// the file on disk as it was.
void WriteLayoutSettings(ProfileFile& file, const LayoutSettings& layout);

// Loads the list when its file exists; an absent file leaves the list empty.
// Raises EFOpenError when the file exists but cannot be read.
void LoadHiddenNames(TStringList& names, const std::string& path);

// The hidden-program list file of a viewer session. A list file that could
// not be read is never replaced by a list that lacks its names: each save
// reads it again first, keeps its names ahead of the session's, and only
// then writes; while it still cannot be read, the save raises its open error
// and writes nothing.
class HiddenListFile {
 public:
  explicit HiddenListFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // LoadHiddenNames, remembering a failure.
  void Load(TStringList& names);
  // Replaces the file with names (after merging a list not read before);
  // raises EFOpenError or EFCreateError and leaves the file as it was.
  void Save(TStringList& names);

 private:
  std::string path_;
  bool unread_ = false;
};

}  // namespace tokiwa
