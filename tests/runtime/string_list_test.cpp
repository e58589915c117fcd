#include "runtime/string_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <utility>

#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "support/faulty_syscalls.h"
#include "support/temp_dir.h"

namespace tokiwa {
namespace {

using testing::FaultySyscalls;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> Entries(const TStringList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

using Lines = std::vector<std::string>;

TEST(TStringList, AddInsertDeleteKeepOrder) {
  TStringList list;
  EXPECT_EQ(list.Add("b"), 0);
  EXPECT_EQ(list.Add("d"), 1);
  list.Insert(0, "a");
  list.Insert(2, "c");
  list.Insert(4, "e");  // Count() appends
  EXPECT_EQ(Entries(list), (Lines{"a", "b", "c", "d", "e"}));
  list.Delete(1);
  list.SetStrings(0, "A");
  EXPECT_EQ(Entries(list), (Lines{"A", "c", "d", "e"}));
  EXPECT_EQ(list.Text(), "A\r\nc\r\nd\r\ne\r\n");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
}

TEST(TStringList, IndexOutsideRaisesListIndexError) {
  TStringList list;
  list.Add("x");
  EXPECT_THROW(list.Strings(1), EListError);
  EXPECT_THROW(list.Strings(-1), EListError);
  EXPECT_THROW(list.Insert(2, "y"), EListError);
  EXPECT_THROW(list.SetStrings(1, "y"), EListError);
  try {
    list.Delete(5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), FormatText(msg::ListIndexError, {Arg(5)}));
  }
  EXPECT_EQ(Entries(list), (Lines{"x"}));
}

TEST(TStringList, IndexOfIgnoresCaseAndFindsFirst) {
  TStringList list;
  list.Add("notepad.exe");
  list.Add("NOTEPAD.EXE");
  list.Add("ＣＡＬＣ.exe");
  list.Add("");
  EXPECT_EQ(list.IndexOf("Notepad.Exe"), 0);
  EXPECT_EQ(list.IndexOf("ｃａｌｃ.EXE"), 2);
  EXPECT_EQ(list.IndexOf(""), 3);
  EXPECT_EQ(list.IndexOf("notepad"), -1);
}

TEST(TStringList, ReadsLinesEndedAnyWay) {
  TStringList list;
  list.SetCp932Text("a\r\nb\nc\rd");
  EXPECT_EQ(Entries(list), (Lines{"a", "b", "c", "d"}));
  list.SetCp932Text("a\r\r\nb\r\n");
  EXPECT_EQ(Entries(list), (Lines{"a", "", "b"}));
  list.SetCp932Text("\r\n\r\nx\n\n");
  EXPECT_EQ(Entries(list), (Lines{"", "", "x", ""}));
  list.SetCp932Text("");
  EXPECT_EQ(list.Count(), 0);
  list.SetCp932Text(std::string_view("a\r\nb\0c\r\nd", 9));  // NUL ends the text
  EXPECT_EQ(Entries(list), (Lines{"a", "b"}));
  list.SetCp932Text("\x95\x5C\x8C\x76\x8E\x5A.exe\r\n");
  EXPECT_EQ(Entries(list), (Lines{"表計算.exe"}));
}

TEST(TStringList, SavesCp932WithCrLfAfterEveryLine) {
  TempDir dir;
  const std::string path = dir.File("t.lst");
  TStringList list;
  list.Add("表計算.exe");
  list.Add("");
  list.Add("ab");
  list.SaveToFile(path);
  EXPECT_EQ(ReadBytes(path), "\x95\x5C\x8C\x76\x8E\x5A.exe\r\n\r\nab\r\n");

  TStringList back;
  back.LoadFromFile(path);
  EXPECT_EQ(Entries(back), Entries(list));

  TStringList empty;
  empty.SaveToFile(path);
  EXPECT_EQ(ReadBytes(path), "");
}

TEST(TStringList, LoadFailureRaisesOpenErrorAndKeepsEntries) {
  TempDir dir;
  TStringList list;
  list.Add("kept");
  const std::string missing = dir.File("missing.lst");
  try {
    list.LoadFromFile(missing);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), FormatText(msg::FileOpenError, {Arg(missing)}));
  }
  EXPECT_THROW(list.LoadFromFile(dir.path().string()), EFOpenError);  // a folder
  EXPECT_EQ(Entries(list), (Lines{"kept"}));
}

TEST(TStringList, SaveFailureRaisesCreateErrorAndKeepsOldFile) {
  TempDir dir;
  const std::string path = dir.File("t.lst");
  WriteBytes(path, "old\r\n");
  TStringList list;
  list.Add("new");
  FaultySyscalls calls;
  calls.writeErrno = ENOSPC;
  ScopedFileSyscalls scope(&calls);
  try {
    list.SaveToFile(path);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), FormatText(msg::FileCreateError, {Arg(path)}));
  }
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_THROW(list.SaveToFile(dir.File("no/folder.lst")), EFCreateError);
}

// The list reader has the log reader's guards: only regular files within the
// limit, and nothing waits for a writer or reads forever.
TEST(TStringList, LoadRefusesWhatIsNoListFile) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.lst");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string big = dir.File("big.lst");
  WriteBytes(big, "x");
  std::filesystem::resize_file(big, kMaxListFileBytes + 1);
  const std::string folder = dir.path().string();
  const std::pair<std::string, std::string> cases[] = {
      {fifo, FormatText(msg::NotRegularFile, {Arg(fifo)})},
      {"/dev/zero", FormatText(msg::NotRegularFile, {Arg("/dev/zero")})},
      {folder, FormatText(msg::NotRegularFile, {Arg(folder)})},
      {big, FormatText(msg::FileTooLarge, {Arg(big), Arg(static_cast<long long>(kMaxListFileBytes >> 20))})},
  };
  for (const auto& [path, message] : cases) {
    TStringList list;
    try {
      list.LoadFromFile(path);
      ADD_FAILURE() << path;
    } catch (const EFOpenError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
}

// Bytes that do not decode, and duplicate pairs, come back as they were, and
// names differing only in them are different names.
TEST(TStringList, Cp932NamesRoundTripByteForByte) {
  TempDir dir;
  const std::string bytes =
      "\x85\x40\r\n\x81\r\n\xED\x40\r\n\xFA\x5C\r\nExcel.EXE\r\n\x88\x9f\x80\xFD\x85\x9F\r\n\x87\x90\r\n";
  WriteBytes(dir.File("in.lst"), bytes);
  TStringList list;
  list.LoadFromFile(dir.File("in.lst"));
  ASSERT_EQ(list.Count(), 7);
  list.SaveToFile(dir.File("out.lst"));
  EXPECT_EQ(ReadBytes(dir.File("out.lst")), bytes);
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.IndexOf(list[i]), i) << i;
  EXPECT_EQ(list.IndexOf("excel.exe"), 4);
  EXPECT_EQ(list.IndexOf("?"), -1);
  EXPECT_EQ(list.IndexOf("\u2252"), -1);  // 0x87 0x90 is a duplicate of 0x81 0xE0
}

}  // namespace
}  // namespace tokiwa
