#include "standin/tally.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/text_codec.h"
#include "tests/support/allocation_meter.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::standin {
namespace {

using test_support::TempFolder;
using test_support::WriteBytes;

// Every suffix in suffix order, built by counting rather than by the code under test.
std::vector<std::string> AllSuffixes() {
  std::vector<std::string> suffixes;
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (char a : letters) suffixes.push_back({a});
  for (char a : letters) {
    for (char b : letters) suffixes.push_back({a, b});
  }
  for (char a : letters) {
    for (char b : letters) {
      for (char c : letters) suffixes.push_back({a, b, c});
    }
  }
  return suffixes;
}

// The work file's lines as the import writes them (CP932 bytes, "未" = 96 A2), with the cases the
// tally must sort out.
const char* const kWorkFile =
    "\"QQ1A\",\"A\",\"1998/03/21\",\"\x96\xa2\"\r\n"  // A: unconfirmed first
    "\"QQ2A\",\"A\",\"1998/03/22\",\"J\"\r\n"         // A: the first confirmed wins
    "\"QQ3A\",\"A\",\"1998/03/23\",\"B\"\r\n"
    "\"QQ1B\",\"B\",\"1998/04/01\",\"J\"\r\n"  // B: first of two confirmed
    "\"QQ2B\",\"B\",\"1998/04/02\",\"K\"\r\n"
    "\"\",\"X\",\"1998/05/01\",\"*\"\r\n"             // X: a line without a base call gives way
    "\"QQ1Q\",\"Q\",\"1998/05/05\",\"\x96\xa2\"\r\n"  // Q: only unconfirmed
    "\"QQ2Q\",\"Q\",\"1998/05/06\",\"\x96\xa2\"\r\n"
    "\"QQ1X\",\"X\",\"1998/05/02\",\"\x96\xa2\"\r\n"  // to any line with one, even "未"
    "\"QQ2X\",\"X\",\"1998/05/03\",\"J\"\r\n"
    "\"\",\"Y\",\"1998/05/04\",\"\x96\xa2\"\r\n"  // Y: only lines without one
    "\"\",\"Y\",\"1998/05/05\",\"J\"\r\n"
    "\"QQ1D\",\"D\",\"2000/01/06\",\"\"\"\r\n"            // a quote after an empty mark
    "\"QQ1,E\",\"E\",\"2000/01/07\",\"J\"\r\n"            // a comma inside a field
    "\"QQ1A\"B\",\"AAA\",\"2000/01/01\",\"J\"\r\n"        // a quote ends a field
    "\"QQ\x80\x82\xa0\",\"ZZ\",\"1999/01/01\",\"J\"\r\n"  // odd and Japanese bytes
    "\"QQ9ABCD\",\"ABCD\",\"2000/01/02\",\"J\"\r\n"       // bad suffixes
    "\"QQ9abc\",\"abc\",\"2000/01/03\",\"J\"\r\n"
    "\"QQ9\",\"\",\"2000/01/04\",\"J\"\r\n"
    "\"QQ1C\",\"C\",\"2000/01/05\"\r\n"  // wrong field counts
    "\"QQ1C\",\"C\",\"2000/01/05\",\"J\",\"X\"\r\n"
    "\r\n"
    "QQ1ZZZ,ZZZ,2001/02/03,J\r\n";  // unquoted, no line end at the end

TEST(TallyWorkFile, WritesTheResultsFileByteForByte) {
  TempFolder folder;
  WriteBytes(folder / "sfxtal.tmp", kWorkFile);
  const std::optional<Tally> tally = TallyWorkFile(folder / "sfxtal.tmp");
  ASSERT_TRUE(tally);

  std::map<std::string, std::string> worked = {
      {"A", "\"QQ2A\",\"1998/03/22\",\"J\""},
      {"B", "\"QQ1B\",\"1998/04/01\",\"J\""},
      {"Q", "\"QQ1Q\",\"1998/05/05\",\"\x96\xa2\""},
      {"X", "\"QQ2X\",\"1998/05/03\",\"J\""},
      {"Y", "\"\",\"1998/05/05\",\"J\""},
      {"D", "\"QQ1D\",\"2000/01/06\",\"\""},
      {"E", "\"QQ1,E\",\"2000/01/07\",\"J\""},
      {"AAA", "\"QQ1A\",\"2000/01/01\",\"J\""},
      {"ZZ", "\"QQ\x80\x82\xa0\",\"1999/01/01\",\"J\""},
      {"ZZZ", "\"QQ1ZZZ\",\"2001/02/03\",\"J\""},
  };
  std::string expected;
  for (const std::string& suffix : AllSuffixes()) {
    const auto found = worked.find(suffix);
    expected += "\"" + suffix + "\"," +
                (found == worked.end() ? std::string("\"\",\"\",\"\"") : found->second) + "\r\n";
  }
  EXPECT_EQ(ResultsFileBytes(*tally), expected);

  EXPECT_EQ(tally->lines, 23);
  EXPECT_EQ(tally->badSuffixLines, 3);
  EXPECT_EQ(tally->badFieldCountLines, 3);
  EXPECT_EQ(tally->SkippedLines(), 6);
}

TEST(TallyWorkFile, EmptyWorkFileLeavesEverySuffixUnworked) {
  TempFolder folder;
  WriteBytes(folder / "sfxtal.tmp", "");
  const std::optional<Tally> tally = TallyWorkFile(folder / "sfxtal.tmp");
  ASSERT_TRUE(tally);
  const std::string bytes = ResultsFileBytes(*tally);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), kSuffixCount);
  const std::string first = "\"A\",\"\",\"\",\"\"\r\n\"B\",";
  const std::string last = "\r\n\"ZZZ\",\"\",\"\",\"\"\r\n";
  EXPECT_EQ(bytes.substr(0, first.size()), first);
  EXPECT_EQ(bytes.substr(bytes.size() - last.size()), last);
  EXPECT_EQ(tally->Counts(0).worked, 0);
}

// A run stopped dead in the middle of a write leaves the start of a line: it is not a QSO, not
// even a skipped line, while the same line with its end is one.
TEST(TallyWorkFile, ALastLineWithoutItsEndCountsForNothing) {
  TempFolder folder;
  const std::string whole = "\"QQ1A\",\"A\",\"1998/03/21\",\"J\"\r\n";
  for (const char* cut : {"\"QQ1B\",\"B\",\"1998/03/21\",\"J\"", "\"QQ1B\",\"B"}) {
    WriteBytes(folder / "sfxtal.tmp", whole + cut);
    const std::optional<Tally> tally = TallyWorkFile(folder / "sfxtal.tmp");
    ASSERT_TRUE(tally);
    EXPECT_EQ(tally->lines, 1);
    EXPECT_EQ(tally->SkippedLines(), 0);
    EXPECT_FALSE(tally->rows[1].worked);
  }
  WriteBytes(folder / "sfxtal.tmp", whole + "\"QQ1B\",\"B\",\"1998/03/21\",\"J\"\r\n");
  EXPECT_TRUE(TallyWorkFile(folder / "sfxtal.tmp")->rows[1].worked);
}

TEST(TallyWorkFile, KeepsTheLogsOwnBytes) {
  // 0x87 0x90 and 0xED 0x40 have twins in CP932 that a decode and encode would turn them into;
  // 0x80 and 0xFF have no character at all. The results must hold the work file's bytes.
  TempFolder folder;
  const std::string base = "QQ\x87\x90\xed\x40\x80\xff";
  WriteBytes(folder / "sfxtal.tmp", "\"" + base + "A\",\"A\",\"1998/03/21\",\"\x96\xa2\"\r\n");
  const auto tally = TallyWorkFile(folder / "sfxtal.tmp");
  ASSERT_TRUE(tally.has_value());
  EXPECT_TRUE(tally->rows[0].Unconfirmed());
  const std::string bytes = ResultsFileBytes(*tally);
  EXPECT_TRUE(bytes.starts_with("\"A\",\"" + base + "A\",\"1998/03/21\",\"\x96\xa2\"\r\n"))
      << bytes.substr(0, 40);
}

TEST(TallyWorkFile, ALineBreakInAFieldBecomesAQuestionMarkInTheResults) {
  // Lines from elsewhere than a file may hold one; 実績.txt follows the work file's rule.
  Tally tally;
  AddWorkLine(tally, "\"QQ1\rB\",\"B\",\"1998/03/21\n\",\"J\"");
  EXPECT_TRUE(ResultsFileBytes(tally).starts_with(
      "\"A\",\"\",\"\",\"\"\r\n\"B\",\"QQ1?B\",\"1998/03/21?\",\"J\"\r\n"));
}

TEST(TallyWorkFile, LinesOfMillionsOfFieldsOrBytesCostNoMoreThanTheRowsKept) {
  TempFolder folder;
  const std::string good = "\"QQ1A\",\"A\",\"1998/03/21\",\"J\"\r\n";
  std::string bytes(3'000'000, ',');
  bytes.append("\r\n").append(good).append(kLongestWorkLine + 1, 'Q').append("\r\n").append(good);
  WriteBytes(folder / "sfxtal.tmp", bytes);
  const test_support::AllocationMeter meter;
  const auto tally = TallyWorkFile(folder / "sfxtal.tmp");
  // The rows (18,278 of them) and one line of at most kLongestWorkLine bytes.
  EXPECT_LT(meter.PeakBytes(), 4u * 1024 * 1024);
  ASSERT_TRUE(tally.has_value());
  EXPECT_EQ(tally->lines, 4);
  EXPECT_EQ(tally->badFieldCountLines, 2);
  EXPECT_EQ(tally->rows[0].baseCall, "QQ1A");

  Tally direct;
  const test_support::AllocationMeter lineMeter;
  AddWorkLine(direct, std::string(3'000'000, ','));
  EXPECT_LT(lineMeter.PeakBytes(), 3'000'000u + 64 * 1024);  // the line itself, five fields
  EXPECT_EQ(direct.badFieldCountLines, 1);
}

TEST(TallyWorkFile, MissingWorkFileGivesNothing) {
  TempFolder folder;
  EXPECT_FALSE(TallyWorkFile(folder / "sfxtal.tmp"));
}

TEST(Tally, CountsWorkedAndConfirmedPerLength) {
  Tally tally;
  for (const char* line : {
           R"("QQ1A","A","d","J")",      // confirmed
           R"("QQ1B","B","d","未")",     // worked only
           R"("QQ1AA","AA","d","J")",    // confirmed
           R"("","AB","d","J")",         // worked, but nothing to show as confirmed
           R"("QQ1ZZZ","ZZZ","d","J")",  // confirmed
           R"("QQ1AAB","AAB","d","未")",
           R"("QQ1AAC","AAC","d","")",  // an empty mark is not "未"
       }) {
    AddWorkLine(tally, platform::EncodeCp932(line));
  }
  struct Expected {
    int letters, outOf, worked, confirmed;
  };
  for (const Expected& e : {Expected{0, 18278, 7, 4}, Expected{1, 26, 2, 1}, Expected{2, 676, 2, 1},
                            Expected{3, 17576, 3, 2}}) {
    const TallyCounts counts = tally.Counts(e.letters);
    EXPECT_EQ(counts.outOf, e.outOf) << e.letters;
    EXPECT_EQ(counts.worked, e.worked) << e.letters;
    EXPECT_EQ(counts.confirmed, e.confirmed) << e.letters;
    EXPECT_DOUBLE_EQ(counts.ConfirmedFraction(), double(e.confirmed) / e.outOf);
  }
  EXPECT_TRUE(tally.rows[1].Unconfirmed());
  EXPECT_FALSE(tally.rows[0].Unconfirmed());
  EXPECT_FALSE(tally.rows[2].Unconfirmed());  // not worked
}

}  // namespace
}  // namespace sfxtal::standin
