// Writes a realistic launch log: system runs ("vvv" ... "###") holding program
// starts ("C"/"S") and ends ("E"), five comma-separated fields per line, CP932
// text with CR LF line ends. Deterministic for a given line count.
// With --never-ending: one "vvv" and then only program starts, none of which
// ever ends (every run lasts to the last line).
// With --descending: the same lines as without, last line first, so every
// start lies before all those above it (logs joined newest first).
// With --daily DAYS: a folder of DAYS daily logs of about LINES lines each,
// named YYYY-MM-DD.log, as the launcher keeps them.
//
//   gen_launch_log [--never-ending | --descending] OUTPUT LINES
//   gen_launch_log --daily DAYS FOLDER LINES
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "runtime/encoding.h"

namespace {

struct Program {
  const char* file;
  const char* folder;
};

// Folders as the launcher writes them: no trailing backslash except a drive root.
const Program kPrograms[] = {
    {"EXCEL.EXE", "C:\\Program Files\\Microsoft Office\\root\\Office16"},
    {"WINWORD.EXE", "C:\\Program Files\\Microsoft Office\\root\\Office16"},
    {"notepad.exe", "C:\\Windows\\system32"},
    {"explorer.exe", "C:\\Windows"},
    {"表計算.exe", "D:\\ツール\\表計算～"},
    {"ﾒﾓ帳.exe", "C:\\Users\\山田\\デスクトップ"},
    {"chrome.exe", "C:\\Program Files\\Google\\Chrome\\Application"},
    {"見積作成.exe", "C:\\Users\\山田\\Documents\\営業部\\2023年度\\見積書ツール"},
    {"会計ソフト(2023).exe", "C:\\Program Files (x86)\\会計システム"},
    {"AcroRd32.exe", "C:\\Program Files (x86)\\Adobe\\Acrobat Reader DC\\Reader"},
    {"Teams.exe", "C:\\Users\\yamada\\AppData\\Local\\Microsoft\\Teams\\current"},
    {"setup.exe", "E:\\"},
};
constexpr int kProgramCount = sizeof kPrograms / sizeof kPrograms[0];

class LogWriter {
 public:
  LogWriter(std::FILE* out, bool reversed) : out_(out), reversed_(reversed) {}

  void SetOutput(std::FILE* out) { out_ = out; }
  std::string DayName() const {
    char name[16];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d", year_, month_, day_);
    return name;
  }

  void Line(const char* marker, const Program* p) {
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d,%d:%02d:%02d", year_, month_, day_,
                  seconds_ / 3600, seconds_ / 60 % 60, seconds_ % 60);
    std::string line = std::string(marker) + "," + stamp + "," + (p ? p->file : "") + "," +
                       (p ? p->folder : "") + "\r\n";
    std::string bytes = tokiwa::Utf8ToCp932(line);
    if (reversed_) held_.push_back(std::move(bytes));
    else std::fwrite(bytes.data(), 1, bytes.size(), out_);
    ++lines_;
  }
  void Advance(int seconds) { seconds_ = std::min(seconds_ + seconds, 86399); }
  void NextDay() {
    seconds_ = 8 * 3600;
    if (++day_ > 28) day_ = 1, month_ = month_ % 12 + 1, year_ += month_ == 1;
  }
  long lines() const { return lines_; }
  // Writes the lines held back for a reversed log, last first.
  void Finish() {
    for (auto line = held_.rbegin(); line != held_.rend(); ++line) std::fwrite(line->data(), 1, line->size(), out_);
    held_.clear();
  }

 private:
  std::FILE* out_;
  bool reversed_;
  std::vector<std::string> held_;  // the lines of a reversed log, until Finish
  long lines_ = 0;
  int year_ = 2021, month_ = 1, day_ = 1, seconds_ = 8 * 3600;
};

}  // namespace

namespace {

void WriteNeverEnding(LogWriter& log, std::mt19937& rng, long target) {
  log.Line("vvv", nullptr);
  for (long i = 1; i < target; ++i) {
    if (i % 40 == 0) log.Advance(1);
    log.Line(rng() % 8 ? "C" : "S", &kPrograms[rng() % kProgramCount]);
  }
}

void WriteDays(LogWriter& log, std::mt19937& rng, long target, int maxStep = 900, bool nextDay = true) {
  while (log.lines() < target) {
    log.Line("vvv", nullptr);
    std::vector<int> open;
    for (int events = 0; events < 40 && log.lines() < target - 1; ++events) {
      log.Advance(static_cast<int>(rng() % static_cast<unsigned>(maxStep)));
      if (!open.empty() && rng() % 2) {
        const std::size_t k = rng() % open.size();
        log.Line("E", &kPrograms[open[k]]);
        open.erase(open.begin() + static_cast<long>(k));
      } else {
        const int p = static_cast<int>(rng() % kProgramCount);
        log.Line(rng() % 8 ? "C" : "S", &kPrograms[p]);
        open.push_back(p);
      }
    }
    log.Line("###", nullptr);
    if (nextDay) log.NextDay();
  }
}

// A day's log: system runs from 8:00 whose events spread over about ten hours.
int WriteDailyLogs(const std::string& folder, int days, long linesPerDay) {
  std::mt19937 rng(20230401);
  LogWriter log(nullptr, false);
  for (int d = 0; d < days; ++d) {
    const std::string path = folder + "/" + log.DayName() + ".log";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
      std::perror(path.c_str());
      return 1;
    }
    log.SetOutput(out);
    WriteDays(log, rng, (d + 1) * linesPerDay, static_cast<int>(std::max(2L, 72000 / linesPerDay)), false);
    std::fclose(out);
    log.NextDay();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--daily") return WriteDailyLogs(argv[3], std::atoi(argv[2]), std::atol(argv[4]));
  const std::string mode = argc == 4 ? argv[1] : "";
  const bool neverEnding = mode == "--never-ending";
  if (argc != 3 && !neverEnding && mode != "--descending") {
    std::fprintf(stderr, "usage: %s [--never-ending | --descending] OUTPUT LINES\n"
                         "       %s --daily DAYS FOLDER LINES\n", argv[0], argv[0]);
    return 2;
  }
  const char* path = argv[argc - 2];
  const long target = std::atol(argv[argc - 1]);
  std::FILE* out = std::fopen(path, "wb");
  if (!out) {
    std::perror(path);
    return 1;
  }
  std::mt19937 rng(20230401);
  LogWriter log(out, mode == "--descending");
  if (neverEnding) WriteNeverEnding(log, rng, target);
  else WriteDays(log, rng, target);
  log.Finish();
  std::fclose(out);
  return 0;
}

