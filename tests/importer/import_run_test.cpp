#include "importer/import_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

#include "logdb/log_database.h"
#include "logwriter/log_database_writer.h"
#include "platform/text_codec.h"
#include "standin/tally.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::importer {
namespace {

using logwriter::LogRecord;
using test_support::ReadBytes;
using test_support::ReadOnlyFolder;
using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::TinyDisk;
using test_support::WriteBytes;
using Kind = test_support::UiEvent::Kind;

const std::string kNotYet = "\x96\xa2";  // "未" in CP932
const std::string kLogMissing = "Tevrak.TDB が見つかりません";

// A record as the logging program stores it; a callsign longer than CALLS spills into IGN.
LogRecord Record(const std::string& callsign, int year, int month, int day, char qsl3 = ' ') {
  LogRecord record;
  record.calls = callsign.substr(0, 12);
  record.ign = callsign.size() > 12 ? callsign.substr(12) : "";
  record.SetDate(year, month, day);
  record.hour = 9;
  record.minute = 5;
  record.qsl = std::string("  ") + qsl3;
  record.freq = "7.012";
  record.mode = "CW";
  return record;
}

// Record n (from 1) of a long log: dates rise by one day a record, 25 days a month.
int YearOf(int n) {
  return 2000 + (n - 1) / 300;
}
int MonthOf(int n) {
  return (n - 1) % 300 / 25 + 1;
}
int DayOf(int n) {
  return (n - 1) % 25 + 1;
}

std::string DateOf(int n, char separator) {
  char text[32];  // room for any ints: GCC at -O1 cannot bound them as it does at -O2
  std::snprintf(text, sizeof text, "%04d%c%02d%c%02d", YearOf(n), separator, MonthOf(n), separator,
                DayOf(n));
  return text;
}

std::vector<LogRecord> LongLog(int count) {
  std::vector<LogRecord> records;
  for (int n = 1; n <= count; ++n) {
    records.push_back(
        Record("QQ" + std::to_string(n % 10) + "ABC", YearOf(n), MonthOf(n), DayOf(n)));
  }
  return records;
}

std::string Line(const std::string& base, const std::string& suffix, const std::string& date,
                 const std::string& mark) {
  return "\"" + base + "\",\"" + suffix + "\",\"" + date + "\",\"" + mark + "\"\r\n";
}

class ImportRunTest : public ::testing::Test {
 protected:
  ImportRunTest() {
    ui.recordYields = false;
    request.Path = LogPath().string();
  }

  std::filesystem::path LogPath() const { return logFolder / "Tevrak.TDB"; }

  void WriteLog(const std::vector<LogRecord>& records, const logwriter::LogLayout& layout = {}) {
    ASSERT_TRUE(logwriter::WriteLogDatabase(LogPath(), records, layout));
  }

  void Period(const std::string& from, const std::string& to) {
    request.DateBoxes = {from.substr(0, 4), from.substr(5, 2), from.substr(8, 2),
                         to.substr(0, 4),   to.substr(5, 2),   to.substr(8, 2)};
  }

  ImportOutcome Run() {
    logdb::LogDatabase log(ui, errors);
    ImportRun run(
        programFolder(), ui, log, [this] { hooks.push_back("FREAD"); },
        [this] { hooks.push_back("exit"); });
    const ImportOutcome outcome = run.Command2_Click(request);
    linesWritten = run.LinesWritten();
    return outcome;
  }

  virtual std::filesystem::path programFolder() const { return folder.Path(); }
  std::filesystem::path WorkFilePath() const { return programFolder() / "sfxtal.tmp"; }
  std::string WorkFile() const { return ReadBytes(WorkFilePath()); }

  // Files in the program folder other than the ones a run may leave.
  std::vector<std::string> StrayFiles() const {
    std::vector<std::string> stray;
    for (const auto& entry : std::filesystem::directory_iterator(programFolder())) {
      const std::string name = entry.path().filename().string();
      if (name != "sfxtal.tmp" && name != "履歴.txt" && name != "Tevrak.TDB") stray.push_back(name);
    }
    return stray;
  }

  TempFolder folder;
  std::filesystem::path logFolder = folder.Path();
  RecordingUi ui;
  logdb::FrequencyErrors errors;
  ImportRequest request;
  std::vector<std::string> hooks;
  std::int32_t linesWritten = -1;
};

TEST_F(ImportRunTest, AWorkLineIsThirtyFourBytes) {
  WriteLog({Record("QQ1ABC", 1998, 3, 21)});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  const std::string expected = "\"QQ1ABC\",\"ABC\",\"1998/03/21\",\"\x96\xa2\"\r\n";
  EXPECT_EQ(WorkFile(), expected);
  EXPECT_EQ(expected.size(), 34u);
  EXPECT_EQ(linesWritten, 1);
  EXPECT_EQ(ui.Texts(Kind::kProgress), (std::vector<std::string>{"1998-03-21", "1998/03/21 1"}));
  EXPECT_EQ(ui.Dialogue(), (std::vector<test_support::UiEvent>{{Kind::kLock, {}}}));
  EXPECT_EQ(hooks, (std::vector<std::string>{"FREAD", "exit"}));
  EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(ImportRunTest, EmptyLogLeavesAnEmptyWorkFileAndStillHandsOver) {
  WriteBytes(WorkFilePath(), Line("QQ9OLD", "OLD", "1997/01/01", "N"));
  WriteLog({});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  ASSERT_TRUE(std::filesystem::exists(WorkFilePath()));
  EXPECT_EQ(WorkFile(), "");
  EXPECT_EQ(linesWritten, 0);
  EXPECT_EQ(ui.progressCount, 0);
  EXPECT_EQ(hooks, (std::vector<std::string>{"FREAD", "exit"}));
}

TEST_F(ImportRunTest, SeekProbesEveryFiveHundredthRecordAndBacksUpOneStride) {
  WriteLog(LongLog(1200));
  Period(DateOf(700, '-'), "9999-99-99");
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  const auto progress = ui.Texts(Kind::kProgress);
  // Probes 1 and 501 lie before the period, 1001 inside; the main pass starts at 501.
  ASSERT_EQ(progress.size(), 3u + 700u);
  EXPECT_EQ(progress[0], DateOf(1, '-'));
  EXPECT_EQ(progress[1], DateOf(501, '-'));
  EXPECT_EQ(progress[2], DateOf(1001, '-'));
  EXPECT_EQ(progress[3], DateOf(501, '-') + " 0");
  EXPECT_EQ(progress[3 + 198], DateOf(699, '-') + " 0");
  EXPECT_EQ(progress[3 + 199], DateOf(700, '/') + " 1");
  EXPECT_EQ(progress.back(), DateOf(1200, '/') + " 501");
  EXPECT_EQ(linesWritten, 501);
  const std::string work = WorkFile();
  EXPECT_EQ(work.substr(0, work.find('\n') + 1), Line("QQ0ABC", "ABC", DateOf(700, '/'), kNotYet));
  // The seek yields after each probe it steps past, the main pass after each record.
  EXPECT_EQ(ui.yieldCount, 2 + 700);
}

TEST_F(ImportRunTest, PeriodStartingInTheFirstStrideStartsAtRecordOne) {
  WriteLog(LongLog(1200));
  Period(DateOf(300, '-'), DateOf(310, '-'));
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  const auto progress = ui.Texts(Kind::kProgress);
  ASSERT_GE(progress.size(), 3u);
  EXPECT_EQ(progress[0], DateOf(1, '-'));
  EXPECT_EQ(progress[1], DateOf(501, '-'));
  EXPECT_EQ(progress[2], DateOf(1, '-') + " 0");
  // Record 311 lies after the end and stops the pass without being shown.
  EXPECT_EQ(progress.back(), DateOf(310, '/') + " 11");
  EXPECT_EQ(progress.size(), 2u + 310u);
  EXPECT_EQ(linesWritten, 11);
}

TEST_F(ImportRunTest, AllRecordsBeforeThePeriodWriteNothing) {
  WriteLog(LongLog(1200));
  Period("2010-01-01", "9999-99-99");
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  const auto progress = ui.Texts(Kind::kProgress);
  // Three probes, then the records after the last probe up to the end of the log.
  ASSERT_EQ(progress.size(), 3u + 200u);
  EXPECT_EQ(progress[3], DateOf(1001, '-') + " 0");
  EXPECT_EQ(progress.back(), DateOf(1200, '-') + " 0");
  EXPECT_EQ(WorkFile(), "");
  EXPECT_EQ(hooks, (std::vector<std::string>{"FREAD", "exit"}));
}

TEST_F(ImportRunTest, ReversedPeriodWritesNothing) {
  WriteLog(LongLog(600));
  Period("2001-06-01", "2000-06-01");
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), "");
  EXPECT_EQ(linesWritten, 0);
}

TEST_F(ImportRunTest, BoundsAreInclusiveAndTheFirstLaterQsoEndsThePass) {
  WriteLog({Record("QQ1AAA", 1998, 3, 20), Record("QQ1BBB", 1998, 3, 21),
            Record("QQ1CCC", 1998, 4, 1), Record("QQ1DDD", 1998, 4, 2),
            Record("QQ1EEE", 1998, 3, 25)});
  Period("1998-03-21", "1998-04-01");
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Line("QQ1BBB", "BBB", "1998/03/21", kNotYet) +
                            Line("QQ1CCC", "CCC", "1998/04/01", kNotYet));
  EXPECT_EQ(ui.lastProgress, "1998/04/01 2");
}

TEST_F(ImportRunTest, DateBoxesAreCutToTheirWidths) {
  WriteLog({Record("QQ1AAA", 1998, 3, 20), Record("QQ1BBB", 1998, 3, 21)});
  request.DateBoxes = {"19989", "033", "21x", "9999", "99", "99"};
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Line("QQ1BBB", "BBB", "1998/03/21", kNotYet));
}

TEST_F(ImportRunTest, DateOfAnOddLengthIsCutByCharacterPosition) {
  // DATE bytes 20, 10, 100, 21 read as "2010-100-21": characters 1-4, 6-7 and 9-10 remain.
  LogRecord record = Record("QQ1ABC", 2010, 10, 21);
  record.date = {20, 10, 100, 21};
  WriteLog({record});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Line("QQ1ABC", "ABC", "2010/10/-2", kNotYet));
  EXPECT_EQ(ui.Texts(Kind::kProgress), (std::vector<std::string>{"2010-100-21", "2010/10/-2 1"}));
}

struct MarkCase {
  const char* name;
  char qsl3;
  std::string marks;
  std::string written;  // CP932
};

class ImportRunMarks : public ImportRunTest, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(ImportRunMarks, GiveUpMarksTurnTheMarkIntoNotYet) {
  const MarkCase& c = GetParam();
  WriteLog({Record("QQ1ABC", 1998, 3, 21, c.qsl3)});
  request.GiveUpMarks = c.marks;
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Line("QQ1ABC", "ABC", "1998/03/21", c.written));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportRunMarks,
    ::testing::Values(MarkCase{"Confirmed", 'Y', "", "Y"}, MarkCase{"Blank", ' ', "", kNotYet},
                      MarkCase{"BlankWithMarks", ' ', "XN", kNotYet},
                      MarkCase{"GivenUp", 'N', "XN", kNotYet},
                      MarkCase{"MarksAreCaseSensitive", 'N', "xn", "N"},
                      MarkCase{"NotAMark", 'Y', "XN", "Y"},
                      MarkCase{"BlankMarksAreNone", 'N', "   ", "N"},
                      MarkCase{"MarksKeepTheirBlanks", 'N', " N ", kNotYet},
                      MarkCase{"KatakanaMark", '\xb1', "ｱ", kNotYet},
                      MarkCase{"KatakanaKept", '\xb1', "X", "\xb1"},
                      // 未 is 96 A2 in CP932; the mark A2 is ｢, not half of it.
                      MarkCase{"NotHalfOfAMark", '\xa2', "未", "\xa2"}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST_F(ImportRunTest, OnlyOneToThreeLetterSuffixesAreWrittenAndCounted) {
  WriteLog({Record("QQ1ABCD", 1998, 3, 21), Record("QQ1AB2", 1998, 3, 22),
            Record("qq1abc", 1998, 3, 23), Record("QQ1A", 1998, 3, 24),
            Record("QQ1ABC/QQ2XYZ", 1998, 3, 25), Record("", 1998, 3, 26),
            Record("QQ1ABC  2", 1998, 3, 27)});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Line("QQ1A", "A", "1998/03/24", kNotYet) +
                            Line("QQ1ABC", "ABC", "1998/03/27", kNotYet));
  EXPECT_EQ(linesWritten, 2);
  const auto progress = ui.Texts(Kind::kProgress);
  EXPECT_EQ(progress[1], "1998/03/21 0");
  EXPECT_EQ(progress[4], "1998/03/24 1");
  EXPECT_EQ(progress.back(), "1998/03/27 2");
  // "バイパス": no dialog and no history for the undeterminable callsign.
  EXPECT_EQ(ui.Count(Kind::kSuffixDialog), 0);
  EXPECT_FALSE(std::filesystem::exists(folder / "履歴.txt"));
}

TEST_F(ImportRunTest, TheLogsOddBytesComeBackAsTheSameBytes) {
  WriteLog({Record("\xb1QQ1ABC", 1998, 3, 21, '\x80'), Record("QQ\x80/QQ1AB", 1998, 3, 22)});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Line("\xb1QQ1ABC", "ABC", "1998/03/21", "\x80") +
                            Line("QQ1AB", "AB", "1998/03/22", kNotYet));
}

TEST_F(ImportRunTest, LineBreaksAndQuotesFromTheLogGetStandInsAndEveryLineTallies) {
  // A CR or LF would split the line; a quote before a comma would make five fields of it.
  WriteLog({Record("QQ1\rABC", 1998, 3, 21, 'J'), Record("QQ\n1ABD", 1998, 3, 22),
            Record("QQ1\",ABE", 1998, 3, 23, '"')});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Line("QQ1?ABC", "ABC", "1998/03/21", "J") +
                            Line("QQ?1ABD", "ABD", "1998/03/22", kNotYet) +
                            Line("QQ1',ABE", "ABE", "1998/03/23", "'"));
  const auto tally = standin::TallyWorkFile(WorkFilePath());
  ASSERT_TRUE(tally.has_value());
  EXPECT_EQ(tally->lines, 3);
  EXPECT_EQ(tally->SkippedLines(), 0);
  EXPECT_EQ(tally->rows[static_cast<std::size_t>(*results::SuffixRow("ABE"))].baseCall, "QQ1',ABE");
}

// The logging program may write the log while we read it, and may be stopped half-way through a
// record. A grown log is read as far as its header counted at opening; a record that is not all
// there ends the log.
class ImportRunGrowingLog : public ImportRunTest {
 protected:
  ImportRunGrowingLog() {
    for (int n = 1; n <= 6; ++n)
      records.push_back(Record("QQ1AB" + std::string(1, 'A' + n), 1998, 3, n));
    full = logwriter::LogDatabaseBytes(records);
    recordLength =
        static_cast<unsigned char>(full[10]) + 256u * static_cast<unsigned char>(full[11]);
    headerLength = full.size() - 6 * recordLength;
    for (int n = 1; n <= 6; ++n) {
      const std::string suffix = "AB" + std::string(1, 'A' + n);
      lines.push_back(Line("QQ1" + suffix, suffix, "1998/03/0" + std::to_string(n), kNotYet));
    }
  }
  ImportOutcome RunGrowing(const std::string& atOpen, const std::string& later) {
    WriteBytes(LogPath(), atOpen);
    bool grown = false;
    ui.onEvents = [&] {
      if (!std::exchange(grown, true)) WriteBytes(LogPath(), later);
    };
    logdb::LogDatabase log(ui, errors);
    ImportRun run(folder.Path(), ui, log, nullptr, nullptr);
    const ImportOutcome outcome = run.Command2_Click(request);
    linesWritten = run.LinesWritten();
    return outcome;
  }
  std::string Lines(int count) const {
    std::string text;
    for (int i = 0; i < count; ++i) text += lines[static_cast<std::size_t>(i)];
    return text;
  }

  std::vector<LogRecord> records;
  std::string full;
  std::size_t recordLength = 0;
  std::size_t headerLength = 0;
  std::vector<std::string> lines;
};

TEST_F(ImportRunGrowingLog, RecordsAddedWhileReadingAreLeftForTheNextImport) {
  const std::string three = logwriter::LogDatabaseBytes({records[0], records[1], records[2]});
  std::string grown = three + full.substr(headerLength + 3 * recordLength);
  grown[4] = 6;  // the logging program raises the count after adding the records
  EXPECT_EQ(RunGrowing(three, grown), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Lines(3));
}

TEST_F(ImportRunGrowingLog, RecordsCountedButWrittenOnlyWhileReadingAreRead) {
  // The header already counts six, the file holds three and a half when the import opens it.
  const std::string cut = full.substr(0, headerLength + 3 * recordLength + recordLength / 2);
  EXPECT_EQ(RunGrowing(cut, full), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Lines(6));
}

TEST_F(ImportRunGrowingLog, ALogCutAnywhereInARecordGivesOnlyWholeLines) {
  for (std::size_t cut = 0; cut <= recordLength; ++cut) {
    SCOPED_TRACE(cut);
    WriteBytes(LogPath(), full.substr(0, headerLength + 3 * recordLength + cut));
    EXPECT_EQ(Run(), ImportOutcome::kFinished);
    // The fourth record counts once the bytes up to its MODE field are there.
    const std::string work = WorkFile();
    EXPECT_TRUE(work == Lines(3) || work == Lines(4)) << work;
    if (cut == recordLength) {
      EXPECT_EQ(work, Lines(4));
    } else if (cut < 10) {
      EXPECT_EQ(work, Lines(3));
    }
  }
}

// A log of another kind, held in memory: the run reads it through the same six calls.
class MemoryLog : public logdb::LogSource {
 public:
  std::vector<logdb::QsoRecord> qsos;
  std::vector<std::string> calls;  // what the run asked of the log, in order
  std::function<void()> onOpen;

  bool OpenLogDatabase(const std::string& dbPath) override {
    calls.push_back("open " + dbPath);
    if (onOpen) onOpen();
    return true;
  }
  logdb::OpenFailure LastOpenFailure() const override { return logdb::OpenFailure::kNone; }
  bool InDateOrder() const override { return true; }
  bool ReadQso(logdb::CurrentQso& current) override {
    if (current.Pointer > static_cast<std::int32_t>(qsos.size())) return false;
    calls.push_back("read " + std::to_string(current.Pointer));
    current.Qso = qsos.at(static_cast<std::size_t>(current.Pointer - 1));
    return true;
  }
  std::string TextOf(std::string_view logBytes) const override {
    return platform::DecodeCp932(logBytes);
  }
  std::string_view MissingMessage() const override { return "missing"; }
  bool ProgramEnded() const override { return false; }
  void CloseLogDatabase() override { calls.push_back("close"); }
};

// The QSO views the texts, which outlive it.
logdb::QsoRecord MemoryQso(std::string_view callsign, std::string_view date,
                           std::string_view qsl3) {
  return {callsign, "", callsign, date, "21:30U", qsl3, "14.025", "SSB", "14"};
}

TEST_F(ImportRunTest, ALogOfAnotherKindGoesThroughTheSameRun) {
  WriteBytes(LogPath(), "any file: the path must name one");
  WriteBytes(folder / ".sfxtal.tmp.x1Y2z3", "left by an earlier version");
  WriteBytes(WorkFilePath(), Line("QQ9OLD", "OLD", "1997/01/01", "N"));
  MemoryLog log;
  log.qsos = {MemoryQso("QQ1ABC", "1998-03-21", ""), MemoryQso("QQ1ABC/QQ2XYZ", "1998-03-22", ""),
              MemoryQso("QQ3DEF", "1998-03-23", "N")};
  // The work file is there, empty, before the log is opened; nothing hidden is left beside it.
  log.onOpen = [&] {
    EXPECT_EQ(ReadBytes(WorkFilePath()), "");
    EXPECT_TRUE(StrayFiles().empty());
  };
  request.AskUndeterminable = true;
  request.GiveUpMarks = "N";
  ui.suffixAnswers.push_back({"xyz"});
  ImportRun run(folder.Path(), ui, log, [this] { hooks.push_back("FREAD"); }, {});
  EXPECT_EQ(run.Command2_Click(request), ImportOutcome::kFinished);
  EXPECT_EQ(log.calls, (std::vector<std::string>{"open " + request.Path, "read 1", "read 1",
                                                 "read 2", "read 3", "close"}));
  EXPECT_EQ(ui.Texts(Kind::kSuffixDialog),
            std::vector<std::string>{"2\t1998/03/22\t21:30U\tSSB\t14.025\tQQ1ABC/QQ2XYZ"});
  EXPECT_EQ(WorkFile(), Line("QQ1ABC", "ABC", "1998/03/21", kNotYet) +
                            Line("QQ1ABC/QQ2XYZ", "XYZ", "1998/03/22", kNotYet) +
                            Line("QQ3DEF", "DEF", "1998/03/23", kNotYet));
  EXPECT_EQ(hooks, std::vector<std::string>{"FREAD"});
}

TEST_F(ImportRunTest, IndividualSettingAsksTheHistoryFirstAndTheDialogSecond) {
  WriteBytes(folder / "履歴.txt", "QQ3ABC/QQ4XYZ,XYZ\r\n");
  WriteLog({Record("QQ3ABC/QQ4XYZ", 1998, 3, 21, 'Y'), Record("QQ1ABC/QQ2XYZ", 1998, 3, 22),
            Record("QQ5ABC/2/P", 1998, 3, 23)});
  request.AskUndeterminable = true;
  ui.suffixAnswers.push_back({"ab", "abc"});
  ui.suffixAnswers.push_back({});  // skipped
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  // The history's answer makes the whole callsign the base call; the dialog's leaves the CALLS
  // text as it was.
  EXPECT_EQ(WorkFile(), Line("QQ3ABC/QQ4XYZ", "XYZ", "1998/03/21", "Y") +
                            Line("QQ1ABC/QQ2XY", "ABC", "1998/03/22", kNotYet));
  EXPECT_EQ(ui.Texts(Kind::kSuffixDialog),
            (std::vector<std::string>{"2\t1998/03/22\t09:05J\tCW\t7.012\tQQ1ABC/QQ2XYZ",
                                      "3\t1998/03/23\t09:05J\tCW\t7.012\tQQ5ABC/2/P"}));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"指定されたサフィックスがおかしい"});
  EXPECT_EQ(ReadBytes(folder / "履歴.txt"), "QQ3ABC/QQ4XYZ,XYZ\r\nQQ1ABC/QQ2XYZ,ABC\r\n");
}

TEST_F(ImportRunTest, BypassLeavesUndeterminableQsosOutEvenWhenTheHistoryKnowsThem) {
  WriteBytes(folder / "履歴.txt", "QQ3ABC/QQ4XYZ,XYZ\r\n");
  WriteLog({Record("QQ3ABC/QQ4XYZ", 1998, 3, 21)});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), "");
  EXPECT_EQ(ui.Count(Kind::kSuffixDialog), 0);
}

TEST_F(ImportRunTest, SecondQsoOfACallsignIsAnsweredByTheLineTheFirstAdded) {
  WriteLog({Record("QQ1ABC/QQ2XYZ", 1998, 3, 21), Record("QQ1ABC/QQ2XYZ", 1998, 3, 22, 'Y')});
  request.AskUndeterminable = true;
  ui.suffixAnswers.push_back({"xyz"});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(ui.Count(Kind::kSuffixDialog), 1);
  EXPECT_EQ(ReadBytes(folder / "履歴.txt"), "QQ1ABC/QQ2XYZ,XYZ\r\n");
  EXPECT_EQ(WorkFile(), Line("QQ1ABC/QQ2XY", "XYZ", "1998/03/21", kNotYet) +
                            Line("QQ1ABC/QQ2XYZ", "XYZ", "1998/03/22", "Y"));
}

TEST_F(ImportRunTest, ASkippedCallsignIsAskedAgain) {
  WriteLog({Record("QQ1ABC/QQ2XYZ", 1998, 3, 21), Record("QQ1ABC/QQ2XYZ", 1998, 3, 22)});
  request.AskUndeterminable = true;
  ui.suffixAnswers.push_back({});
  ui.suffixAnswers.push_back({"C"});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(ui.Count(Kind::kSuffixDialog), 2);
  EXPECT_EQ(WorkFile(), Line("QQ1ABC/QQ2XY", "C", "1998/03/22", kNotYet));
}

TEST_F(ImportRunTest, AnAnswerThatCannotBeRememberedIsStillUsed) {
  std::filesystem::create_directory(folder / "履歴.txt");
  WriteLog({Record("QQ1ABC/QQ2XYZ", 1998, 3, 21)});
  request.AskUndeterminable = true;
  ui.suffixAnswers.push_back({"ABC"});
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ファイルに書き込めません\n" +
                                                    (folder / "履歴.txt").string()});
  EXPECT_EQ(WorkFile(), Line("QQ1ABC/QQ2XY", "ABC", "1998/03/21", kNotYet));
  EXPECT_EQ(hooks, (std::vector<std::string>{"FREAD", "exit"}));
}

TEST_F(ImportRunTest, StopRequestEndsAfterTheRecordInHand) {
  WriteLog(LongLog(10));
  WriteBytes(WorkFilePath(), Line("QQ9OLD", "OLD", "1997/01/01", "N"));
  ui.stopAfterYields = 3;
  EXPECT_EQ(Run(), ImportOutcome::kStopped);
  EXPECT_EQ(linesWritten, 3);
  EXPECT_EQ(WorkFile(), Line("QQ1ABC", "ABC", DateOf(1, '/'), kNotYet) +
                            Line("QQ2ABC", "ABC", DateOf(2, '/'), kNotYet) +
                            Line("QQ3ABC", "ABC", DateOf(3, '/'), kNotYet));
  EXPECT_TRUE(hooks.empty());
  EXPECT_EQ(ui.Count(Kind::kUnlock), 0);
  EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(ImportRunTest, StopRequestDuringTheSeek) {
  WriteLog(LongLog(1200));
  Period(DateOf(1100, '-'), "9999-99-99");
  ui.stopAfterYields = 1;
  EXPECT_EQ(Run(), ImportOutcome::kStopped);
  EXPECT_EQ(ui.Texts(Kind::kProgress), std::vector<std::string>{DateOf(1, '-')});
  EXPECT_EQ(WorkFile(), "");
  EXPECT_TRUE(hooks.empty());
}

TEST_F(ImportRunTest, AbortAtTheFrequencyQuestionKeepsTheLinesSoFar) {
  std::vector<LogRecord> records = LongLog(12);
  for (int i = 2; i < 12; ++i) records[i].freq = "3525";  // ten invalid frequencies, 3..12
  WriteLog(records);
  ui.yesNoAnswers = {true};
  EXPECT_EQ(Run(), ImportOutcome::kAborted);
  // The tenth invalid frequency is record 12: the run ends inside its read.
  EXPECT_EQ(linesWritten, 11);
  EXPECT_EQ(WorkFile().size(), 11 * Line("QQ1ABC", "ABC", DateOf(1, '/'), kNotYet).size());
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(ui.Count(Kind::kMessage), 10);
  EXPECT_TRUE(hooks.empty());
  EXPECT_TRUE(StrayFiles().empty());
}

// Whenever the window gets to show the progress line, the lines it counts are in the work file,
// whole: a run ended there by the system keeps every line it showed.
TEST_F(ImportRunTest, TheLinesTheWindowShowsAreOnDisk) {
  WriteLog(LongLog(1200));
  Period(DateOf(700, '-'), "9999-99-99");
  int checked = 0;
  ui.onEvents = [&] {
    const std::size_t blank = ui.lastProgress.find(' ');
    if (blank == std::string::npos) return;  // a probe of the seek, before the work file
    const std::string work = WorkFile();
    EXPECT_EQ(std::count(work.begin(), work.end(), '\n'),
              std::stoi(ui.lastProgress.substr(blank + 1)));
    EXPECT_TRUE(work.empty() || work.ends_with("\r\n"));
    ++checked;
  };
  ASSERT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(checked, 700);
}

// The QSO in hand after a run is the last record read, rewritten as processing left it; after an
// abort it is the record before the one whose read was aborted.
TEST_F(ImportRunTest, MissingLogStartsNothing) {
  WriteBytes(WorkFilePath(), Line("QQ9OLD", "OLD", "1997/01/01", "N"));
  EXPECT_EQ(Run(), ImportOutcome::kNotStarted);
  EXPECT_EQ(ui.Dialogue(), (std::vector<test_support::UiEvent>{{Kind::kMessage, kLogMissing}}));
  EXPECT_EQ(WorkFile(), Line("QQ9OLD", "OLD", "1997/01/01", "N"));
  EXPECT_TRUE(hooks.empty());
}

TEST_F(ImportRunTest, MalformedLogIsReportedAndTheWindowGoesIdle) {
  WriteBytes(LogPath(), "too short to be a log");
  WriteBytes(WorkFilePath(), Line("QQ9OLD", "OLD", "1997/01/01", "N"));
  EXPECT_EQ(Run(), ImportOutcome::kOpenFailed);
  EXPECT_EQ(ui.Dialogue(),
            (std::vector<test_support::UiEvent>{
                {Kind::kLock, {}},
                {Kind::kMessage, "Tevrak.TDB の形式が正しくありません\n" + LogPath().string()},
                {Kind::kUnlock, {}}}));
  EXPECT_EQ(ui.progressCount, 0);
  EXPECT_EQ(WorkFile(), "");  // created empty before the open, nothing more
  EXPECT_TRUE(hooks.empty());
  EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(ImportRunTest, PathWithoutTdbEndingWhoseTdbFileIsMissing) {
  WriteBytes(logFolder / "Tevrak", "a file, but not the log");
  request.Path = (logFolder / "Tevrak").string();
  EXPECT_EQ(Run(), ImportOutcome::kOpenFailed);
  EXPECT_EQ(ui.Dialogue(),
            (std::vector<test_support::UiEvent>{
                {Kind::kLock, {}}, {Kind::kMessage, kLogMissing}, {Kind::kUnlock, {}}}));
  EXPECT_TRUE(hooks.empty());
}

TEST_F(ImportRunTest, PathWithoutTdbEndingOpensTheTdbFile) {
  WriteBytes(logFolder / "Tevrak", "a file, but not the log");
  WriteLog({Record("QQ1ABC", 1998, 3, 21)});
  std::filesystem::rename(LogPath(), logFolder / "Tevrak.tdb");
  request.Path = (logFolder / "Tevrak").string();
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(linesWritten, 1);
}

TEST_F(ImportRunTest, RecordsPastTheEndOfTheFileEndTheLog) {
  logwriter::LogLayout layout;
  layout.recordCount = 1200;  // the header promises more than the file holds
  WriteLog(
      {Record("QQ1AAA", 1998, 3, 21), Record("QQ1BBB", 1998, 3, 22), Record("QQ1CCC", 1998, 3, 23)},
      layout);
  Period("1998-03-22", "9999-99-99");
  EXPECT_EQ(Run(), ImportOutcome::kFinished);
  EXPECT_EQ(WorkFile(), Line("QQ1BBB", "BBB", "1998/03/22", kNotYet) +
                            Line("QQ1CCC", "CCC", "1998/03/23", kNotYet));
  // Probe 1; probe 501 cannot be read and ends the seek; then records 1 to 3, and record 4
  // cannot be read and ends the pass.
  EXPECT_EQ(ui.progressCount, 1 + 3);
  EXPECT_EQ(hooks, (std::vector<std::string>{"FREAD", "exit"}));
}

TEST_F(ImportRunTest, AWorkFileThatCannotBeCreatedStopsTheRun) {
  TempFolder logs;
  logFolder = logs.Path();
  request.Path = LogPath().string();
  WriteLog({Record("QQ1ABC", 1998, 3, 21)});
  ReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
  EXPECT_EQ(Run(), ImportOutcome::kWriteFailed);
  EXPECT_EQ(ui.Dialogue(),
            (std::vector<test_support::UiEvent>{
                {Kind::kLock, {}},
                {Kind::kMessage, "ファイルに書き込めません\n" + WorkFilePath().string()},
                {Kind::kUnlock, {}}}));
  EXPECT_FALSE(std::filesystem::exists(WorkFilePath()));
  EXPECT_TRUE(hooks.empty());
}

class ImportRunFullDisk : public ImportRunTest {
 protected:
  std::filesystem::path programFolder() const override { return disk.Path(); }
  TinyDisk disk{64 * 1024};
};

TEST_F(ImportRunFullDisk, AFullDiskStopsTheRunWithoutAHandOver) {
  if (!disk.Active()) GTEST_SKIP() << "cannot mount a tiny disk here";
  WriteLog(LongLog(5000));  // far more lines than the disk holds
  EXPECT_EQ(Run(), ImportOutcome::kWriteFailed);
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"ファイルに書き込めません\n" + WorkFilePath().string()});
  EXPECT_EQ(ui.Count(Kind::kUnlock), 1);
  EXPECT_LT(linesWritten, 5000);
  EXPECT_TRUE(hooks.empty());
  EXPECT_TRUE(StrayFiles().empty());
}

}  // namespace
}  // namespace sfxtal::importer
