#include "app/settings.h"

#include <sys/stat.h>

namespace tokiwa {

namespace {

constexpr std::string_view kOrd = "Ord";
constexpr std::string_view kGeneral = "General";
constexpr std::string_view kLeft = "Left";
constexpr std::string_view kTop = "Top";
constexpr std::string_view kWidth = "Width";
constexpr std::string_view kHeight = "Height";
constexpr std::string_view kWidthL = "WidthL";
constexpr std::string_view kHeightT = "HeightT";
constexpr std::string_view kHeightB = "HeightB";
constexpr std::string_view kAll = "All";
constexpr std::string_view kFollow = "Follow";
constexpr std::string_view kEnabled = "Enabled";
constexpr std::string_view kView = "View";
constexpr std::string_view kRowLabels = "RowLabels";

// Ends a batch without saving when a write throws before EndUpdate.
class UpdateBatch {
 public:
  explicit UpdateBatch(ProfileFile& file) : file_(file) { file_.BeginUpdate(); }
  ~UpdateBatch() {
    if (open_) file_.CancelUpdate();
  }
  void Commit() {
    open_ = false;
    file_.EndUpdate();
  }

 private:
  ProfileFile& file_;
  bool open_ = true;
};

}  // namespace

LayoutSettings ReadLayoutSettings(const ProfileFile& file) {
  LayoutSettings s;
  s.Left = file.ReadInteger(kOrd, kLeft, -1);
  s.Top = file.ReadInteger(kOrd, kTop, -1);
  s.Width = file.ReadInteger(kOrd, kWidth, -1);
  s.Height = file.ReadInteger(kOrd, kHeight, -1);
  s.WidthL = file.ReadInteger(kOrd, kWidthL, -1);
  s.HeightT = file.ReadInteger(kOrd, kHeightT, -1);
  s.HeightB = file.ReadInteger(kOrd, kHeightB, -1);
  s.All = file.ReadInteger(kGeneral, kAll, 0) != 0;
  return s;
}

void WriteLayoutSettings(ProfileFile& file, const LayoutSettings& layout) {
  UpdateBatch batch(file);
  file.WriteInteger(kOrd, kTop, layout.Top);
  file.WriteInteger(kOrd, kLeft, layout.Left);
  file.WriteInteger(kOrd, kWidth, layout.Width);
  file.WriteInteger(kOrd, kHeight, layout.Height);
  file.WriteInteger(kOrd, kWidthL, layout.WidthL);
  file.WriteInteger(kOrd, kHeightT, layout.HeightT);
  file.WriteInteger(kOrd, kHeightB, layout.HeightB);
  file.WriteInteger(kGeneral, kAll, layout.All ? 1 : 0);
  batch.Commit();
}

OptionSettings ReadOptionSettings(const ProfileFile& file) {
  OptionSettings s;
  s.Follow = file.ReadInteger(kFollow, kEnabled, 0) != 0;
  s.RowLabels = file.ReadInteger(kView, kRowLabels, 0) != 0;
  return s;
}

namespace {

// An option switched on, or switched off after it was saved.
void WriteOption(ProfileFile& file, std::string_view section, std::string_view key, bool on) {
  constexpr std::string_view kAbsent = "\n";  // no value holds a line end
  if (on || file.ReadString(section, key, kAbsent) != kAbsent) file.WriteInteger(section, key, on ? 1 : 0);
}

}  // namespace

void WriteSettings(ProfileFile& file, const LayoutSettings& layout, const OptionSettings& options) {
  UpdateBatch batch(file);
  WriteLayoutSettings(file, layout);
  WriteOption(file, kFollow, kEnabled, options.Follow);
  WriteOption(file, kView, kRowLabels, options.RowLabels);
  batch.Commit();
}

void LoadHiddenNames(TStringList& names, const std::string& path) {
  names.Clear();
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return;
  names.LoadFromFile(path);
}

void HiddenListFile::Load(TStringList& names) {
  unread_ = true;
  LoadHiddenNames(names, path_);
  unread_ = false;
}

void HiddenListFile::Save(TStringList& names) {
  if (unread_) {
    TStringList kept;
    LoadHiddenNames(kept, path_);
    for (int i = 0; i < names.Count(); ++i)
      if (kept.IndexOf(names[i]) < 0) kept.Add(names[i]);
    names = kept;
    unread_ = false;
  }
  names.SaveToFile(path_);
}

}  // namespace tokiwa
