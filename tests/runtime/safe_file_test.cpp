#include "runtime/safe_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "runtime/string_list.h"
#include "support/faulty_syscalls.h"
#include "support/temp_dir.h"

namespace tokiwa {
namespace {

using testing::FaultySyscalls;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

mode_t ModeOf(const std::string& path) {
  struct stat st;
  EXPECT_EQ(::stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

int EntriesIn(const TempDir& dir) {
  int n = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++n;
  return n;
}

class UmaskScope {
 public:
  explicit UmaskScope(mode_t mask) : old_(::umask(mask)) {}
  ~UmaskScope() { ::umask(old_); }

 private:
  mode_t old_;
};

TEST(WriteFileSafely, CreatesNewFileWith0644UnderUmask) {
  TempDir dir;
  {
    UmaskScope mask(022);
    ASSERT_TRUE(WriteFileSafely(dir.File("a.lst"), "abc"));
    EXPECT_EQ(ModeOf(dir.File("a.lst")), 0644u);
  }
  {
    UmaskScope mask(077);
    ASSERT_TRUE(WriteFileSafely(dir.File("b.lst"), "abc"));
    EXPECT_EQ(ModeOf(dir.File("b.lst")), 0600u);
  }
  EXPECT_EQ(ReadBytes(dir.File("a.lst")), "abc");
  EXPECT_EQ(EntriesIn(dir), 2);  // no temporary file left over
}

TEST(WriteFileSafely, ReplacingKeepsPermissionsAndWritesEmptyContents) {
  TempDir dir;
  const std::string path = dir.File("a.ini");
  WriteBytes(path, "old contents");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileSafely(path, ""));
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  EXPECT_EQ(ModeOf(path), 0640u);
}

TEST(WriteFileSafely, SymlinkIsUpdatedAtItsTarget) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "real");
  const std::string target = dir.File("real/a.lst");
  WriteBytes(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  std::filesystem::create_symlink("real/a.lst", dir.path() / "link1");   // relative
  std::filesystem::create_symlink(dir.path() / "link1", dir.path() / "link2");  // chained, absolute

  ASSERT_TRUE(WriteFileSafely(dir.File("link2"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link1"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link2"));
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(ModeOf(target), 0600u);
}

TEST(WriteFileSafely, DanglingSymlinkCreatesItsTarget) {
  TempDir dir;
  std::filesystem::create_symlink("made.lst", dir.path() / "link");
  ASSERT_TRUE(WriteFileSafely(dir.File("link"), "x"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link"));
  EXPECT_EQ(ReadBytes(dir.File("made.lst")), "x");
}

TEST(WriteFileSafely, ShortWritesStillWriteEverything) {
  TempDir dir;
  FaultySyscalls calls;
  calls.maxChunk = 3;
  ScopedFileSyscalls scope(&calls);
  const std::string data(1000, 'z');
  ASSERT_TRUE(WriteFileSafely(dir.File("a"), data));
  EXPECT_EQ(ReadBytes(dir.File("a")), data);
}

struct Fault {
  const char* name;
  void (*arm)(FaultySyscalls&);
  const char* step;
  int error;
};

class WriteFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(WriteFaults, OldFileStaysAndTemporaryIsRemoved) {
  TempDir dir;
  const std::string path = dir.File("hidden.lst");
  WriteBytes(path, "old list\r\n");
  FaultySyscalls calls;
  GetParam().arm(calls);
  ScopedFileSyscalls scope(&calls);

  const SafeWriteResult r = WriteFileSafely(path, std::string(100000, 'n'));
  EXPECT_FALSE(r);
  EXPECT_EQ(r.error, GetParam().error);
  EXPECT_STREQ(r.step, GetParam().step);
  EXPECT_EQ(ReadBytes(path), "old list\r\n");
  EXPECT_EQ(EntriesIn(dir), 1);
  ASSERT_FALSE(calls.opened.empty());
  EXPECT_NE(calls.opened.front(), path);  // never written in place
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteFaults,
    ::testing::Values(
        Fault{"NoSpaceAtOnce", [](FaultySyscalls& c) { c.writeErrno = ENOSPC; }, "write", ENOSPC},
        Fault{"NoSpaceMidway",
              [](FaultySyscalls& c) {
                c.writeErrno = ENOSPC;
                c.failAfterBytes = 4096;
              },
              "write", ENOSPC},
        Fault{"FsyncFails", [](FaultySyscalls& c) { c.fsyncErrno = EIO; }, "fsync", EIO},
        Fault{"RenameFails", [](FaultySyscalls& c) { c.renameErrno = EXDEV; }, "rename", EXDEV}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteFileSafely, MissingFolderReportsOpenFailure) {
  TempDir dir;
  const SafeWriteResult r = WriteFileSafely(dir.File("no/such/a.lst"), "x");
  EXPECT_FALSE(r);
  EXPECT_EQ(r.error, ENOENT);
  EXPECT_STREQ(r.step, "open");
}

// A writer killed at any moment leaves either the old or the new list on disk.
TEST(WriteFileSafely, KilledWriterLeavesOldOrNewList) {
  TempDir dir;
  const std::string path = dir.File("big.lst");
  TStringList a, b;
  for (int i = 0; i < 100000; ++i) {
    a.Add("ａｐｐ" + std::to_string(i) + ".exe");
    b.Add("C:\\Program Files\\other-program-" + std::to_string(i));
  }
  a.SaveToFile(path);
  // Encoded once, so the child spends its time writing rather than encoding.
  const std::string bytesA = a.Cp932Text();
  const std::string bytesB = b.Cp932Text();
  ASSERT_EQ(ReadBytes(path), bytesA);

  for (int round = 0; round < 8; ++round) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      if (::write(ready[1], "x", 1) != 1) ::_exit(2);
      for (int i = 0;; ++i) {
        if (!WriteFileSafely(path, i % 2 ? bytesA : bytesB)) ::_exit(3);
      }
    }
    ::close(ready[1]);
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);  // the child is starting its write loop
    ::close(ready[0]);
    ::usleep(static_cast<useconds_t>(20000 + round * 3100));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child exit " << WEXITSTATUS(status);

    const std::string now = ReadBytes(path);
    EXPECT_TRUE(now == bytesA || now == bytesB) << "round " << round << ": " << now.size() << " bytes";
  }
}

// A FIFO (or a device) named as the target is written to, never replaced by a
// plain file; without a reader the write fails at once.
TEST(WriteFileSafely, FifoIsWrittenInPlaceNotReplaced) {
  TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileSafely(fifo, "data"));
  struct stat st;
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(RemoveStaleTemporaries, RemovesOnlyThoseOfWritersThatAreGone) {
  TempDir dir;
  const std::string target = dir.File("tokiwa.LST");
  const std::string gone = ".tokiwa.LST.tmp2147483646-1";  // beyond any pid_max
  const std::string running = ".tokiwa.LST.tmp" + std::to_string(::getpid()) + "-3";
  const std::string names[] = {gone, running, ".tokiwa.LST.tmpabc", ".tokiwa.LST.tmp2147483646-1x",
                               ".other.LST.tmp2147483646-1", "tokiwa.LST"};
  for (const std::string& name : names) WriteBytes(dir.File(name), "x");
  RemoveStaleTemporaries(target);
  for (const std::string& name : names)
    EXPECT_EQ(std::filesystem::exists(dir.File(name)), name != gone) << name;
}

}  // namespace
}  // namespace tokiwa
