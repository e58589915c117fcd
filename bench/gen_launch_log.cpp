// Writes a realistic launch log: system runs ("vvv" ... "###") holding program
// starts ("C"/"S") and ends ("E"), five comma-separated fields per line, CP932
// text with CR LF line ends. Deterministic for a given line count.
// With --never-ending: one "vvv" and then only program starts, none of which
// ever ends (every run lasts to the last line).
//
//   gen_launch_log [--never-ending] OUTPUT LINES
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
  explicit LogWriter(std::FILE* out) : out_(out) {}

  void Line(const char* marker, const Program* p) {
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d,%d:%02d:%02d", year_, month_, day_,
                  seconds_ / 3600, seconds_ / 60 % 60, seconds_ % 60);
    std::string line = std::string(marker) + "," + stamp + "," + (p ? p->file : "") + "," +
                       (p ? p->folder : "") + "\r\n";
    const std::string bytes = tokiwa::Utf8ToCp932(line);
    std::fwrite(bytes.data(), 1, bytes.size(), out_);
    ++lines_;
  }
  void Advance(int seconds) { seconds_ = std::min(seconds_ + seconds, 86399); }
  void NextDay() {
    seconds_ = 8 * 3600;
    if (++day_ > 28) day_ = 1, month_ = month_ % 12 + 1, year_ += month_ == 1;
  }
  long lines() const { return lines_; }

 private:
  std::FILE* out_;
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

}  // namespace

int main(int argc, char** argv) {
  const bool neverEnding = argc == 4 && std::string(argv[1]) == "--never-ending";
  if (argc != 3 && !neverEnding) {
    std::fprintf(stderr, "usage: %s [--never-ending] OUTPUT LINES\n", argv[0]);
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
  LogWriter log(out);
  if (neverEnding) {
    WriteNeverEnding(log, rng, target);
    std::fclose(out);
    return 0;
  }
  while (log.lines() < target) {
    log.Line("vvv", nullptr);
    std::vector<int> open;
    for (int events = 0; events < 40 && log.lines() < target - 1; ++events) {
      log.Advance(static_cast<int>(rng() % 900));
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
    log.NextDay();
  }
  std::fclose(out);
  return 0;
}
