#include "logdb/log_database.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logwriter/log_database_writer.h"
#include "platform/text_codec.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::logdb {
namespace {

using logwriter::LogDatabaseBytes;
using logwriter::LogLayout;
using logwriter::LogRecord;
using logwriter::WriteLogDatabase;
using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::UiEvent;
using test_support::WriteBytes;
using Kind = UiEvent::Kind;

LogRecord MakeRecord(std::string calls, std::string freq = "7.025") {
  LogRecord record;
  record.calls = std::move(calls);
  record.SetDate(2010, 3, 21);
  record.hour = 9;
  record.minute = 5;
  record.qsl = "J *";
  record.freq = std::move(freq);
  record.mode = "CW";
  record.his = "599";
  record.my = "599";
  return record;
}

// Records "QQ1A".."QQ1Y"... one per number, so that each read shows which record it was.
std::vector<LogRecord> NumberedRecords(int count, const std::string& freq = "7.025") {
  std::vector<LogRecord> records;
  for (int i = 1; i <= count; ++i) records.push_back(MakeRecord("QQ" + std::to_string(i), freq));
  return records;
}

class LogDatabaseTest : public ::testing::Test {
 protected:
  void Write(const std::vector<LogRecord>& records, const LogLayout& layout = {}) {
    ASSERT_TRUE(WriteLogDatabase(path_, records, layout));
  }
  void WriteRaw(const std::string& bytes) { WriteBytes(path_, bytes); }
  bool ReadAt(std::int32_t pointer) {
    current_.Pointer = pointer;
    return db_.ReadQso(current_);
  }

  TempFolder folder_;
  std::filesystem::path path_ = folder_ / "Tevrak.TDB";
  RecordingUi ui_;
  FrequencyErrors errors_;
  LogDatabase db_{ui_, errors_};
  CurrentQso current_;

  void SetUp() override { db_.DbPath = path_.string(); }
};

TEST_F(LogDatabaseTest, OpensAWellFormedLogSilently) {
  Write(NumberedRecords(3));
  EXPECT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  EXPECT_TRUE(db_.IsOpen());
  EXPECT_EQ(db_.LastOpenFailure(), OpenFailure::kNone);
  EXPECT_TRUE(ui_.events.empty());
  EXPECT_EQ(db_.RecordCount(), 3);
  EXPECT_EQ(db_.HeaderLength(), 545);
  EXPECT_EQ(db_.RecordLength(), 128);
  EXPECT_EQ(db_.WidthSum(), 127);
  const std::array<std::int16_t, 16> widths = {12, 6, 4, 2, 6, 6, 3, 1, 3, 3, 8, 5, 12, 16, 20, 20};
  EXPECT_EQ(db_.FieldWidths(), widths);
  EXPECT_EQ(db_.DbPath, path_.string());

  db_.CloseLogDatabase();
  EXPECT_FALSE(db_.IsOpen());
  EXPECT_EQ(db_.RecordCount(), 3) << "values stay after closing";
  db_.CloseLogDatabase();  // closing a closed log does nothing
  EXPECT_FALSE(db_.IsOpen());
}

TEST_F(LogDatabaseTest, DecodesTheFieldsOfARecord) {
  LogRecord record = MakeRecord("  QQ1ABC");
  record.ign = "/P";
  record.code = "100110";
  record.gl = "PM95";
  record.qsl = "JEX";
  record.flag = "1";
  record.freq = " 14.025";
  record.mode = " SSB";
  record.name = "TARO";
  Write({MakeRecord("QX9Z"), record});

  ASSERT_TRUE(ReadAt(2));
  const QsoRecord& qso = current_.Qso;
  EXPECT_EQ(qso.Calls, "QQ1ABC");
  EXPECT_EQ(qso.Ign, "/P    ");
  EXPECT_EQ(qso.Callsign, "QQ1ABC/P    ");
  EXPECT_EQ(qso.Date, "2010-03-21");
  EXPECT_EQ(qso.Time, "09:05J");
  EXPECT_EQ(qso.Qsl3, "X");
  EXPECT_EQ(qso.Freq, "14.025");
  EXPECT_EQ(qso.Mode, "SSB");
  EXPECT_EQ(current_.Qso.Band, "14");
  EXPECT_EQ(current_.Pointer, 2) << "reading does not move the pointer";

  ASSERT_TRUE(ReadAt(1));
  EXPECT_EQ(current_.Qso.Callsign, "QX9Z      ");
  EXPECT_EQ(current_.Qso.Band, "7");
}

TEST_F(LogDatabaseTest, OddDatesTimesAndQslMarks) {
  struct Case {
    std::array<std::uint8_t, 4> date;
    std::uint8_t hour, minute;
    char qsl3;
    const char* wantDate;
    const char* wantTime;
    std::string wantQsl3;
  };
  const Case cases[] = {
      {{19, 98, 12, 1}, 9, 5, '*', "1998-12-01", "09:05J", "*"},
      {{20, 10, 3, 21}, 23, 187, ' ', "2010-03-21", "23:59U", ""},
      {{20, 100, 1, 1}, 0, 128, 'J', "20100-01-01", "00:00U", "J"},
      {{0, 0, 0, 0}, 0, 0, '\xB6', "0000-00-00", "00:00J", "\xB6"},  // ｶ
      {{255, 9, 200, 7}, 100, 255, '\x96', "25509-200-07", "100:127U", "\x96"},
      {{20, 1, 1, 1}, 12, 0, '\0', "2001-01-01", "12:00J", std::string(1, '\0')},
  };
  std::vector<LogRecord> records;
  for (const Case& c : cases) {
    LogRecord record = MakeRecord("QQ1ABC");
    record.date = c.date;
    record.hour = c.hour;
    record.minute = c.minute;
    record.qsl = std::string("  ") + c.qsl3;
    records.push_back(record);
  }
  Write(records);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].wantDate);
    ASSERT_TRUE(ReadAt(static_cast<std::int32_t>(i + 1)));
    EXPECT_EQ(current_.Qso.Date, cases[i].wantDate);
    EXPECT_EQ(current_.Qso.Time, cases[i].wantTime);
    EXPECT_EQ(current_.Qso.Qsl3, cases[i].wantQsl3);
  }
}

TEST_F(LogDatabaseTest, TextFieldsAreTheLogsBytesWithOnlyBlanksTrimmed) {
  struct Case {
    std::string calls, ign;
    std::string wantCalls, wantIgn;
    std::string wantText;  // Calls as the operator reads it: each byte one character
  };
  const std::string carried = platform::Utf8Of(platform::kCarriedByteBase + 0x81);
  const Case cases[] = {
      {"QQ1ABC", "", "QQ1ABC", "      ", "QQ1ABC"},
      {"  QQ1 ABC", "  /P", "QQ1 ABC", "  /P  ", "QQ1 ABC"},
      {"\tQQ1ABC\t", "", "\tQQ1ABC\t", "      ", "\tQQ1ABC\t"},
      {"qq1abc", "/3", "qq1abc", "/3    ", "qq1abc"},
      {"\xB1\xB2QQ", "\xDF", "\xB1\xB2QQ", "\xDF     ", "ｱｲQQ"},
      {"QQ\x81\x40", "", "QQ\x81\x40", "      ", "QQ" + carried + "@"},
      {"", "", "", "      ", ""},
      {"QQ2/QQ1ABC/P", "", "QQ2/QQ1ABC/P", "      ", "QQ2/QQ1ABC/P"},
  };
  std::vector<LogRecord> records;
  for (const Case& c : cases) {
    LogRecord record = MakeRecord(c.calls);
    record.ign = c.ign;
    records.push_back(record);
  }
  Write(records);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].calls);
    ASSERT_TRUE(ReadAt(static_cast<std::int32_t>(i + 1)));
    EXPECT_EQ(current_.Qso.Calls, cases[i].wantCalls);
    EXPECT_EQ(current_.Qso.Ign, cases[i].wantIgn);
    EXPECT_EQ(current_.Qso.Callsign, cases[i].wantCalls + cases[i].wantIgn);
    EXPECT_EQ(db_.TextOf(current_.Qso.Calls), cases[i].wantText);
  }
}

TEST_F(LogDatabaseTest, BlanksAreTrimmedInFieldsOfEveryWidth) {
  // Texts in CALLS (at the start of the record) and MODE (after FREQ), with blanks or text in the
  // bytes before them, for widths below, at and above a machine word.
  const std::vector<std::string> texts = {
      "",         " ",          "A",           "AB C",           " X ",   "  LEAD",
      "TRAIL   ", "1234567",    "12345678",    "123456789",      "\tT\t", "FULL-WIDTH-TEXT-",
      "A      B", "        Z ", "           ", "QQ2/QQ1ABC/P  ",
  };
  for (std::uint8_t width : {1, 2, 3, 4, 5, 7, 8, 9, 12, 16}) {
    SCOPED_TRACE(static_cast<int>(width));
    LogLayout layout;
    layout.fields[0].width = width;   // CALLS
    layout.fields[11].width = width;  // MODE
    std::vector<LogRecord> records;
    for (const std::string& text : texts) {
      for (const char* freq : {"7.0", "14.025  ", "        "}) {
        LogRecord record = MakeRecord(text, freq);
        record.mode = text;
        records.push_back(record);
      }
    }
    db_.CloseLogDatabase();
    ui_.yesNoAnswers = {false, false};  // the blank frequencies
    Write(records, layout);
    for (std::size_t i = 0; i < records.size(); ++i) {
      ASSERT_TRUE(ReadAt(static_cast<std::int32_t>(i + 1)));
      const std::string cut = records[i].mode.substr(0, width);
      const auto first = cut.find_first_not_of(' ');
      const std::string want = first == std::string::npos
                                   ? ""
                                   : cut.substr(first, cut.find_last_not_of(' ') - first + 1);
      ASSERT_EQ(current_.Qso.Mode, want) << '"' << records[i].mode << '"';
      ASSERT_EQ(current_.Qso.Calls, want) << '"' << records[i].calls << '"';
    }
    errors_.FreqErrorCount = 0;
  }
}

TEST_F(LogDatabaseTest, FieldsAreTakenAtTheirDeclaredWidths) {
  LogLayout layout;
  layout.fields[0].width = 4;   // CALLS
  layout.fields[1].width = 0;   // IGN
  layout.fields[2].width = 0;   // DATE
  layout.fields[10].width = 3;  // FREQ
  layout.fields[11].width = 0;  // MODE
  LogRecord record = MakeRecord("QQ1ABC", "144.20");
  record.ign = "/P";
  Write({record}, layout);
  EXPECT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  EXPECT_TRUE(ui_.events.empty());
  ASSERT_TRUE(ReadAt(1));
  EXPECT_EQ(current_.Qso.Calls, "QQ1A");
  EXPECT_EQ(current_.Qso.Ign, "");
  EXPECT_EQ(current_.Qso.Callsign, "QQ1A");
  EXPECT_EQ(current_.Qso.Date, "");
  EXPECT_EQ(current_.Qso.Time, "09:05J");
  EXPECT_EQ(current_.Qso.Freq, "144");
  EXPECT_EQ(current_.Qso.Mode, "");
}

TEST_F(LogDatabaseTest, TimeAndQslAlwaysTakeTwoAndThreeBytes) {
  // Declared widths of 4 and 1: the reader still takes 2 and 3 bytes, so the fields after them
  // are taken 2 bytes earlier and 2 bytes later than the writer placed them, and they cancel.
  LogLayout layout;
  layout.fields[3].width = 4;  // TIME
  layout.fields[6].width = 1;  // QSL
  LogRecord record = MakeRecord("QQ1ABC");
  record.code = "ABCDEF";
  record.gl = "GHIJKL";
  record.qsl = "*";
  Write({record}, layout);
  ASSERT_TRUE(ReadAt(1));
  EXPECT_TRUE(ui_.events.empty()) << "the widths still add up";
  EXPECT_EQ(current_.Qso.Time, "09:05J");
  EXPECT_EQ(current_.Qso.Qsl3, "*") << "the third of the 3 bytes taken is the 1-byte QSL field";
  EXPECT_EQ(current_.Qso.Freq, "7.025");
  EXPECT_EQ(current_.Qso.Mode, "CW");
}

TEST_F(LogDatabaseTest, RecordsAreDeliveredWhateverTheirStatusByte) {
  std::vector<LogRecord> records = NumberedRecords(3);
  records[0].status = '*';
  records[1].status = '\0';
  Write(records);
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(ReadAt(i));
    EXPECT_EQ(current_.Qso.Calls, "QQ" + std::to_string(i));
  }
}

TEST_F(LogDatabaseTest, APointerOutsideTheLogKeepsThePreviousQso) {
  Write(NumberedRecords(3));
  ASSERT_TRUE(ReadAt(3));
  for (std::int32_t pointer : {4, 0, -1, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(pointer);
    EXPECT_FALSE(ReadAt(pointer));
    EXPECT_EQ(current_.Qso.Calls, "QQ3");
    EXPECT_EQ(current_.Qso.Callsign, "QQ3      ");
    EXPECT_EQ(current_.Qso.Band, "7");
  }
  EXPECT_TRUE(ui_.events.empty());
}

TEST_F(LogDatabaseTest, ReadingAClosedLogOpensItFirst) {
  LogLayout layout;
  layout.fields[10].name = "freq";
  Write(NumberedRecords(2), layout);
  EXPECT_FALSE(db_.IsOpen());
  ASSERT_TRUE(ReadAt(2));
  EXPECT_TRUE(db_.IsOpen());
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"名称違いFREQ"});
  EXPECT_EQ(current_.Qso.Calls, "QQ2");
  ASSERT_TRUE(ReadAt(1));
  EXPECT_EQ(ui_.Messages().size(), 1u) << "opened once";
}

TEST_F(LogDatabaseTest, LowerCaseNamesGiveSixteenMessagesInTableOrder) {
  LogLayout layout;
  for (auto& field : layout.fields) {
    for (char& c : field.name) c = static_cast<char>(c - 'A' + 'a');
  }
  Write(NumberedRecords(2), layout);
  EXPECT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  const std::vector<std::string> expected = {
      "名称違いCALLS", "名称違いIGN", "名称違いDATE", "名称違いTIME",
      "名称違いCODE",  "名称違いGL",  "名称違いQSL",  "名称違いFLAG",
      "名称違いHIS",   "名称違いMY",  "名称違いFREQ", "名称違いMODE",
      "名称違いNAME",  "名称違いQTH", "名称違いRMK1", "名称違いRMK2",
  };
  EXPECT_EQ(ui_.Messages(), expected);
  EXPECT_EQ(ui_.Count(Kind::kQuestion), 0);
  ASSERT_TRUE(ReadAt(2));
  EXPECT_EQ(current_.Qso.Calls, "QQ2") << "widths are taken as if the names matched";
}

TEST_F(LogDatabaseTest, ASeventeenthFieldGivesOneLengthMessage) {
  LogLayout layout;
  layout.fields.push_back({"EXTRA", 6});
  Write(NumberedRecords(3), layout);
  EXPECT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"長さ感知エラー 127 134"});
  EXPECT_EQ(db_.HeaderLength(), 577);
  EXPECT_EQ(db_.RecordLength(), 134);
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(ReadAt(i));
    EXPECT_EQ(current_.Qso.Calls, "QQ" + std::to_string(i));
    EXPECT_EQ(current_.Qso.Mode, "CW");
  }
}

TEST_F(LogDatabaseTest, NameAndLengthMessagesComeInOrder) {
  LogLayout layout;
  layout.fields[0].name = "CALL";
  layout.fields[15].name = "RMK3";
  layout.recordLength = 130;
  Write(NumberedRecords(1), layout);
  EXPECT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  EXPECT_EQ(ui_.Messages(),
            (std::vector<std::string>{"名称違いCALLS", "名称違いRMK2", "長さ感知エラー 127 130"}));
}

TEST_F(LogDatabaseTest, TheCountComesFromThreeHeaderBytes) {
  struct Case {
    std::uint32_t count;
    std::uint8_t byte7;
    std::int32_t want;
  };
  const Case cases[] = {
      {5, 0xFF, 5},
      {0xABCDEF, 0x01, 0xABCDEF},
      {0xFFFFFF, 0x80, 16777215},
      {0x1000001, 0, 1},  // taken modulo 2^24
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    LogLayout layout;
    layout.recordCount = c.count;
    layout.headerByte7 = c.byte7;
    Write(NumberedRecords(1), layout);
    ASSERT_TRUE(db_.OpenLogDatabase(db_.DbPath));
    EXPECT_EQ(db_.RecordCount(), c.want);
    db_.CloseLogDatabase();
  }
  EXPECT_TRUE(ui_.events.empty());
}

TEST_F(LogDatabaseTest, ASecondOpenReadsNothingAgain) {
  Write(NumberedRecords(3));
  ASSERT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  LogLayout changed;
  changed.fields[0].name = "calls";
  changed.recordCount = 9;
  ASSERT_TRUE(WriteLogDatabase(folder_ / "other.TDB", NumberedRecords(1), changed));
  WriteBytes(path_, test_support::ReadBytes(folder_ / "other.TDB"));
  db_.DbPath = (folder_ / "other").string();

  EXPECT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  EXPECT_TRUE(ui_.events.empty());
  EXPECT_EQ(db_.RecordCount(), 3);

  // After closing, opening reads the (new) file again.
  db_.CloseLogDatabase();
  EXPECT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  EXPECT_EQ(db_.RecordCount(), 9);
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"名称違いCALLS"});
}

TEST_F(LogDatabaseTest, TheLogNameGetsTdbUnlessItEndsInIt) {
  struct Case {
    const char* dbPath;
    const char* formed;
  };
  const Case cases[] = {
      {"/log/Tevrak", "/log/Tevrak.tdb"},
      {"/log/Tevrak.tdb", "/log/Tevrak.tdb"},
      {"/log/Tevrak.TDB", "/log/Tevrak.TDB"},
      {"/log/Tevrak.Tdb", "/log/Tevrak.Tdb"},
      {"/log/x.txt", "/log/x.txt.tdb"},
      {"/log/x.TDBX", "/log/x.TDBX.tdb"},
      {"TDB", "TDB.tdb"},
      {".tdb", ".tdb"},
      {"", ".tdb"},
      {"/log/\xEF\xBE\x83.tdb", "/log/\xEF\xBE\x83.tdb"},      // ﾃ.tdb
      {"/log/x\xEF\xBC\x8ETDB", "/log/x\xEF\xBC\x8ETDB.tdb"},  // a full-width dot is no dot
  };
  for (const Case& c : cases) {
    db_.DbPath = c.dbPath;
    EXPECT_EQ(db_.FormedPath(), platform::PathFromUtf8(c.formed)) << c.dbPath;
  }
}

TEST_F(LogDatabaseTest, TheFormedNameMatchesRegardlessOfLetterCase) {
  Write(NumberedRecords(2));
  for (const char* name : {"Tevrak", "tevrak", "TEVRAK.tdb", "Tevrak.Tdb"}) {
    SCOPED_TRACE(name);
    LogDatabase db(ui_, errors_);
    CurrentQso current;
    db.DbPath = (folder_ / name).string();
    EXPECT_TRUE(db.OpenLogDatabase(db.DbPath));
    current.Pointer = 2;
    EXPECT_TRUE(db.ReadQso(current));
    EXPECT_EQ(current.Qso.Calls, "QQ2");
  }
  EXPECT_TRUE(ui_.events.empty());
}

TEST_F(LogDatabaseTest, AMissingLogFailsSilently) {
  Write(NumberedRecords(2));
  std::filesystem::create_directory(folder_ / "folder.tdb");
  for (const char* name : {"Tevrak.txt", "missing", "folder", "Tevrak.TDB.tdb"}) {
    SCOPED_TRACE(name);
    LogDatabase db(ui_, errors_);
    CurrentQso current;
    db.DbPath = (folder_ / name).string();
    EXPECT_FALSE(db.OpenLogDatabase(db.DbPath));
    EXPECT_EQ(db.LastOpenFailure(), OpenFailure::kMissing);
    EXPECT_FALSE(db.IsOpen());
    current.Pointer = 1;
    EXPECT_FALSE(db.ReadQso(current));
  }
  EXPECT_TRUE(ui_.events.empty());
}

TEST_F(LogDatabaseTest, BrokenFilesFailToOpenWithAMessage) {
  const std::string good = LogDatabaseBytes(NumberedRecords(2));
  auto withLengths = [&good](unsigned header, unsigned record) {
    std::string bytes = good;
    bytes[8] = static_cast<char>(header & 0xFF);
    bytes[9] = static_cast<char>(header >> 8);
    bytes[10] = static_cast<char>(record & 0xFF);
    bytes[11] = static_cast<char>(record >> 8);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"a header only", good.substr(0, 32)},
      {"543 bytes", good.substr(0, 543)},
      {"header length 32768", withLengths(32768, 128)},
      {"record length 32768", withLengths(545, 32768)},
      {"both 65535", withLengths(65535, 65535)},
      // Every record would lie at the same place: the same QSO sixteen million times over.
      {"record length 0", withLengths(545, 0)},
  };
  const std::string message =
      "Tevrak.TDB の形式が正しくありません\n" + std::filesystem::absolute(path_).string();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui_.events.clear();
    // A log read before keeps none of its values once a broken one is opened.
    Write(NumberedRecords(2));
    ASSERT_TRUE(ReadAt(1));
    db_.CloseLogDatabase();
    WriteRaw(c.bytes);

    EXPECT_FALSE(db_.OpenLogDatabase(db_.DbPath));
    EXPECT_EQ(db_.LastOpenFailure(), OpenFailure::kMalformed);
    EXPECT_FALSE(db_.IsOpen());
    EXPECT_EQ(ui_.Messages(), std::vector<std::string>{message});
    EXPECT_EQ(db_.RecordCount(), 0);
    EXPECT_FALSE(ReadAt(1));
  }
}

TEST_F(LogDatabaseTest, LargestLengthsStillOpen) {
  std::string bytes = LogDatabaseBytes(NumberedRecords(1));
  bytes.resize(544);
  bytes[8] = bytes[10] = '\xFF';
  bytes[9] = bytes[11] = 0x7F;  // 32767
  WriteRaw(bytes);
  EXPECT_TRUE(db_.OpenLogDatabase(db_.DbPath));
  EXPECT_EQ(db_.HeaderLength(), 32767);
  EXPECT_EQ(db_.RecordLength(), 32767);
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"長さ感知エラー 127 32767"});
  EXPECT_FALSE(ReadAt(1)) << "the record lies past the end of the file";
}

TEST_F(LogDatabaseTest, RecordsPastTheEndOfTheFileAreNotRead) {
  constexpr std::size_t kBytesToModeEnd = 60;  // status byte to the end of MODE
  LogLayout layout;
  layout.recordCount = 6;
  std::string bytes = LogDatabaseBytes(NumberedRecords(4), layout);
  bytes.resize(545 + 3 * 128 + kBytesToModeEnd);
  WriteRaw(bytes);
  for (int i = 1; i <= 4; ++i) {
    ASSERT_TRUE(ReadAt(i));
    EXPECT_EQ(current_.Qso.Calls, "QQ" + std::to_string(i));
    EXPECT_EQ(current_.Qso.Mode, "CW");
  }
  EXPECT_FALSE(ReadAt(5));
  EXPECT_FALSE(ReadAt(6));

  // One byte short of the end of MODE: not read.
  db_.CloseLogDatabase();
  bytes.pop_back();
  WriteRaw(bytes);
  EXPECT_FALSE(ReadAt(4));
  ASSERT_TRUE(ReadAt(3));
  EXPECT_EQ(current_.Qso.Calls, "QQ3");
}

TEST_F(LogDatabaseTest, RecordsAppendedWhileOpenAreSeen) {
  const std::vector<LogRecord> records = NumberedRecords(3);
  LogLayout layout;
  layout.recordCount = 3;
  const std::string whole = LogDatabaseBytes(records, layout);
  WriteRaw(whole.substr(0, 545 + 2 * 128));
  ASSERT_TRUE(ReadAt(1));
  ASSERT_TRUE(ReadAt(2));
  EXPECT_FALSE(ReadAt(3));
  WriteRaw(whole);  // the logging program adds the third record
  ASSERT_TRUE(ReadAt(3));
  EXPECT_EQ(current_.Qso.Calls, "QQ3");
}

TEST_F(LogDatabaseTest, RecordOffsetsDoNotWrapAround) {
  // Record 2^23 + 1 with a record length of 512 lies 2^32 bytes after the first one; in 32 bits
  // that would be the first record again.
  LogLayout layout;
  layout.recordLength = 512;
  layout.recordCount = (1u << 23) + 1;
  Write(NumberedRecords(1), layout);
  ASSERT_TRUE(ReadAt(1));
  EXPECT_FALSE(ReadAt((1 << 23) + 1));
  EXPECT_EQ(current_.Qso.Calls, "QQ1");
}

TEST_F(LogDatabaseTest, ReadsALogThroughFromEitherEnd) {
  // Many windows' worth of records, read forwards, backwards and in strides.
  constexpr int kCount = 3000;
  Write(NumberedRecords(kCount));
  for (int i = 1; i <= kCount; ++i) {
    ASSERT_TRUE(ReadAt(i));
    ASSERT_EQ(current_.Qso.Calls, "QQ" + std::to_string(i));
  }
  for (int i = kCount; i >= 1; i -= 7) {
    ASSERT_TRUE(ReadAt(i));
    ASSERT_EQ(current_.Qso.Calls, "QQ" + std::to_string(i));
  }
  for (int i = 1; i <= kCount; i += 500) {
    ASSERT_TRUE(ReadAt(i));
    ASSERT_EQ(current_.Qso.Calls, "QQ" + std::to_string(i));
  }
}

// The invalid-frequency reports.
class FrequencyReportTest : public LogDatabaseTest {
 protected:
  static std::string Report(int pointer, const std::string& freq = "3525") {
    return "交信番号 " + std::to_string(pointer) + " の交信周波数は 無効です\n" + freq;
  }
  static constexpr const char* kFlood = "周波数エラーが多発しています\n処理を中断しますか？";
  static constexpr const char* kKeepShowing = "今後も周波数エラーを表示しますか？";

  static std::vector<UiEvent> Reports(int from, int to) {
    std::vector<UiEvent> events;
    for (int i = from; i <= to; ++i) events.push_back({Kind::kMessage, Report(i)});
    return events;
  }
  static void Append(std::vector<UiEvent>& to, const std::vector<UiEvent>& more) {
    to.insert(to.end(), more.begin(), more.end());
  }
  static std::vector<UiEvent> Question(const char* text, bool yes) {
    return {{Kind::kQuestion, text}, {Kind::kAnswer, yes ? "Yes" : "No"}};
  }
};

TEST_F(FrequencyReportTest, TheMessageQuotesRecordAndFrequency) {
  std::vector<LogRecord> records = NumberedRecords(57);
  records[56].freq = "3525";
  records[55].freq = "";
  Write(records);
  ASSERT_TRUE(ReadAt(57));
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"交信番号 57 の交信周波数は 無効です\n3525"});
  EXPECT_EQ(current_.Qso.Band, "");
  EXPECT_EQ(current_.Qso.Freq, "3525");
  EXPECT_EQ(current_.Qso.Mode, "CW") << "the record is decoded to its end";
  ASSERT_TRUE(ReadAt(56));
  EXPECT_EQ(ui_.Messages().back(), "交信番号 56 の交信周波数は 無効です\n");
  ASSERT_TRUE(ReadAt(57));
  EXPECT_EQ(ui_.Messages().size(), 3u) << "read twice, reported twice";
  EXPECT_EQ(errors_.FreqErrorCount, 3);
}

TEST_F(FrequencyReportTest, ValidFrequenciesAreNotCounted) {
  std::vector<LogRecord> records = NumberedRecords(30);
  for (int i = 0; i < 30; i += 3) records[static_cast<std::size_t>(i)].freq = "5.3";
  Write(records);
  ui_.yesNoAnswers = {false, true};
  for (int i = 1; i <= 30; ++i) ASSERT_TRUE(ReadAt(i));
  EXPECT_EQ(ui_.Count(Kind::kMessage), 10);
  EXPECT_EQ(ui_.Count(Kind::kQuestion), 2);
  EXPECT_EQ(errors_.FreqErrorCount, 0);
}

TEST_F(FrequencyReportTest, AbortingEndsTheProgramAtOnce) {
  Write(NumberedRecords(25, "3525"));
  ui_.yesNoAnswers = {true};
  for (int i = 1; i <= 9; ++i) ASSERT_TRUE(ReadAt(i));
  EXPECT_FALSE(ReadAt(10));

  std::vector<UiEvent> expected = Reports(1, 10);
  Append(expected, Question(kFlood, true));
  expected.push_back({Kind::kEndProgram, ""});
  EXPECT_EQ(ui_.Dialogue(), expected);
  EXPECT_TRUE(db_.ProgramEnded());
  EXPECT_FALSE(db_.IsOpen());

  // Nothing more happens: no reading, no reopening, no messages.
  EXPECT_FALSE(ReadAt(11));
  EXPECT_FALSE(db_.IsOpen());
  EXPECT_EQ(ui_.Dialogue(), expected);
}

TEST_F(FrequencyReportTest, NoThenYesAsksAgainAfterTwenty) {
  Write(NumberedRecords(25, "3525"));
  ui_.yesNoAnswers = {false, true, false, true};
  for (int i = 1; i <= 25; ++i) ASSERT_TRUE(ReadAt(i)) << i;

  std::vector<UiEvent> expected = Reports(1, 10);
  Append(expected, Question(kFlood, false));
  Append(expected, Question(kKeepShowing, true));
  Append(expected, Reports(11, 20));
  Append(expected, Question(kFlood, false));
  Append(expected, Question(kKeepShowing, true));
  Append(expected, Reports(21, 25));
  EXPECT_EQ(ui_.Dialogue(), expected);
  EXPECT_EQ(errors_.FreqErrorCount, 5);
}

TEST_F(FrequencyReportTest, NoThenNoSilencesReportsForGood) {
  Write(NumberedRecords(25, "3525"));
  ui_.yesNoAnswers = {false, false};
  for (int i = 1; i <= 25; ++i) {
    ASSERT_TRUE(ReadAt(i)) << i;
    EXPECT_EQ(current_.Qso.Freq, "3525");
  }
  std::vector<UiEvent> expected = Reports(1, 10);
  Append(expected, Question(kFlood, false));
  Append(expected, Question(kKeepShowing, false));
  EXPECT_EQ(ui_.Dialogue(), expected);
  EXPECT_EQ(errors_.FreqErrorCount, FrequencyErrors::kSilent);

  // Silence outlives the log and the reader.
  LogDatabase again(ui_, errors_);
  again.DbPath = db_.DbPath;
  current_.Pointer = 1;
  EXPECT_TRUE(again.ReadQso(current_));
  EXPECT_EQ(ui_.Dialogue(), expected);
}

TEST_F(FrequencyReportTest, TheCountOutlivesClosingTheLog) {
  Write(NumberedRecords(10, "0.475"));
  ui_.yesNoAnswers = {false, true};
  for (int i = 1; i <= 6; ++i) ASSERT_TRUE(ReadAt(i));
  db_.CloseLogDatabase();
  LogDatabase second(ui_, errors_);
  second.DbPath = db_.DbPath;
  for (int i = 7; i <= 10; ++i) {
    current_.Pointer = i;
    ASSERT_TRUE(second.ReadQso(current_));
  }
  EXPECT_EQ(ui_.Questions(), (std::vector<std::string>{kFlood, kKeepShowing}));
  EXPECT_EQ(errors_.FreqErrorCount, 0);
}

}  // namespace
}  // namespace sfxtal::logdb
