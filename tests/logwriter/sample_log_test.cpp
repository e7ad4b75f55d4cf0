#include "logwriter/sample_log.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "logdb/band.h"
#include "logwriter/adif_writer.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::logwriter {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

std::uint32_t CountInHeader(const std::string& bytes) {
  return static_cast<unsigned char>(bytes[4]) + 256u * static_cast<unsigned char>(bytes[5]) +
         65536u * static_cast<unsigned char>(bytes[6]);
}

TEST(WriteSampleLog, IsTheSameForTheSameSeed) {
  TempFolder folder;
  ASSERT_TRUE(WriteSampleLog(folder / "a.TDB", 3000, 7));
  ASSERT_TRUE(WriteSampleLog(folder / "b.TDB", 3000, 7));
  ASSERT_TRUE(WriteSampleLog(folder / "c.TDB", 3000, 8));
  const std::string a = ReadBytes(folder / "a.TDB");
  EXPECT_EQ(a, ReadBytes(folder / "b.TDB"));
  EXPECT_NE(a, ReadBytes(folder / "c.TDB"));

  ASSERT_EQ(a.size(), 545u + 3000u * 128u);
  EXPECT_EQ(CountInHeader(a), 3000u);
  // The file holds exactly what the generator makes.
  SampleLogGenerator generator(3000, 7);
  std::vector<LogRecord> records(3000);
  for (auto& record : records) generator.Next(record);
  EXPECT_EQ(a, LogDatabaseBytes(records));
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3);
}

TEST(WriteSampleLog, AnAdiNameGivesTheSameQsosAsAdif) {
  TempFolder folder;
  // More records than one write's worth, so that the file is written in parts.
  ASSERT_TRUE(WriteSampleLog(folder / "a.ADI", 1500, 7));
  SampleLogGenerator generator(1500, 7);
  std::vector<LogRecord> records(1500);
  for (auto& record : records) generator.Next(record);
  EXPECT_EQ(ReadBytes(folder / "a.ADI"), AdifBytes(records));
}

TEST(WriteSampleLog, AnEmptyLogIsAHeaderOnly) {
  TempFolder folder;
  ASSERT_TRUE(WriteSampleLog(folder / "empty.TDB", 0, 1));
  const std::string bytes = ReadBytes(folder / "empty.TDB");
  EXPECT_EQ(bytes.size(), 545u);
  EXPECT_EQ(CountInHeader(bytes), 0u);
}

// Every slash-separated part long enough to carry a prefix uses an invented one.
bool UsesInventedPrefixes(std::string calls) {
  std::erase(calls, ' ');
  std::size_t start = 0;
  while (start <= calls.size()) {
    std::size_t end = calls.find('/', start);
    if (end == std::string::npos) end = calls.size();
    const std::string part = calls.substr(start, end - start);
    if (part.size() >= 3 && part[0] != 'Q' && part[0] != 'q') return false;
    start = end + 1;
  }
  return true;
}

TEST(SampleLogGenerator, MakesARealisticLog) {
  constexpr std::uint32_t kCount = 50000;
  SampleLogGenerator generator(kCount, 1);
  LogRecord record;
  std::string lastDate;
  std::set<std::string> bands, modes, qslMarks, features;
  int invalid = 0;
  for (std::uint32_t i = 0; i < kCount; ++i) {
    generator.Next(record);
    SCOPED_TRACE(record.calls);
    ASSERT_TRUE(UsesInventedPrefixes(record.calls));
    ASSERT_LE(record.calls.size(), 12u);

    char date[16];
    std::snprintf(date, sizeof date, "%02d%02d-%02d-%02d", record.date[0], record.date[1],
                  record.date[2], record.date[3]);
    ASSERT_GE(std::string(date), "1998-01-01");
    ASSERT_GE(std::string(date), lastDate) << "dates ascend";
    lastDate = date;
    ASSERT_LT(record.hour, 24);
    ASSERT_LT(record.minute & 0x7F, 60);
    if (record.minute & 0x80) features.insert("UTC");

    const std::string band(logdb::ClassifyBand(record.freq));
    if (band.empty()) ++invalid;
    bands.insert(band);
    modes.insert(record.mode);
    ASSERT_EQ(record.qsl.size(), 3u);
    qslMarks.insert(record.qsl.substr(2));

    const std::string& c = record.calls;
    const auto slash = c.find('/');
    if (c.ends_with("/P")) features.insert("/P");
    if (c.size() > 2 && c[c.size() - 2] == '/' && c.back() >= '0' && c.back() <= '9') {
      features.insert("/digit");
    }
    if (slash != std::string::npos && c.find('/', slash + 1) != std::string::npos) {
      features.insert("three parts");
    } else if (slash != std::string::npos && slash == c.size() - slash - 1) {
      features.insert("equal pair");
    } else if (slash != std::string::npos && slash < 4) {
      features.insert("prefix in front");
    }
    if (c.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) {
      features.insert("lower case");
    }
    if (c.find(' ') != std::string::npos && c.front() != ' ') features.insert("blank inside");
    if (c.front() == ' ') features.insert("leading blanks");
    if (!record.ign.empty()) features.insert("IGN text");
    if (record.status != ' ') features.insert("status");
  }
  // Every band, plus the invalid frequencies, which stay rare.
  EXPECT_EQ(bands.size(), 19u);
  EXPECT_TRUE(bands.contains(""));
  EXPECT_GT(invalid, 0);
  EXPECT_LT(invalid, 50);
  EXPECT_GE(modes.size(), 6u);
  for (const char* mark : {" ", "*", "J", "\xBD"}) EXPECT_TRUE(qslMarks.contains(mark)) << mark;
  for (const char* feature :
       {"UTC", "/P", "/digit", "three parts", "equal pair", "prefix in front", "lower case",
        "blank inside", "leading blanks", "IGN text", "status"}) {
    EXPECT_TRUE(features.contains(feature)) << feature;
  }
  EXPECT_GE(lastDate, "2015-01-01") << "a lifetime of QSOs";
}

TEST(WriteSampleLog, AFailureLeavesTheOldFileWhole) {
  TempFolder folder;
  EXPECT_FALSE(WriteSampleLog(folder / "missing" / "a.TDB", 10, 1));
  EXPECT_FALSE(WriteSampleLog(folder / "a.TDB", kMaxRecordCount + 1, 1));
  EXPECT_FALSE(std::filesystem::exists(folder / "a.TDB"));

  std::filesystem::create_directory(folder / "ro");
  WriteBytes(folder / "ro" / "Tevrak.TDB", "old log");
  test_support::ReadOnlyFolder readOnly(folder / "ro");
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a read-only folder here";
  EXPECT_FALSE(WriteSampleLog(folder / "ro" / "Tevrak.TDB", 10, 1));
  EXPECT_EQ(ReadBytes(folder / "ro" / "Tevrak.TDB"), "old log");
}

TEST(WriteSampleLog, AFullDiskLeavesNoHalfLog) {
  test_support::TinyDisk disk(256 * 1024);
  if (!disk.Active()) GTEST_SKIP() << "no tiny disk here";
  EXPECT_FALSE(WriteSampleLog(disk / "Tevrak.TDB", 10000, 1));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.Path()), {}), 0);
}

using test_support::CliRun;

CliRun RunCli(const std::vector<std::string>& args) {
  return test_support::RunCliWith(args);
}

TEST(SampleLogCommand, WritesTheLogQuietly) {
  TempFolder folder;
  const std::string path = (folder / "Tevrak.TDB").string();
  const CliRun run = RunCli({"sample-log", path, "250", "9"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  ASSERT_TRUE(WriteSampleLog(folder / "expected.TDB", 250, 9));
  EXPECT_EQ(ReadBytes(path), ReadBytes(folder / "expected.TDB"));

  // Without a seed the same log every time.
  EXPECT_EQ(RunCli({"sample-log", path, "20"}).status, 0);
  ASSERT_TRUE(WriteSampleLog(folder / "expected.TDB", 20, 1));
  EXPECT_EQ(ReadBytes(path), ReadBytes(folder / "expected.TDB"));
}

TEST(SampleLogCommand, WrongUsage) {
  TempFolder folder;
  const std::string path = (folder / "x.TDB").string();
  const std::vector<std::vector<std::string>> cases = {
      {"sample-log"},
      {"sample-log", path},
      {"sample-log", path, "x"},
      {"sample-log", path, "-1"},
      {"sample-log", path, "+5"},
      {"sample-log", path, " 5"},
      {"sample-log", path, "12x"},
      {"sample-log", path, "16777216"},
      {"sample-log", path, "99999999999999999999"},
      {"sample-log", path, "5", "seed"},
      {"sample-log", path, "5", "4294967296"},
      {"sample-log", path, "5", "1", "extra"},
      {"sample-log", "", "5"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2) << args.size();
    EXPECT_TRUE(run.err.starts_with("使い方 (usage): sfxtal-cli sample-log OUT COUNT [SEED]\n"))
        << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SampleLogCommand, AFileThatCannotBeWritten) {
  TempFolder folder;
  const auto path = folder / "missing" / "Tevrak.TDB";
  const CliRun run = RunCli({"sample-log", path.string(), "5"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "ファイルに書き込めません\n" + path.string() + "\n");
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace sfxtal::logwriter
