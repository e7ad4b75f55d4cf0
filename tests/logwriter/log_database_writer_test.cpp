#include "logwriter/log_database_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace sfxtal::logwriter {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;

unsigned Byte(const std::string& bytes, std::size_t offset) {
  return static_cast<unsigned char>(bytes.at(offset));
}

unsigned Uint16At(const std::string& bytes, std::size_t offset) {
  return Byte(bytes, offset) + 256 * Byte(bytes, offset + 1);
}

LogRecord FirstRecord() {
  LogRecord record;
  record.calls = "QQ1ABC";
  record.ign = "/P";
  record.SetDate(1998, 3, 21);
  record.hour = 9;
  record.minute = 5 | 0x80;
  record.code = "100110";
  record.gl = "PM95";
  record.qsl = "JE*";
  record.flag = "1";
  record.his = "599";
  record.my = "579";
  record.freq = "7.025";
  record.mode = "CW";
  record.name = "TARO";
  record.qth = "\xC4\xB3\xB7\xAE\xB3";  // half-width katakana bytes
  record.rmk1 = "R1";
  record.rmk2 = "R2";
  return record;
}

// The standard layout as a reader sees it, written out by hand: field name, offset in a record
// (after the status byte at 0), width.
struct FieldPlace {
  const char* name;
  std::size_t offset;
  std::size_t width;
};
const FieldPlace kStandardPlaces[] = {
    {"CALLS", 1, 12}, {"IGN", 13, 6},  {"DATE", 19, 4},  {"TIME", 23, 2},
    {"CODE", 25, 6},  {"GL", 31, 6},   {"QSL", 37, 3},   {"FLAG", 40, 1},
    {"HIS", 41, 3},   {"MY", 44, 3},   {"FREQ", 47, 8},  {"MODE", 55, 5},
    {"NAME", 60, 12}, {"QTH", 72, 16}, {"RMK1", 88, 20}, {"RMK2", 108, 20},
};
constexpr std::size_t kStandardRecordLength = 128;
constexpr std::size_t kStandardHeaderLength = 32 + 16 * 32 + 1;

TEST(LogDatabaseBytes, LaysOutHeaderFieldTableAndRecords) {
  LogRecord second;
  second.status = '*';
  second.calls = "QX2Z";
  second.SetDate(2010, 12, 1);
  second.hour = 23;
  second.minute = 59;
  second.qsl = "  ";
  second.freq = "144.20";
  second.mode = "FM";
  const std::string bytes = LogDatabaseBytes({FirstRecord(), second});

  ASSERT_EQ(bytes.size(), kStandardHeaderLength + 2 * kStandardRecordLength);
  // Header: record count in 4-6, byte 7, header length, record length.
  EXPECT_EQ(Byte(bytes, 4), 2u);
  EXPECT_EQ(Byte(bytes, 5), 0u);
  EXPECT_EQ(Byte(bytes, 6), 0u);
  EXPECT_EQ(Byte(bytes, 7), 0u);
  EXPECT_EQ(Uint16At(bytes, 8), kStandardHeaderLength);
  EXPECT_EQ(Uint16At(bytes, 10), kStandardRecordLength);

  // Field table: one 32-byte descriptor per field, name NUL-ended, width at 16, then 0x0D.
  for (std::size_t i = 0; i < std::size(kStandardPlaces); ++i) {
    SCOPED_TRACE(kStandardPlaces[i].name);
    const std::string descriptor = bytes.substr(32 + 32 * i, 32);
    const std::string name = kStandardPlaces[i].name;
    EXPECT_EQ(descriptor.substr(0, name.size()), name);
    EXPECT_EQ(descriptor[name.size()], '\0');
    EXPECT_EQ(Byte(descriptor, 16), kStandardPlaces[i].width);
  }
  EXPECT_EQ(Byte(bytes, kStandardHeaderLength - 1), 0x0Du);

  // Record 1, field by field.
  const std::string record1 = bytes.substr(kStandardHeaderLength, kStandardRecordLength);
  auto field = [&record1](std::size_t i) {
    return record1.substr(kStandardPlaces[i].offset, kStandardPlaces[i].width);
  };
  EXPECT_EQ(record1[0], ' ');
  EXPECT_EQ(field(0), "QQ1ABC      ");
  EXPECT_EQ(field(1), "/P    ");
  EXPECT_EQ(field(2), std::string("\x13\x62\x03\x15", 4));  // 19 98 3 21
  EXPECT_EQ(field(3), std::string("\x09\x85", 2));
  EXPECT_EQ(field(4), "100110");
  EXPECT_EQ(field(5), "PM95  ");
  EXPECT_EQ(field(6), "JE*");
  EXPECT_EQ(field(7), "1");
  EXPECT_EQ(field(8), "599");
  EXPECT_EQ(field(9), "579");
  EXPECT_EQ(field(10), "7.025   ");
  EXPECT_EQ(field(11), "CW   ");
  EXPECT_EQ(field(12), "TARO        ");
  EXPECT_EQ(field(13), "\xC4\xB3\xB7\xAE\xB3           ");
  EXPECT_EQ(field(14), "R1" + std::string(18, ' '));
  EXPECT_EQ(field(15), "R2" + std::string(18, ' '));

  // Record 2 starts one record length later, with its own status byte.
  const std::string record2 =
      bytes.substr(kStandardHeaderLength + kStandardRecordLength, kStandardRecordLength);
  EXPECT_EQ(record2[0], '*');
  EXPECT_EQ(record2.substr(1, 12), "QX2Z        ");
  EXPECT_EQ(record2.substr(19, 4), std::string("\x14\x0A\x0C\x01", 4));
  EXPECT_EQ(record2.substr(23, 2), std::string("\x17\x3B", 2));
  EXPECT_EQ(record2.substr(37, 3), "   ");
  EXPECT_EQ(record2.substr(47, 8), "144.20  ");
}

TEST(LogDatabaseBytes, OddLayoutsForTests) {
  struct Case {
    const char* what;
    LogLayout layout;
    std::size_t count, byte7, headerLength, recordLength;
  };
  LogLayout countOverride;
  countOverride.recordCount = 0x1234567;  // taken modulo 2^24
  LogLayout byte7;
  byte7.headerByte7 = 0x5A;
  LogLayout longHeader;
  longHeader.headerLength = 600;
  LogLayout longRecord;
  longRecord.recordLength = 140;
  LogLayout shortRecord;
  shortRecord.recordLength = 100;
  LogLayout extraField;
  extraField.fields.push_back({"EXTRA", 5});
  const Case cases[] = {
      {"count override", countOverride, 0x234567, 0, 545, 128},
      {"byte 7", byte7, 1, 0x5A, 545, 128},
      {"long header", longHeader, 1, 0, 600, 128},
      {"long record", longRecord, 1, 0, 545, 140},
      {"short record", shortRecord, 1, 0, 545, 100},
      {"17th field", extraField, 1, 0, 577, 133},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string bytes = LogDatabaseBytes({FirstRecord()}, c.layout);
    EXPECT_EQ(Byte(bytes, 4) + 256 * Byte(bytes, 5) + 65536 * Byte(bytes, 6), c.count);
    EXPECT_EQ(Byte(bytes, 7), c.byte7);
    EXPECT_EQ(Uint16At(bytes, 8), c.headerLength);
    EXPECT_EQ(Uint16At(bytes, 10), c.recordLength);
    // Records sit exactly where header length and record length say.
    ASSERT_EQ(bytes.size(), c.headerLength + c.recordLength);
    EXPECT_EQ(bytes.substr(c.headerLength, 7), " QQ1ABC");
    // Bytes past the standard fields (a 17th field, a longer record) are blanks.
    if (c.recordLength > 128) {
      EXPECT_EQ(bytes.substr(c.headerLength + 128), std::string(c.recordLength - 128, ' '));
    }
    // The header area past the field table's end byte is NULs.
    const std::size_t tableEnd = 32 + 32 * c.layout.fields.size();
    EXPECT_EQ(Byte(bytes, tableEnd), 0x0Du);
    EXPECT_EQ(bytes.find_first_not_of('\0', tableEnd + 1), c.headerLength);
  }
}

TEST(LogDatabaseBytes, NamesAndValuesAreCutToTheirSpace) {
  LogLayout layout;
  layout.fields[0] = {"CALLSIGNXX", 4};       // 10 bytes: no NUL after it
  layout.fields[1] = {"IGNOREDLONGNAME", 2};  // cut to 10 bytes
  const std::string bytes = LogDatabaseBytes({FirstRecord()}, layout);
  EXPECT_EQ(bytes.substr(32, 11), std::string("CALLSIGNXX\0", 11));
  EXPECT_EQ(bytes.substr(64, 11), std::string("IGNOREDLON\0", 11));
  const std::size_t record = Uint16At(bytes, 8);
  EXPECT_EQ(bytes.substr(record, 7), " QQ1A/P");
}

TEST(LogDatabaseWriter, StreamsTheSameBytesAndFixesTheCount) {
  TempFolder folder;
  const std::vector<LogRecord> records(5, FirstRecord());
  ASSERT_TRUE(WriteLogDatabase(folder / "a.TDB", records));
  EXPECT_EQ(ReadBytes(folder / "a.TDB"), LogDatabaseBytes(records));

  // Fewer records than announced: the header is corrected on Close.
  LogDatabaseWriter writer;
  ASSERT_TRUE(writer.Open(folder / "b.TDB", 9));
  for (const auto& record : records) ASSERT_TRUE(writer.Add(record));
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(folder / "b.TDB"), LogDatabaseBytes(records));

  // A count the layout fixes stays as it is.
  LogLayout layout;
  layout.recordCount = 70000;
  ASSERT_TRUE(writer.Open(folder / "c.TDB", 5, layout));
  for (const auto& record : records) ASSERT_TRUE(writer.Add(record));
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(folder / "c.TDB"), LogDatabaseBytes(records, layout));
}

TEST(LogDatabaseWriter, ReportsFilesThatCannotBeWritten) {
  TempFolder folder;
  LogDatabaseWriter writer;
  EXPECT_FALSE(writer.Open(folder / "missing" / "a.TDB", 1));
  EXPECT_FALSE(writer.Add(FirstRecord()));
  EXPECT_FALSE(writer.Close());

  test_support::TinyDisk disk(64 * 1024);
  if (!disk.Active()) GTEST_SKIP() << "no tiny disk here";
  ASSERT_TRUE(writer.Open(disk / "full.TDB", 2000));
  for (int i = 0; i < 2000; ++i) writer.Add(FirstRecord());
  EXPECT_FALSE(writer.Close());
}

TEST(LogRecord, SetDateSplitsCenturyAndYear) {
  LogRecord record;
  record.SetDate(1998, 12, 1);
  EXPECT_EQ(record.date, (std::array<std::uint8_t, 4>{19, 98, 12, 1}));
  record.SetDate(2000, 1, 31);
  EXPECT_EQ(record.date, (std::array<std::uint8_t, 4>{20, 0, 1, 31}));
}

}  // namespace
}  // namespace sfxtal::logwriter
