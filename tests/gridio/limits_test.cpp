// Inputs that are not log files, or are far beyond one: each fails with its own
// message before the grid is touched, or loads, and nothing hangs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "gridio/grid_load_test_util.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "support/temp_dir.h"

namespace tokiwa {
namespace {

using testing::TempDir;
using testing::ViewerGrid;
using testing::WriteBytes;

// Loads path into a viewer grid holding a marker and expects the given message;
// the grid must come out untouched.
void ExpectRefused(const std::string& path, const std::string& message) {
  ViewerGrid v;
  v.grid.SetCells(1, 1, "marker");
  try {
    v.io.LoadGrid(path, ",", true);
    ADD_FAILURE() << "loaded " << path;
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), message);
  }
  EXPECT_EQ(v.grid.RowCount(), 2);
  EXPECT_EQ(v.grid.ColCount(), 5);
  EXPECT_EQ(v.grid.FixedRows(), 1);
  EXPECT_EQ(v.grid.Cells(1, 1), "marker");
}

TEST(LoadGridLimits, FolderFifoAndDeviceAreNotRegularFiles) {
  TempDir dir;
  ExpectRefused(dir.path().string(), FormatText(msg::NotRegularFile, {Arg(dir.path().string())}));
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ExpectRefused(fifo, FormatText(msg::NotRegularFile, {Arg(fifo)}));  // no writer: must not wait
  ExpectRefused("/dev/zero", FormatText(msg::NotRegularFile, {Arg("/dev/zero")}));
}

TEST(LoadGridLimits, FileLockedByAnotherProcessCannotBeOpened) {
  TempDir dir;
  const std::string path = dir.File("locked.csv");
  WriteBytes(path, "a,b\r\n");
  int locked[2], release[2];
  ASSERT_EQ(::pipe(locked), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
    char c = 'x';
    if (::write(locked[1], &c, 1) != 1) ::_exit(1);
    if (::read(release[0], &c, 1) < 0) ::_exit(1);  // hold the lock until told
    ::_exit(0);
  }
  char c;
  ASSERT_EQ(::read(locked[0], &c, 1), 1);
  ExpectRefused(path, FormatText(msg::FileOpenError, {Arg(path)}));
  ASSERT_EQ(::write(release[1], "x", 1), 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  for (int fd : {locked[0], locked[1], release[0], release[1]}) ::close(fd);

  ViewerGrid v;  // the lock went with the process
  v.io.LoadGrid(path, ",", true);
  EXPECT_EQ(v.grid.Cells(1, 1), "b");
}

TEST(LoadGridLimits, FileBeyondTheSizeLimit) {
  TempDir dir;
  const std::string path = dir.File("huge.csv");
  WriteBytes(path, "");
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxGridFileBytes + 1)), 0);  // sparse
  ExpectRefused(path, FormatText(msg::FileTooLarge,
                                 {Arg(path), Arg(static_cast<long long>(kMaxGridFileBytes >> 20))}));
}

TEST(LoadGridLimits, AMillionDelimitersOnOneLine) {
  TempDir dir;
  const std::string path = dir.File("wide.csv");
  WriteBytes(path, "first" + std::string(1000000, ',') + "last\r\n");
  ExpectRefused(path, FormatText(msg::TooManyColumns, {Arg(path), Arg(kMaxGridColumns)}));

  // Without Stretch the grid keeps its five columns and the last takes the rest.
  ViewerGrid v;
  v.io.SetStretch(false);
  v.io.LoadGrid(path, ",", true);
  EXPECT_EQ(v.grid.ColCount(), 5);
  EXPECT_EQ(v.grid.Cells(0, 1), "first");
  EXPECT_EQ(v.grid.Cells(3, 1), "");
  EXPECT_EQ(v.grid.Cells(4, 1), std::string(999996, ',') + "last");
}

TEST(LoadGridLimits, StretchAtTheColumnLimitStillLoads) {
  TempDir dir;
  const std::string path = dir.File("limit.csv");
  WriteBytes(path, std::string(kMaxGridColumns - 1, ',') + "end");
  ViewerGrid v;
  v.io.LoadGrid(path, ",", true);
  EXPECT_EQ(v.grid.ColCount(), kMaxGridColumns);
  EXPECT_EQ(v.grid.Cells(kMaxGridColumns - 1, 1), "end");
}

TEST(LoadGridLimits, TooManyCellsForTheGrid) {
  TempDir dir;
  const std::string path = dir.File("tall.csv");
  const int lines = static_cast<int>(kMaxGridCells / kMaxGridColumns) + 1;
  WriteBytes(path, std::string(static_cast<std::size_t>(lines), '\n'));
  ViewerGrid v;
  v.io.SetStretch(false);
  v.grid.SetColCount(kMaxGridColumns);
  v.grid.SetRowCount(lines + 1);
  v.grid.SetCells(1, 1, "marker");
  try {
    v.io.LoadGrid(path, ",", true);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), FormatText(msg::TooManyCells,
                                      {Arg(path), Arg(static_cast<long long>(kMaxGridCells))}));
  }
  EXPECT_EQ(v.grid.Cells(1, 1), "marker");
}

TEST(LoadGridLimits, CharactersAcrossReadPiecesAndNulLate) {
  // The file is read in 1 MiB pieces: put a double-byte character across the
  // first boundary and a NUL in a later piece.
  TempDir dir;
  const std::string path = dir.File("pieces.csv");
  std::string bytes = "a," + std::string((1u << 20) - 3, 'x') + "\x88\x9f,b\r\n";
  bytes += std::string(1u << 20, 'y') + "," + std::string(1, '\0') + "ignored,z\r\n";
  WriteBytes(path, bytes);
  ViewerGrid v;
  v.io.LoadGrid(path, ",", true);
  EXPECT_EQ(v.grid.RowCount(), 3);
  EXPECT_EQ(v.grid.ColCount(), 3);
  EXPECT_EQ(v.grid.Cells(1, 1), std::string((1u << 20) - 3, 'x') + "亜");
  EXPECT_EQ(v.grid.Cells(2, 1), "b");
  EXPECT_EQ(v.grid.CellView(0, 2).size(), 1u << 20);
  EXPECT_EQ(v.grid.Cells(1, 2), "");
}

TEST(LoadGridLimits, SixtyFourMebibyteLineLoads) {
  TempDir dir;
  const std::string path = dir.File("long.csv");
  std::string line(64u << 20, 'x');
  line[10] = ',';
  line[line.size() - 3] = ',';
  WriteBytes(path, line + "\r\nshort,line\r\n");
  ViewerGrid v;
  v.io.LoadGrid(path, ",", true);
  EXPECT_EQ(v.grid.RowCount(), 3);
  EXPECT_EQ(v.grid.ColCount(), 3);
  EXPECT_EQ(v.grid.CellView(0, 1), std::string(10, 'x'));
  EXPECT_EQ(v.grid.CellView(1, 1).size(), line.size() - 14);
  EXPECT_EQ(v.grid.CellView(2, 1), "xx");
  EXPECT_EQ(v.grid.Cells(1, 2), "line");
}

// Empty lines would cost many times their bytes in rows: past the allowance
// such a file is refused instead of taking the machine's memory.
TEST(LoadGridLimits, TooManyRowsForTheFileSize) {
  TempDir dir;
  const std::string path = dir.File("empty_lines.csv");
  const std::size_t lines = 2'500'000;
  WriteBytes(path, std::string(lines, '\n'));
  ASSERT_LT(MaxGridRows(lines, 1), lines);
  ExpectRefused(path, FormatText(msg::TooManyRows, {Arg(path), Arg(static_cast<long long>(MaxGridRows(lines, 1)))}));
  // Real log lines are far longer than their rows' share.
  EXPECT_GT(MaxGridRows(30 * lines, 5), lines);
}

}  // namespace
}  // namespace tokiwa
