// The program as a script runs it: arguments, standard streams and exit
// statuses of the real executable.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/export_mode.h"
#include "runtime/messages.h"
#include "tests/timeline/timeline_test_support.h"

extern char** environ;

namespace tokiwa::testing {
namespace {

enum class Output { kFile, kDevFull, kClosed };

struct Case {
  std::vector<std::string> args;
  Output output = Output::kFile;
  int status = 0;
  std::string stderrHas;  // empty: anything
};

struct Result {
  int status = -1;
  std::string out, err;
};

// Runs the executable in dir with args, TOKIWA_CONFIG_DIR set to dir/config.
Result RunProgram(const TempDir& dir, const Case& c) {
  std::vector<std::string> argStore = {TOKIWA_EXECUTABLE};
  argStore.insert(argStore.end(), c.args.begin(), c.args.end());
  std::vector<char*> argv;
  for (auto& a : argStore) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStore = {"TOKIWA_CONFIG_DIR=" + dir.File("config"), "QT_QPA_PLATFORM=offscreen"};
  for (char** e = environ; *e; ++e)
    if (std::string_view(*e).rfind("TOKIWA_CONFIG_DIR=", 0) != 0) envStore.emplace_back(*e);
  std::vector<char*> envp;
  for (auto& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, dir.path().c_str());
  if (c.output == Output::kFile)
    posix_spawn_file_actions_addopen(&actions, 1, dir.File("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  else if (c.output == Output::kDevFull)
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
  else
    posix_spawn_file_actions_addclose(&actions, 1);
  posix_spawn_file_actions_addopen(&actions, 2, dir.File("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid;
  Result r;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  if (std::filesystem::exists(dir.File("stdout"))) r.out = ReadBytes(dir.File("stdout"));
  r.err = ReadBytes(dir.File("stderr"));
  return r;
}

const std::vector<LogLine> kDay = {
    {"vvv", "2024/04/15", "8:00:00", "", ""},
    {"C", "2024/04/15", "8:10:00", "a.exe", "C:\\T"},
    {"###", "2024/04/15", "9:00:00", "", ""},
};

TEST(CommandLineRun, StatusesAndMessagesAScriptSees) {
  const std::string stdoutFailure = FormatText(msg::WriteError, {Arg(msg::StandardOutput)});
  const Case cases[] = {
      {{"--export", "day.log"}, Output::kFile, 0, ""},
      // Qt's own option names are ours to judge, and a file may bear one.
      {{"--export", "-reverse"}, Output::kFile, 0, ""},
      {{"-platform", "bogus"}, Output::kFile, kExitUsage, FormatText(msg::UnknownOption, {Arg("-platform")})},
      {{"--export", "day.log"}, Output::kDevFull, kExitIoError, stdoutFailure},
      {{"--export", "day.log"}, Output::kClosed, kExitIoError, stdoutFailure},
      {{"--render", "day.log", "-o", "/dev/full"}, Output::kFile, kExitCantCreate, "/dev/full"},
      {{"--render", "day.log", "-o", "day.log"}, Output::kFile, kExitUsage, FormatText(msg::OutputIsInput, {Arg("day.log")})},
      {{"--summary", "day.log"}, Output::kDevFull, kExitIoError, stdoutFailure},
      {{"--summary", "day.log", "none.log"}, Output::kFile, kExitFileError, FormatText(msg::FileOpenError, {Arg("none.log")})},
      {{"--render", "day.log", "-o", "day.gif"}, Output::kFile, kExitUsage, FormatText(msg::UnknownImageFormat, {Arg("day.gif")})},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes(dir.File("day.log"), LogBytes(kDay));
    WriteBytes(dir.File("-reverse"), LogBytes(kDay));
    const Result r = RunProgram(dir, c);
    const std::string what = c.args[0] + " " + c.args[1];
    EXPECT_EQ(r.status, c.status) << what << "\n" << r.err;
    EXPECT_NE(r.err.find(c.stderrHas), std::string::npos) << what << "\n" << r.err;
    if (c.status == 0) {
      EXPECT_EQ(r.out.rfind(std::string(kBarsCsvHeader), 0), 0u) << what;
    }
    EXPECT_EQ(ReadBytes(dir.File("day.log")), LogBytes(kDay)) << what;
    // Reading the viewer's list creates no configuration folder.
    EXPECT_FALSE(std::filesystem::exists(dir.File("config"))) << what;
  }
}

}  // namespace
}  // namespace tokiwa::testing
