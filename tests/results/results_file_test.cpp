#include "results/results_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/path_text.h"
#include "platform/text_codec.h"
#include "results/results_texts.h"
#include "results/totals.h"
#include "tests/support/allocation_meter.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::results {

// Rows print as their texts in failure messages. In ResultRow's namespace, where GoogleTest looks
// for it, and static: no other file declares it.
static void PrintTo(const ResultRow& row, std::ostream* os) {
  *os << '{' << row.suffix << ", " << row.detail1 << ", " << row.detail2 << ", "
      << (row.unconfirmed ? "red" : "black") << '}';
}

namespace {

using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::UiEvent;
using test_support::WriteBytes;

// Writes the results file from UTF-8 text, in CP932 as on disk.
void WriteResults(const TempFolder& folder, const std::string& utf8) {
  WriteBytes(folder / results::kResultsFileName, platform::EncodeCp932(utf8));
}

// A full file in suffix order, as the tally writes it; every seventh suffix worked, every
// fourteenth of those confirmed ("J"), the rest "未".
std::string FullFile(int lines = kSuffixCount) {
  std::string text;
  for (int row = 0; row < lines; ++row) {
    const std::string suffix =
        row < kSuffixCount ? SuffixOfRow(row) : std::string("X").append(std::to_string(row));
    if (row % 7 == 0) {
      text += "\"" + suffix + "\",\"QQ1" + suffix + "\",\"1998/03/21\",\"" +
              (row % 14 == 0 ? "J" : "未") + "\"\r\n";
    } else {
      text += "\"" + suffix + "\",\"\",\"\",\"\"\r\n";
    }
  }
  return text;
}

ResultRow Row(const char* suffix, const char* detail1, const char* detail2, bool unconfirmed) {
  return ResultRow{suffix, detail1, detail2, unconfirmed};
}

TEST(SplitResultsLine, DecodesEachField) {
  EXPECT_EQ(SplitResultsLine("\"A\",\"QQ1A\",\"1998/03/21\",\"\x96\xa2\""),
            (std::vector<std::string>{"A", "QQ1A", "1998/03/21", "未"}));
  EXPECT_EQ(SplitResultsLine("\x83\x5c,\x83\x5d"), (std::vector<std::string>{"ソ", "ゾ"}));
  // Carried through as U+F800, U+F87F.
  EXPECT_EQ(SplitResultsLine("\x80\xff"), (std::vector<std::string>{"\xef\xa0\x80\xef\xa1\xbf"}));
}

TEST(ReadResultsFile, FullFileFillsEveryRowInSuffixOrder) {
  TempFolder folder;
  WriteResults(folder, FullFile());
  RecordingUi ui;
  ui.recordYields = false;
  ResultsTable table;
  std::vector<int> rowsSeen;
  const auto read = ReadResultsFile(folder.Path(), ui, table, [&](int row, const ResultRow& shown) {
    EXPECT_EQ(&shown, &table.Row(row));
    rowsSeen.push_back(row);
  });
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->recordCount, kSuffixCount);
  EXPECT_FALSE(read->stopped);
  // Rows 0, 14, 28 ... are confirmed: ceil(18278 / 14).
  EXPECT_EQ(read->ConfirmedCount, 1306);
  EXPECT_EQ(ui.yieldCount, kSuffixCount);
  ASSERT_EQ(rowsSeen.size(), static_cast<std::size_t>(kSuffixCount));
  for (int row = 0; row < kSuffixCount; ++row) ASSERT_EQ(rowsSeen[row], row);

  EXPECT_EQ(table.Row(0), Row("A", "QQ1A", "1998/03/21", false));
  EXPECT_EQ(table.Row(25), Row("Z", "", "", false));
  EXPECT_EQ(table.Row(26), Row("AA", "", "", false));
  EXPECT_EQ(table.Row(7), Row("H", "QQ1H", "1998/03/21", true));
  EXPECT_EQ(table.Row(701), Row("ZZ", "", "", false));
  EXPECT_EQ(table.Row(702), Row("AAA", "", "", false));
  EXPECT_EQ(table.Row(18277), Row("ZZZ", "QQ1ZZZ", "1998/03/21", true));
  EXPECT_EQ(ui.Dialogue(), (std::vector<UiEvent>{{UiEvent::Kind::kBusyPointer, ""},
                                                 {UiEvent::Kind::kNormalPointer, ""}}));
}

TEST(ReadResultsFile, CountAndColourForEachDetailAndMark) {
  const struct {
    const char* line;
    bool counted;
    bool red;
  } cases[] = {
      {"A,QQ1A,1998/03/21,J", true, false},
      {"A,QQ1A,1998/03/21,", true, false},
      {"A,QQ1A,1998/03/21,未", false, true},
      {"A,,,", false, false},
      {"A,,,J", false, false},
      {"A,,,未", false, true},
      {"A,QQ1A,x,\"未 \"", true, false},  // the mark is compared exactly
      {"A,QQ1A,x,未未", true, false},
      {"A,\" \",x,J", true, false},  // a quoted blank is a detail
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteResults(folder, std::string(c.line) + "\r\n");
    RecordingUi ui;
    ResultsTable table;
    const auto read = ReadResultsFile(folder.Path(), ui, table);
    ASSERT_TRUE(read.has_value()) << c.line;
    EXPECT_EQ(read->ConfirmedCount, c.counted ? 1 : 0) << c.line;
    EXPECT_EQ(table.Row(0).unconfirmed, c.red) << c.line;
  }
}

TEST(ReadResultsFile, QuotedAndUnquotedFieldsReadTheSame) {
  TempFolder quoted, plain;
  WriteResults(quoted, "\"A\",\"QQ1A\",\"1998/03/21\",\"未\"\r\n\"B\",\"QQ1B\",\"x,y\",\"J\"\r\n");
  WriteResults(plain, "A,QQ1A,1998/03/21,未\r\n B , QQ1B ,\"x,y\", J\r\n");
  RecordingUi ui;
  ResultsTable fromQuoted, fromPlain;
  const auto a = ReadResultsFile(quoted.Path(), ui, fromQuoted);
  const auto b = ReadResultsFile(plain.Path(), ui, fromPlain);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->ConfirmedCount, b->ConfirmedCount);
  for (int row : {0, 1}) EXPECT_EQ(fromQuoted.Row(row), fromPlain.Row(row));
  EXPECT_EQ(fromPlain.Row(1), Row("B", "QQ1B", "x,y", false));
}

TEST(ReadResultsFile, ReadsNoMoreThan18278Records) {
  TempFolder folder;
  WriteResults(folder, FullFile(20000));
  RecordingUi ui;
  ui.recordYields = false;
  ResultsTable table;
  int calls = 0;
  const auto read =
      ReadResultsFile(folder.Path(), ui, table, [&](int, const ResultRow&) { ++calls; });
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->recordCount, kSuffixCount);
  EXPECT_EQ(calls, kSuffixCount);
  EXPECT_EQ(ui.yieldCount, kSuffixCount);
  EXPECT_EQ(read->ConfirmedCount, 1306);
  EXPECT_EQ(table.Row(18277).suffix, "ZZZ");
}

TEST(ReadResultsFile, EmptyFileChangesNoRow) {
  TempFolder folder;
  WriteResults(folder, "");
  RecordingUi ui;
  ResultsTable table;
  table.Row(0) = Row("A", "kept", "", true);
  const auto read = ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->recordCount, 0);
  EXPECT_EQ(read->ConfirmedCount, 0);
  EXPECT_EQ(ui.yieldCount, 0);
  EXPECT_EQ(table.Row(0), Row("A", "kept", "", true));
  EXPECT_EQ(CaptionWithTotals(kResultsCaption, read->ConfirmedCount),
            "交信実績   / 18,278   0.00 %");
}

TEST(ReadResultsFile, MissingFileShowsItsMessageAndTouchesNothing) {
  TempFolder folder;
  RecordingUi ui;
  ResultsTable table;
  table.Row(3) = Row("D", "x", "y", false);
  EXPECT_EQ(ReadResultsFile(folder.Path(), ui, table), std::nullopt);
  EXPECT_EQ(ui.Dialogue(),
            (std::vector<UiEvent>{
                {UiEvent::Kind::kMessage, std::string(results::kResultsFileMissingMessage)}}));
  EXPECT_EQ(ui.yieldCount, 0);
  EXPECT_EQ(table.Row(3), Row("D", "x", "y", false));

  // A folder by the file's name is no file either.
  std::filesystem::create_directory(folder / results::kResultsFileName);
  RecordingUi again;
  EXPECT_EQ(ReadResultsFile(folder.Path(), again, table), std::nullopt);
  EXPECT_EQ(again.Messages(),
            std::vector<std::string>{std::string(results::kResultsFileMissingMessage)});
}

TEST(ReadResultsFile, FieldsRunOnAcrossLinesAndBlankLinesAreSkipped) {
  TempFolder folder;
  // Five fields on the first line shift the next record; blank lines and any line end separate.
  WriteResults(folder, "A,1,2,3,B\r\n\r\n   \r\n1,2,3\nC,x,y,未\rD,,,\r\n\r\n");
  RecordingUi ui;
  ResultsTable table;
  const auto read = ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->recordCount, 4);
  EXPECT_EQ(read->ConfirmedCount, 2);
  EXPECT_EQ(table.Row(0), Row("A", "1", "2", false));
  EXPECT_EQ(table.Row(1), Row("B", "1", "2", false));
  EXPECT_EQ(table.Row(2), Row("C", "x", "y", true));
  EXPECT_EQ(table.Row(3), Row("D", "", "", false));
  EXPECT_EQ(table.Row(4), ResultRow{});
}

TEST(ReadResultsFile, ACutShortLastRecordTakesTheFieldsThatAreThere) {
  const struct {
    const char* text;
    ResultRow last;
    int confirmed;
  } cases[] = {
      {"A,x,y,J\r\nB", Row("B", "", "", false), 1},
      {"A,x,y,J\r\nB,QQ1B", Row("B", "QQ1B", "", false), 2},
      {"A,x,y,J\r\nB,QQ1B,d", Row("B", "QQ1B", "d", false), 2},
      {"A,x,y,J\r\n\"B\",\"QQ1B", Row("B", "QQ1B", "", false), 2},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteResults(folder, c.text);
    RecordingUi ui;
    ResultsTable table;
    const auto read = ReadResultsFile(folder.Path(), ui, table);
    ASSERT_TRUE(read.has_value()) << c.text;
    EXPECT_EQ(read->recordCount, 2) << c.text;
    EXPECT_EQ(read->ConfirmedCount, c.confirmed) << c.text;
    EXPECT_EQ(table.Row(1), c.last) << c.text;
  }
}

TEST(ReadResultsFile, ASuffixConfirmedSinceTheLastReadTurnsBlack) {
  TempFolder folder;
  WriteResults(folder, "A,QQ1A,1998/03/21,未\r\nB,QQ1B,1998/03/22,未\r\n");
  RecordingUi ui;
  ResultsTable table;
  auto read = ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->ConfirmedCount, 0);
  EXPECT_TRUE(table.Row(0).unconfirmed);
  EXPECT_TRUE(table.Row(1).unconfirmed);

  WriteResults(folder, "A,QQ1A,1998/03/21,J\r\nB,QQ1B,1998/03/22,未\r\n");
  read = ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->ConfirmedCount, 1);
  EXPECT_FALSE(table.Row(0).unconfirmed);
  EXPECT_TRUE(table.Row(1).unconfirmed);
}

TEST(ReadResultsFile, RowsTheFileDoesNotReachKeepTheirEarlierRead) {
  TempFolder folder;
  WriteResults(folder, FullFile());
  RecordingUi ui;
  ui.recordYields = false;
  ResultsTable table;
  ASSERT_TRUE(ReadResultsFile(folder.Path(), ui, table));
  WriteResults(folder, "A,,,\r\nB,,,\r\n");
  const auto read = ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->ConfirmedCount, 0);
  EXPECT_EQ(table.Row(0), Row("A", "", "", false));
  EXPECT_EQ(table.Row(7), Row("H", "QQ1H", "1998/03/21", true));
}

TEST(ReadResultsFile, StopsWhenTheOperatorAsks) {
  TempFolder folder;
  WriteResults(folder, FullFile());
  RecordingUi ui;
  ui.recordYields = false;
  ui.stopAfterYields = 5;
  ResultsTable table;
  const auto read = ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_TRUE(read->stopped);
  EXPECT_EQ(read->recordCount, 4);
  EXPECT_EQ(table.Row(3).suffix, "D");
  EXPECT_EQ(table.Row(4), ResultRow{});
  EXPECT_EQ(ui.Dialogue().back().kind, UiEvent::Kind::kNormalPointer);
}

TEST(ReadResultsFile, AnEndlessLineCostsOnlyWhatTheTallyWouldTakeOfIt) {
  // Once took seconds and gigabytes: every field of the line was split off before the first
  // record was taken. Only the first kLongestResultsLine bytes of a line are looked at, as the
  // tally looks at a work-file line: 65,536 commas give 65,537 empty fields.
  TempFolder folder;
  WriteBytes(folder / results::kResultsFileName, std::string(3'000'000, ',') + "\r\nA,x,y,J\r\n");
  RecordingUi ui;
  ui.recordYields = false;
  ResultsTable table;
  const test_support::AllocationMeter meter;
  const auto read = ReadResultsFile(folder.Path(), ui, table);
  EXPECT_LT(meter.PeakBytes(), 2 * kLongestResultsLine + 256 * 1024);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->recordCount, 16'386);
  EXPECT_EQ(table.Row(16'384), (ResultRow{"", "A", "x", false}));
  EXPECT_EQ(table.Row(16'385).suffix, "J");

  // A file without a single separator is one field, of which only the first
  // kLongestResultsLine bytes are kept; the next line still reads.
  const std::string huge(6'000'000, '\x82');  // CP932 lead bytes: no byte of it ends a field
  WriteBytes(folder / results::kResultsFileName, huge + ",\"" + huge + "\",d,J\r\nB");
  const test_support::AllocationMeter fieldMeter;
  ASSERT_TRUE(ReadResultsFile(folder.Path(), ui, table));
  EXPECT_LT(fieldMeter.PeakBytes(), 4 * kLongestResultsLine + 256 * 1024);
  EXPECT_EQ(platform::EncodeCp932(table.Row(0).suffix), huge.substr(0, kLongestResultsLine));
  EXPECT_EQ(table.Row(0).detail1, "B");
}

TEST(ResultsRecordReader, ReadsFromBytesAsFromTheFile) {
  const std::string bytes = "A,1,2,3,B\r\n\r\n \"x\"y ,\"open\r\n,\n\x96\xa2,";
  ResultsRecordReader reader(bytes);
  ResultRecord record;
  std::vector<std::vector<std::string>> records;
  while (reader.Next(record)) {
    records.push_back({record.Suffix, record.Detail1, record.Detail2, record.Mark});
  }
  EXPECT_EQ(records, (std::vector<std::vector<std::string>>{
                         {"A", "1", "2", "3"}, {"B", "x", "open", ""}, {"", "未", "", ""}}));
}

TEST(ReadResultsFile, ArbitraryBytesNeverFailTheRead) {
  TempFolder folder;
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919 + i / 3) % 256);
  bytes += std::string(3, '\0') + "\"\"\",,,\r\r\n\n\"";
  WriteBytes(folder / results::kResultsFileName, bytes);
  RecordingUi ui;
  ui.recordYields = false;
  ResultsTable table;
  const auto read = ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_GT(read->recordCount, 0);
  EXPECT_LE(read->recordCount, kSuffixCount);
}

}  // namespace
}  // namespace sfxtal::results
