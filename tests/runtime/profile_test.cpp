#include "runtime/profile_file.h"

#include <gtest/gtest.h>

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

int ReadLeft(const std::string& value, int def = -1) {
  ProfileFile ini("/nonexistent/x.ini");
  ini.SetText("[Ord]\r\nLeft=" + value + "\r\n");
  return ini.ReadInteger("Ord", "Left", def);
}

TEST(ProfileInteger, DecimalAndHexadecimal) {
  EXPECT_EQ(ReadLeft("120"), 120);
  EXPECT_EQ(ReadLeft("-7"), -7);
  EXPECT_EQ(ReadLeft("+7"), 7);
  EXPECT_EQ(ReadLeft("0"), 0);
  EXPECT_EQ(ReadLeft("  42  "), 42);
  EXPECT_EQ(ReadLeft("0x10"), 16);
  EXPECT_EQ(ReadLeft("0X1f"), 31);
  EXPECT_EQ(ReadLeft("0xFFFFFFFF"), -1);
  EXPECT_EQ(ReadLeft("0x7FFFFFFF"), 2147483647);
  EXPECT_EQ(ReadLeft("2147483647"), 2147483647);
  EXPECT_EQ(ReadLeft("-2147483648"), -2147483647 - 1);
}

TEST(ProfileInteger, AnythingButAWholeNumberGivesTheDefault) {
  EXPECT_EQ(ReadLeft("abc"), -1);
  EXPECT_EQ(ReadLeft(""), -1);
  EXPECT_EQ(ReadLeft("12abc"), -1);   // no reading of leading digits
  EXPECT_EQ(ReadLeft("1x"), -1);
  EXPECT_EQ(ReadLeft("0x"), -1);      // two characters: decimal, and not a number
  EXPECT_EQ(ReadLeft("0xG1"), -1);
  EXPECT_EQ(ReadLeft("-0x10"), -1);
  EXPECT_EQ(ReadLeft("1 2"), -1);
  EXPECT_EQ(ReadLeft("-"), -1);
  EXPECT_EQ(ReadLeft("2147483648"), -1);
  EXPECT_EQ(ReadLeft("-2147483649"), -1);
  EXPECT_EQ(ReadLeft("0x100000000"), -1);
}

TEST(ProfileInteger, OnlyTheFirst1023CharactersCount) {
  EXPECT_EQ(ReadLeft(std::string(1022, '0') + "12"), 1);
  EXPECT_EQ(ReadLeft(std::string(1021, '0') + "12"), 12);
  EXPECT_EQ(ReadLeft(std::string(1023, '7') + "x"), -1);  // overflow, not the x
}

TEST(ProfileFile, ReadsSectionsAndKeysIgnoringCase) {
  ProfileFile ini("/nonexistent/x.ini");
  ini.SetText(
      "; settings\r\n"
      "[ord]\r\n"
      ";Top=99\r\n"
      "  LEFT = 10 \r\n"
      "Name=\"quoted value\"\r\n"
      "Empty=\r\n"
      "[General]\n"
      "All=1\n"
      "[Ord]\r\n"
      "Top=5\r\n");
  EXPECT_EQ(ini.ReadInteger("Ord", "Left", -1), 10);
  EXPECT_EQ(ini.ReadString("Ord", "Name", "d"), "quoted value");
  EXPECT_EQ(ini.ReadString("Ord", "Empty", "d"), "");
  EXPECT_EQ(ini.ReadInteger("Ord", "Empty", -1), -1);
  EXPECT_EQ(ini.ReadInteger("Ord", "Top", -1), -1);  // commented out; a second [Ord] is not read
  EXPECT_EQ(ini.ReadInteger("GENERAL", "all", 0), 1);
  EXPECT_EQ(ini.ReadInteger("General", "Left", -1), -1);
  EXPECT_EQ(ini.ReadString("Missing", "Left", "def"), "def");
}

TEST(ProfileFile, MissingFileReadsDefaults) {
  TempDir dir;
  ProfileFile ini(dir.File("none.ini"));
  EXPECT_EQ(ini.ReadInteger("Ord", "Left", -1), -1);
  EXPECT_EQ(ini.Text(), "");
}

TEST(ProfileFile, WritesCreateTheFileInOrder) {
  TempDir dir;
  ProfileFile ini(dir.File("t.ini"));
  ini.WriteInteger("Ord", "Top", 20);
  ini.WriteInteger("Ord", "Left", -8);
  ini.WriteInteger("General", "All", 1);
  EXPECT_EQ(ReadBytes(dir.File("t.ini")), "[Ord]\r\nTop=20\r\nLeft=-8\r\n[General]\r\nAll=1\r\n");
  EXPECT_EQ(ProfileFile(dir.File("t.ini")).ReadInteger("ord", "left", 0), -8);
}

TEST(ProfileFile, UpdateKeepsEveryOtherLineAndLineEnding) {
  TempDir dir;
  const std::string path = dir.File("t.ini");
  WriteBytes(path,
             "; keep me\n"
             "[Ord]\r\n"
             "Left = 10\n"
             "Top=3\r\n"
             "\r\n"
             "[Other]\r\n"
             "Key=v\r\n"
             "\r\n"
             "[General]\r\n"
             "All=0");  // no final line end
  ProfileFile ini(path);
  ini.WriteInteger("Ord", "LEFT", 200);      // in place, spelling and blanks kept
  ini.WriteInteger("Ord", "Width", 640);     // after the last entry of [Ord]
  ini.WriteInteger("General", "Extra", 1);   // after a last line without an ending
  ini.WriteInteger("New", "K", 2);           // new section at the end
  EXPECT_EQ(ReadBytes(path),
            "; keep me\n"
            "[Ord]\r\n"
            "Left =200\n"
            "Top=3\r\n"
            "Width=640\r\n"
            "\r\n"
            "[Other]\r\n"
            "Key=v\r\n"
            "\r\n"
            "[General]\r\n"
            "All=0\r\n"
            "Extra=1\r\n"
            "[New]\r\n"
            "K=2\r\n");
}

void WriteSettings(ProfileFile& ini) {
  const char* keys[] = {"Top", "Left", "Width", "Height", "WidthL", "HeightT", "HeightB"};
  for (int i = 0; i < 7; ++i) ini.WriteInteger("Ord", keys[i], i * 100 - 1);
  ini.WriteInteger("General", "All", 1);
}

TEST(ProfileFile, WritingTheSameSettingsTwiceIsByteIdentical) {
  TempDir dir;
  const std::string path = dir.File("t.ini");
  WriteBytes(path, "[General]\r\nAll=0\r\n; note\r\n");
  {
    ProfileFile ini(path);
    WriteSettings(ini);
  }
  const std::string first = ReadBytes(path);
  {
    ProfileFile ini(path);
    WriteSettings(ini);
  }
  EXPECT_EQ(ReadBytes(path), first);
  EXPECT_EQ(ProfileFile(path).ReadInteger("Ord", "HeightB", 0), 599);
}

TEST(ProfileFile, BatchSavesOnceAtTheEnd) {
  TempDir dir;
  const std::string path = dir.File("t.ini");
  FaultySyscalls calls;
  ScopedFileSyscalls scope(&calls);
  ProfileFile ini(path);
  ini.BeginUpdate();
  WriteSettings(ini);
  EXPECT_EQ(calls.renames, 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  ini.EndUpdate();
  EXPECT_EQ(calls.renames, 1);

  ProfileFile unbatched(dir.File("u.ini"));
  WriteSettings(unbatched);
  EXPECT_EQ(calls.renames, 9);
  EXPECT_EQ(ReadBytes(path), ReadBytes(dir.File("u.ini")));
}

TEST(ProfileFile, CancelledBatchWritesNothing) {
  TempDir dir;
  const std::string path = dir.File("t.ini");
  WriteBytes(path, "[Ord]\r\nLeft=1\r\n");
  ProfileFile ini(path);
  ini.BeginUpdate();
  ini.WriteInteger("Ord", "Left", 2);
  ini.CancelUpdate();
  EXPECT_EQ(ini.ReadInteger("Ord", "Left", 0), 1);
  EXPECT_EQ(ReadBytes(path), "[Ord]\r\nLeft=1\r\n");
}

TEST(ProfileFile, FailedWriteRaisesWriteErrorAndKeepsTheFile) {
  TempDir dir;
  const std::string path = dir.File("t.ini");
  WriteBytes(path, "[Ord]\r\nLeft=1\r\n");
  FaultySyscalls calls;
  calls.renameErrno = EIO;
  ScopedFileSyscalls scope(&calls);
  ProfileFile ini(path);
  try {
    ini.WriteInteger("Ord", "Left", 2);
    FAIL();
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), FormatText(msg::WriteError, {Arg(path)}));
  }
  EXPECT_EQ(ini.ReadInteger("Ord", "Left", 0), 1);
  EXPECT_EQ(ReadBytes(path), "[Ord]\r\nLeft=1\r\n");

  ini.BeginUpdate();
  ini.WriteInteger("Ord", "Left", 3);
  ini.WriteInteger("Ord", "Top", 4);
  EXPECT_THROW(ini.EndUpdate(), EIniFileException);
  EXPECT_EQ(ReadBytes(path), "[Ord]\r\nLeft=1\r\n");
}

TEST(ProfileFile, ValueIsCutAtALineBreak) {
  TempDir dir;
  ProfileFile ini(dir.File("t.ini"));
  ini.WriteString("S", "K", "one\r\n[Evil]\r\nX=1");
  EXPECT_EQ(ReadBytes(dir.File("t.ini")), "[S]\r\nK=one\r\n");
}

}  // namespace
}  // namespace tokiwa
