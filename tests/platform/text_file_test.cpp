#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/allocation_meter.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::platform {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

TEST(TextFileWriter, WritesCp932WithCrLf) {
  TempFolder folder;
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(folder / "sfxtal.tmp", TextFileWriter::Mode::kCreate));
  writer.WriteLine("\"QQ1ABC\",\"ABC\",\"1998/03/21\",\"未\"");
  ASSERT_TRUE(writer.Close());
  const std::string bytes = ReadBytes(folder / "sfxtal.tmp");
  EXPECT_EQ(bytes, "\"QQ1ABC\",\"ABC\",\"1998/03/21\",\"\x96\xa2\"\r\n");
  EXPECT_EQ(bytes.size(), 34u);
}

TEST(TextFileReader, ReadsEveryLineEndAndKeepsOddBytes) {
  TempFolder folder;
  WriteBytes(folder / "in.txt", "a,\x96\xa2\r\nb\nc\rd\x80\xff\r\n\r\nlast");
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(folder / "in.txt"));
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line)) lines.push_back(line);
  EXPECT_FALSE(reader.Failed());
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "a,未");
  EXPECT_EQ(lines[1], "b");
  EXPECT_EQ(lines[2], "c");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "last");

  // Written back, the odd bytes are the same bytes again.
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(folder / "out.txt", TextFileWriter::Mode::kCreate));
  writer.WriteLine(lines[3]);
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(folder / "out.txt"), "d\x80\xff\r\n");
}

// The lines as a plain byte-by-byte reading finds them.
std::vector<std::string> LinesOf(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string line;
  bool any = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    any = true;
    if (bytes[i] != '\r' && bytes[i] != '\n') {
      line += bytes[i];
      continue;
    }
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    lines.push_back(line);
    line.clear();
    any = false;
  }
  if (any) lines.push_back(line);
  return lines;
}

// The reader takes the file a buffer at a time: line ends split across two reads, lines longer
// than a buffer and files of lone CRs read as they do byte by byte.
TEST(TextFileReader, LinesAcrossItsBuffersReadAsByteByByte) {
  constexpr std::size_t kBuffer = 64 * 1024;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"CR LF across two reads", std::string(kBuffer - 1, 'a') + "\r\nb\r\n"},
      {"CR at the end of a read", std::string(kBuffer - 1, 'a') + "\rb"},
      {"LF first in a read", std::string(kBuffer, 'a') + "\nb"},
      {"CR last in the file", std::string(kBuffer - 1, 'a') + "\r"},
      {"line of three buffers", "x\r\n" + std::string(3 * kBuffer + 5, 'y') + "\r\nz"},
      {"lone CRs",
       [] {
         std::string text;
         for (int i = 0; i < 30000; ++i) text += std::to_string(i) + "\r";
         return text;
       }()},
      {"empty lines", "\r\n\n\r\r\n" + std::string(kBuffer, '\n')},
  };
  TempFolder folder;
  for (const auto& [name, bytes] : cases) {
    WriteBytes(folder / "in.txt", bytes);
    TextFileReader reader;
    ASSERT_TRUE(reader.Open(folder / "in.txt"));
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLineBytes(line)) lines.push_back(line);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(lines, LinesOf(bytes)) << name;
  }
}

// A cap on the line is kept wherever the reader's buffers fall, the rest of the line is read
// past without being held, and the next line and byte come whole.
TEST(TextFileReader, LinesOverTheCapAreCutWithoutBeingHeld) {
  constexpr std::size_t kBuffer = 64 * 1024;
  constexpr std::size_t kCap = 1000;
  struct CutCase {
    const char* name;
    std::size_t before;  // bytes ahead of the long line, to move it against the buffers
    std::size_t length;
  };
  const CutCase cases[] = {
      {"at the cap", 0, kCap},
      {"one over", 0, kCap + 1},
      {"cap across two buffers", kBuffer - 500, kCap + 1},
      {"three buffers long", 7, 3 * kBuffer},
  };
  TempFolder folder;
  for (const CutCase& c : cases) {
    const std::string head(c.before, 'h');
    WriteBytes(folder / "in.txt", head + "\n" + std::string(c.length, 'x') + "\r\nnext\rZ");
    TextFileReader reader;
    ASSERT_TRUE(reader.Open(folder / "in.txt"));
    std::string_view line;
    ASSERT_TRUE(reader.ReadLineView(line)) << c.name;
    EXPECT_EQ(line, head) << c.name;
    EXPECT_FALSE(reader.LineCut()) << c.name;
    const test_support::AllocationMeter meter;
    ASSERT_TRUE(reader.ReadLineView(line, kCap)) << c.name;
    EXPECT_EQ(line, std::string(std::min(c.length, kCap), 'x')) << c.name;
    EXPECT_EQ(reader.LineCut(), c.length > kCap) << c.name;
    EXPECT_LT(meter.PeakBytes(), 4 * kCap) << c.name;
    std::string next;
    ASSERT_TRUE(reader.ReadLineBytes(next, kCap)) << c.name;
    EXPECT_EQ(next, "next") << c.name;
    EXPECT_FALSE(reader.LineCut()) << c.name;
    EXPECT_EQ(reader.ReadByte(), 'Z') << c.name;
    EXPECT_EQ(reader.ReadByte(), -1) << c.name;
  }
}

TEST(TextFileReader, MissingFileDoesNotOpen) {
  TempFolder folder;
  TextFileReader reader;
  EXPECT_FALSE(reader.Open(folder / "none.txt"));
  std::string line;
  EXPECT_FALSE(reader.ReadLine(line));
}

TEST(AppendLine, AppendsAndCreates) {
  TempFolder folder;
  ASSERT_TRUE(AppendLine(folder / "履歴.txt", "QQ1ABC/QQ2XYZ,ABC"));
  ASSERT_TRUE(AppendLine(folder / "履歴.txt", "QQ3/QQ4,Q"));
  EXPECT_EQ(ReadBytes(folder / "履歴.txt"), "QQ1ABC/QQ2XYZ,ABC\r\nQQ3/QQ4,Q\r\n");
}

TEST(ReplaceFile, ReplacesWholeAndLeavesNoTemporaryFile) {
  TempFolder folder;
  WriteBytes(folder / "実績.txt", "old");
  ASSERT_TRUE(ReplaceFile(folder / "実績.txt", "new contents"));
  EXPECT_EQ(ReadBytes(folder / "実績.txt"), "new contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(ReplaceFile, UnwritableFolderFailsAndKeepsTheOldFile) {
  TempFolder folder;
  WriteBytes(folder / "実績.txt", "old");
  test_support::ReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
  EXPECT_FALSE(ReplaceFile(folder / "実績.txt", "new"));
  EXPECT_FALSE(AppendLine(folder / "実績.txt", "new"));
  EXPECT_EQ(ReadBytes(folder / "実績.txt"), "old");
}

TEST(ReplaceFile, FullDiskFailsAndKeepsTheOldFile) {
  test_support::TinyDisk disk(64 * 1024);
  if (!disk.Active()) GTEST_SKIP() << "cannot mount a small file system here";
  WriteBytes(disk / "実績.txt", "old");
  EXPECT_FALSE(ReplaceFile(disk / "実績.txt", std::string(256 * 1024, 'x')));
  EXPECT_EQ(ReadBytes(disk / "実績.txt"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.Path()), {}), 1);
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(disk / "sfxtal.tmp", TextFileWriter::Mode::kCreate));
  for (int i = 0; i < 20000; ++i) writer.WriteLine("\"QQ1ABC\",\"ABC\",\"1998/03/21\",\"未\"");
  EXPECT_FALSE(writer.Close());  // the write error is not lost in the buffer
}

TEST(SiblingFile, FilesCommittedTogetherAllTakeTheirPlacesOrNoneDoes) {
  namespace fs = std::filesystem;
  TempFolder folder;
  WriteBytes(folder / "実績.txt", "old results");
  const auto commit = [&folder](bool obstructed) {
    SiblingFile fresh(folder / "fresh.txt"), results(folder / "実績.txt"),
        book(folder / "sfxtal.xlsx");
    for (SiblingFile* file : {&fresh, &results, &book}) {
      EXPECT_GE(file->Create(), 0);
      EXPECT_TRUE(file->Write("new"));
    }
    // The last then cannot take its place: a folder has come to stand there.
    if (obstructed) fs::create_directories(folder / "sfxtal.xlsx" / "in the way");
    return SiblingFile::CommitTogether({&fresh, &results, &book}, false);
  };
  EXPECT_EQ(commit(true), 2);
  EXPECT_EQ(ReadBytes(folder / "実績.txt"), "old results");
  EXPECT_FALSE(fs::exists(folder / "fresh.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 2);  // nothing left over
  fs::remove_all(folder / "sfxtal.xlsx");
  EXPECT_EQ(commit(false), -1);
  for (const char* name : {"fresh.txt", "実績.txt", "sfxtal.xlsx"}) {
    EXPECT_EQ(ReadBytes(folder / name), "new") << name;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 3);
}

TEST(ReplaceFile, KeepsPermissionsFollowsLinksAndLeavesReadOnlyFilesAlone) {
  namespace fs = std::filesystem;
  TempFolder folder;
  WriteBytes(folder / "SFXTAL.INI", "old");
  fs::permissions(folder / "SFXTAL.INI", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(ReplaceFile(folder / "SFXTAL.INI", "new"));
#ifndef _WIN32  // Windows files have no mode bits to keep, only the read-only flag
  EXPECT_EQ(fs::status(folder / "SFXTAL.INI").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
#endif

  // A file nobody may write stays as it is, even for root.
  fs::permissions(folder / "SFXTAL.INI", fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(ReplaceFile(folder / "SFXTAL.INI", "newer"));
  EXPECT_EQ(ReadBytes(folder / "SFXTAL.INI"), "new");

  // Something that is not a file is never replaced.
  fs::create_directory(folder / "sfxtal.xlsx");
  EXPECT_FALSE(ReplaceFile(folder / "sfxtal.xlsx", "x"));
  EXPECT_TRUE(fs::is_directory(folder / "sfxtal.xlsx"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 2);  // no temporary left
}

TEST(ReplaceFile, FollowsLinks) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows lets only administrators make symbolic links, and MinGW's "
                  "std::filesystem cannot make them at all";
#else
  namespace fs = std::filesystem;
  TempFolder folder;
  // A link keeps pointing at its file, which gets the new contents.
  fs::create_directory(folder / "real");
  WriteBytes(folder / "real" / "実績.txt", "old");
  fs::create_symlink("real/実績.txt", folder / "実績.txt");
  ASSERT_TRUE(ReplaceFile(folder / "実績.txt", "new"));
  EXPECT_TRUE(fs::is_symlink(folder / "実績.txt"));
  EXPECT_EQ(ReadBytes(folder / "real" / "実績.txt"), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 2);  // no temporary left
#endif
}

TEST(ReplaceFile, MissingFolderFails) {
  TempFolder folder;
  EXPECT_FALSE(ReplaceFile(folder / "no" / "such.txt", "x"));
  TextFileWriter writer;
  EXPECT_FALSE(writer.Open(folder / "no" / "such.txt", TextFileWriter::Mode::kCreate));
  EXPECT_FALSE(AppendLine(folder / "no" / "such.txt", "x"));
}

}  // namespace
}  // namespace sfxtal::platform

namespace sfxtal::platform {
namespace {

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    names.push_back(Utf8FromPath(item.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A program stopped dead at every step of a commit of three files (one of them new), then the
// next run in the folder: it finds the three all old or all new, and nothing hidden left over.
// With `obstructed`, the last cannot take its place and the commit is on its way back.
void StopAtEveryStep(bool obstructed) {
  int steps = 0;
  for (int step = 1;; ++step) {
    TempFolder folder;
    WriteBytes(folder / "実績.txt", "old");
    WriteBytes(folder / "sfxtal.xlsx", "old");
    SiblingFile::StopAtStepForTesting(step);
    {
      SiblingFile results(folder / "実績.txt"), fresh(folder / "fresh.txt"),
          book(folder / "sfxtal.xlsx");
      for (SiblingFile* file : {&results, &fresh, &book}) {
        ASSERT_GE(file->Create(), 0);
        ASSERT_TRUE(file->Write("new"));
      }
      if (obstructed) {
        std::filesystem::remove(folder / "sfxtal.xlsx");
        std::filesystem::create_directories(folder / "sfxtal.xlsx" / "in the way");
      }
      SiblingFile::CommitTogether({&results, &fresh, &book}, false);
    }
    const bool stopped = SiblingFile::StopAtStepForTesting(0) == step;
    RecoverReplacements(folder.Path(), {"実績.txt", "fresh.txt", "sfxtal.xlsx"});
    const std::string results = ReadBytes(folder / "実績.txt");
    SCOPED_TRACE("step " + std::to_string(step));
    if (obstructed || results == "old") {
      EXPECT_EQ(results, "old");
      EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"sfxtal.xlsx", "実績.txt"}));
      if (!obstructed) {
        EXPECT_EQ(ReadBytes(folder / "sfxtal.xlsx"), "old");
      }
    } else {
      for (const char* name : {"実績.txt", "fresh.txt", "sfxtal.xlsx"}) {
        EXPECT_EQ(ReadBytes(folder / name), "new") << name;
      }
      EXPECT_EQ(NamesIn(folder.Path()),
                (std::vector<std::string>{"fresh.txt", "sfxtal.xlsx", "実績.txt"}));
    }
    if (!stopped) break;
    steps = step;
  }
  // Each file's completion, the journal's two, each file's two, and the way back or the old
  // files' removals: a sweep that stopped nowhere would prove nothing.
  EXPECT_GE(steps, obstructed ? 9 : 11);
}

TEST(CommitTogether, StoppedDeadAtAnyStepTheNextRunFindsAllOldOrAllNew) {
  StopAtEveryStep(false);
}

TEST(CommitTogether, StoppedDeadOnTheWayBackTheNextRunFindsAllOld) {
  StopAtEveryStep(true);
}

TEST(RecoverReplacements, LeavesARunningProgramsFilesAndOthersAlone) {
  TempFolder folder;
  std::vector<std::string> kept = {".実績.txt.bak",  // not one of the program's names
                                   ".~lock.sfxtal.xlsx#", "実績.txt"};
#ifndef _WIN32
  kept.push_back(".sfxtal.xlsx.1.AbCdEf");  // process 1 runs as long as the system does
#endif
  for (const std::string& name : kept) WriteBytes(folder / name, "x");
  // An older program's names, without a process.
  WriteBytes(folder / ".実績.txt.AbCdEf.old", "x");
  WriteBytes(folder / ".NEBU申請書.xlsx.AbCdEf", "x");
  RecoverReplacements(folder.Path(), {"実績.txt", "sfxtal.xlsx", "NEBU申請書.xlsx"});
  std::vector<std::string> sorted = kept;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(NamesIn(folder.Path()), sorted);
}

TEST(TextFileWriter, TheFileHoldsWholeLinesOnlyUntilClosed) {
  TempFolder folder;
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(folder / "sfxtal.tmp", TextFileWriter::Mode::kCreate));
  // Far more than one write's worth, each line given in two pieces as the import builds it.
  for (int i = 0; i < 5000; ++i) {
    writer.WriteBytes("\"QQ1ABC\",\"ABC\",");
    writer.WriteBytes("\"1998/03/21\",\"\x96\xa2\"\r\n");
  }
  const std::string midway = ReadBytes(folder / "sfxtal.tmp");
  EXPECT_GT(midway.size(), 0u);
  EXPECT_EQ(midway.size() % 34, 0u);
  writer.WriteBytes("\"QQ1XYZ\",\"XYZ\"");
  ASSERT_TRUE(writer.Flush());
  const std::string flushed = ReadBytes(folder / "sfxtal.tmp");
  EXPECT_EQ(flushed.size(), 5000u * 34);
  EXPECT_TRUE(flushed.ends_with("\r\n"));
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(folder / "sfxtal.tmp"), flushed + "\"QQ1XYZ\",\"XYZ\"");
}

}  // namespace
}  // namespace sfxtal::platform
