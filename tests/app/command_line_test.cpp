// The command line, the configuration paths and the single-instance lock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/app_paths.h"
#include "app/command_line.h"
#include "app/single_instance.h"
#include "runtime/messages.h"
#include "support/temp_dir.h"

namespace tokiwa {
namespace {

TEST(CommandLineTest, FirstPlainArgumentIsTheFolder) {
  const CommandLineResult r = ParseCommandLine({"logs", "other"});
  EXPECT_EQ(r.ExitStatus, 0);
  EXPECT_TRUE(r.Options.HasFolder);
  EXPECT_EQ(r.Options.Folder, "logs");
  EXPECT_FALSE(r.Options.Headless());

  EXPECT_FALSE(ParseCommandLine({}).Options.HasFolder);
  // A lone "-" and anything after "--" are plain arguments.
  EXPECT_EQ(ParseCommandLine({"-"}).Options.Folder, "-");
  EXPECT_EQ(ParseCommandLine({"--", "--select-first"}).Options.Folder, "--select-first");
}

TEST(CommandLineTest, OptionsInEitherForm) {
  CommandLineResult r = ParseCommandLine({"--screenshot", "out.png", "--select-first", "samples"});
  EXPECT_EQ(r.ExitStatus, 0);
  EXPECT_EQ(r.Options.ScreenshotPath, "out.png");
  EXPECT_TRUE(r.Options.SelectFirst);
  EXPECT_TRUE(r.Options.Headless());
  EXPECT_EQ(r.Options.Folder, "samples");

  r = ParseCommandLine({"samples", "--screenshot=a b.png"});
  EXPECT_EQ(r.Options.ScreenshotPath, "a b.png");
  EXPECT_EQ(r.Options.Folder, "samples");
}

TEST(CommandLineTest, BadOptionsEndWithUsageStatus) {
  CommandLineResult r = ParseCommandLine({"--frobnicate"});
  EXPECT_EQ(r.ExitStatus, kExitUsage);
  EXPECT_EQ(r.Error, FormatText(msg::UnknownOption, {Arg("--frobnicate")}));

  r = ParseCommandLine({"--screenshot"});
  EXPECT_EQ(r.ExitStatus, kExitUsage);
  EXPECT_EQ(r.Error, FormatText(msg::MissingOptionValue, {Arg("--screenshot")}));

  EXPECT_EQ(ParseCommandLine({"--screenshot="}).ExitStatus, kExitUsage);
  EXPECT_EQ(ParseCommandLine({"--select-first=yes"}).ExitStatus, kExitUsage);
}

TEST(CommandLineTest, VersionPrintsAndEndsWhateverElseIsGiven) {
  const CommandLineResult r = ParseCommandLine({"--version", "-o", "x.png", "samples"});
  EXPECT_EQ(r.ExitStatus, 0);
  EXPECT_TRUE(r.Options.Version);
  EXPECT_TRUE(r.Options.Headless());
  EXPECT_TRUE(RequestsWindowlessMode({"-style", "fusion", "--version"}));
}

TEST(CommandLineTest, HeadlessModeIsSeenAmongQtOptions) {
  EXPECT_TRUE(RequestsHeadlessMode({"-style", "fusion", "--screenshot=x.png"}));
  EXPECT_TRUE(RequestsHeadlessMode({"--screenshot", "x.png"}));
  EXPECT_FALSE(RequestsHeadlessMode({"--select-first", "samples"}));
  EXPECT_FALSE(RequestsHeadlessMode({"--", "--screenshot"}));
}

// A desktop launcher shows no standard error: a bad command line is also put
// on screen, but only where a window would have opened and can be seen.
TEST(CommandLineTest, UsageErrorsReachTheScreenOnlyFromWindowMode) {
  struct Case {
    std::vector<std::string> args;
    const char* platform;
    bool display;
    bool onScreen;
  };
  const Case cases[] = {
      {{"-x"}, "xcb", true, true},
      {{"--hidden-list", "x", "logs"}, "wayland", true, true},
      {{"-x"}, "xcb", false, false},
      {{"-x"}, "offscreen", true, false},
      {{"-x"}, "minimal", true, false},
      {{"--screenshot"}, "xcb", true, false},
      {{"--size", "0x0", "--render", "a.log"}, "xcb", true, false},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(ParseCommandLine(c.args).ExitStatus, kExitUsage) << c.args[0];
    EXPECT_EQ(ShowsUsageErrorOnScreen(c.args, c.platform, c.display), c.onScreen) << c.args[0] << " " << c.platform;
  }
}

TEST(AppPathsTest, ExtensionIsReplacedOrAppended) {
  EXPECT_EQ(ChangeFileExt("/opt/tokiwa/tokiwa", ".INI"), "/opt/tokiwa/tokiwa.INI");
  EXPECT_EQ(ChangeFileExt("/opt/tokiwa/tokiwa.exe", ".LST"), "/opt/tokiwa/tokiwa.LST");
  EXPECT_EQ(ChangeFileExt("/opt/v1.2/tokiwa", ".INI"), "/opt/v1.2/tokiwa.INI");
  EXPECT_EQ(ChangeFileExt("/opt/bin/.tokiwa", ".INI"), "/opt/bin/.tokiwa.INI");
}

PathEnvironment Environment(bool exeFolderWritable) {
  PathEnvironment env;
  env.Home = "/home/yamada";
  env.IsWritable = [exeFolderWritable](const std::string&) { return exeFolderWritable; };
  return env;
}

TEST(AppPathsTest, FilesLiveBesideAWritableExecutable) {
  const AppPaths p = ResolveAppPaths("/home/yamada/bin/tokiwa", Environment(true));
  EXPECT_EQ(p.IniFileName, "/home/yamada/bin/tokiwa.INI");
  EXPECT_EQ(p.ListFileName, "/home/yamada/bin/tokiwa.LST");
}

TEST(AppPathsTest, ReadOnlyInstallUsesTheUserConfigFolder) {
  PathEnvironment env = Environment(false);
  AppPaths p = ResolveAppPaths("/usr/bin/tokiwa", env);
  EXPECT_EQ(p.IniFileName, "/home/yamada/.config/tokiwa/tokiwa.INI");
  EXPECT_EQ(p.ListFileName, "/home/yamada/.config/tokiwa/tokiwa.LST");

  env.XdgConfigHome = "/cfg";
  EXPECT_EQ(ResolveAppPaths("/usr/bin/tokiwa", env).IniFileName, "/cfg/tokiwa/tokiwa.INI");
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  env.XdgConfigHome = "cfg";
  EXPECT_EQ(ResolveAppPaths("/usr/bin/tokiwa", env).IniFileName,
            "/home/yamada/.config/tokiwa/tokiwa.INI");
}

TEST(AppPathsTest, InstalledUnderUsrNeverKeepsFilesBesideItself) {
  // Even for root, who may write anywhere.
  const PathEnvironment env = PathEnvironment::FromProcess();
  EXPECT_FALSE(env.IsWritable("/usr/bin"));
  EXPECT_FALSE(env.IsWritable("/usr/local/bin"));
  const testing::TempDir dir;
  EXPECT_TRUE(env.IsWritable(dir.path().string()));
}

TEST(AppPathsTest, OverrideFolderWinsForBothFiles) {
  PathEnvironment env = Environment(true);
  env.ConfigDirOverride = "/tmp/t";
  const AppPaths p = ResolveAppPaths("/home/yamada/bin/tokiwa", env);
  EXPECT_EQ(p.IniFileName, "/tmp/t/tokiwa.INI");
  EXPECT_EQ(p.ListFileName, "/tmp/t/tokiwa.LST");
}

TEST(SingleInstanceTest, SecondLockFailsWhileTheFirstIsHeld) {
  testing::TempDir dir;
  const std::string path = dir.File("TOKIWASINGLE!!.lock");
  {
    SingleInstanceLock first(path);
    ASSERT_EQ(first.state(), SingleInstanceLock::State::kHeld);
    SingleInstanceLock second(path);
    EXPECT_TRUE(second.AlreadyRunning());
  }
  // Released with its holder.
  SingleInstanceLock again(path);
  EXPECT_EQ(again.state(), SingleInstanceLock::State::kHeld);
}

// Viewers sharing the settings and list exclude each other whatever their
// runtime folder: the lock lies beside the files.
TEST(SingleInstanceTest, TheLockLiesBesideTheFilesItProtects) {
  testing::TempDir dir;
  const std::string list = dir.File("tokiwa.LST");
  const std::string path = SingleInstanceLock::PathBeside(list);
  EXPECT_EQ(std::filesystem::path(path).parent_path(), dir.path());
  setenv("XDG_RUNTIME_DIR", dir.File("one").c_str(), 1);
  SingleInstanceLock first(SingleInstanceLock::PathBeside(list));
  ASSERT_EQ(first.state(), SingleInstanceLock::State::kHeld);
  setenv("XDG_RUNTIME_DIR", dir.File("two").c_str(), 1);
  EXPECT_TRUE(SingleInstanceLock(SingleInstanceLock::PathBeside(list)).AlreadyRunning());
  unsetenv("XDG_RUNTIME_DIR");
}

TEST(SingleInstanceTest, UnopenableLockFileLetsTheViewerRun) {
  SingleInstanceLock lock("/nonexistent-folder/TOKIWASINGLE!!.lock");
  EXPECT_EQ(lock.state(), SingleInstanceLock::State::kUnavailable);
  EXPECT_FALSE(lock.AlreadyRunning());
}

TEST(SingleInstanceTest, DefaultPathIsNamedAfterTheInstanceName) {
  const std::string path = SingleInstanceLock::DefaultPath();
  EXPECT_NE(path.find(std::string(msg::SingleInstanceName)), std::string::npos);
}

}  // namespace
}  // namespace tokiwa
