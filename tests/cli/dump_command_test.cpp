#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "logdb/band.h"
#include "logdb/log_database.h"
#include "logwriter/log_database_writer.h"
#include "logwriter/sample_log.h"
#include "platform/ascii_text.h"
#include "platform/text_codec.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::cli {
namespace {

using test_support::TempFolder;

using test_support::CliRun;

CliRun Dump(const std::string& log, const std::string& answers = "") {
  return test_support::RunCliWith({"dump", log}, answers);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Trimmed(const std::string& bytes) {
  return platform::BytesAsCharacters(platform::TrimBlanks(bytes));
}

// What a listing line says for a record as it was written: the fields worked out from the
// writer's side, with the log's own widths (IGN 6, FREQ 8, MODE 5).
std::string ExpectedLine(int pointer, const logwriter::LogRecord& r) {
  char date[32], time[16];
  std::snprintf(date, sizeof date, "%02d%02d-%02d-%02d", r.date[0], r.date[1], r.date[2],
                r.date[3]);
  std::snprintf(time, sizeof time, "%02d:%02d%c", r.hour, r.minute & 0x7F,
                (r.minute & 0x80) != 0 ? 'U' : 'J');
  std::string ign = r.ign;
  ign.resize(6, ' ');
  const std::string freq = Trimmed(r.freq);
  return std::to_string(pointer) + "\t" + Trimmed(r.calls) + "\t" +
         platform::BytesAsCharacters(ign) + "\t" + date + "\t" + time + "\t" +
         Trimmed(r.qsl.substr(2, 1)) + "\t" + freq + "\t" + Trimmed(r.mode) + "\t" +
         std::string(logdb::ClassifyBand(freq));
}

TEST(DumpCommand, ListsAGeneratedLogExactly) {
  TempFolder folder;
  constexpr std::uint32_t kCount = 20000;
  ASSERT_TRUE(logwriter::WriteSampleLog(folder / "Tevrak.TDB", kCount, 5));

  logwriter::SampleLogGenerator generator(kCount, 5);
  logwriter::LogRecord record;
  std::vector<std::string> expected;
  std::string expectedErr;
  for (std::uint32_t i = 1; i <= kCount; ++i) {
    generator.Next(record);
    expected.push_back(ExpectedLine(static_cast<int>(i), record));
    if (logdb::ClassifyBand(Trimmed(record.freq)).empty()) {
      expectedErr += "交信番号 " + std::to_string(i) + " の交信周波数は 無効です\n" +
                     Trimmed(record.freq) + "\n";
    }
  }
  ASSERT_FALSE(expectedErr.empty()) << "the sample has invalid frequencies";

  const CliRun run = Dump((folder / "Tevrak").string());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, expectedErr);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(lines[i], expected[i]) << i + 1;
}

TEST(DumpCommand, EscapesControlCharactersInFields) {
  TempFolder folder;
  logwriter::LogRecord record;
  record.calls = "QQ\t1\\A";
  record.ign = "\r\n";
  record.qsl = "  \t";
  record.freq = "7.0";
  record.mode = "C\\W";
  record.SetDate(2001, 2, 3);
  ASSERT_TRUE(logwriter::WriteLogDatabase(folder / "Tevrak.TDB", {record}));
  const CliRun run = Dump((folder / "Tevrak.TDB").string());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "1\tQQ\\t1\\\\A\t\\r\\n    \t2001-02-03\t00:00J\t\\t\t7.0\tC\\\\W\t7\n");
  EXPECT_EQ(run.err, "");
}

TEST(DumpCommand, MessagesGoToStderrAndTheListingGoesOn) {
  TempFolder folder;
  logwriter::LogLayout layout;
  layout.fields[1].name = "ign";
  layout.fields.push_back({"EXTRA", 2});
  logwriter::LogRecord record;
  record.calls = "QX1AB";
  record.freq = "14.025";
  record.qsl = "  *";
  record.SetDate(1998, 12, 1);
  ASSERT_TRUE(logwriter::WriteLogDatabase(folder / "Tevrak.TDB", {record, record}, layout));
  const CliRun run = Dump((folder / "Tevrak.TDB").string());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "名称違いIGN\n長さ感知エラー 127 130\n");
  EXPECT_EQ(run.out,
            "1\tQX1AB\t      \t1998-12-01\t00:00J\t*\t14.025\t\t14\n"
            "2\tQX1AB\t      \t1998-12-01\t00:00J\t*\t14.025\t\t14\n");
}

TEST(DumpCommand, LogsThatCannotBeListed) {
  TempFolder folder;
  test_support::WriteBytes(folder / "short.TDB", std::string(543, ' '));
  const std::string shortLog = std::filesystem::absolute(folder / "short.TDB").string();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"dump", (folder / "missing").string()}, 1, "Tevrak.TDB が見つかりません\n"},
      {{"dump", folder.Path().string()}, 1, "Tevrak.TDB が見つかりません\n"},
      {{"dump", shortLog}, 1, "Tevrak.TDB の形式が正しくありません\n" + shortLog + "\n"},
      {{"dump"}, 2, "使い方 (usage): sfxtal-cli dump LOG\n"},
      {{"dump", ""}, 2, "使い方 (usage): sfxtal-cli dump LOG\n"},
      {{"dump", shortLog, "more"}, 2, "使い方 (usage): sfxtal-cli dump LOG\n"},
  };
  for (const Case& c : cases) {
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli(c.args, in, out, err), c.status) << c.err;
    EXPECT_EQ(err.str(), c.err);
    EXPECT_EQ(out.str(), "");
  }
}

TEST(DumpCommand, ARecordPastTheEndOfTheFileEndsTheListing) {
  TempFolder folder;
  logwriter::LogRecord record;
  record.calls = "QZ1A";
  record.freq = "50.1";
  logwriter::LogLayout layout;
  layout.recordCount = 5;
  std::string bytes = logwriter::LogDatabaseBytes({record, record, record}, layout);
  bytes.resize(bytes.size() - 100);  // the third record is cut inside its fields
  test_support::WriteBytes(folder / "Tevrak.TDB", bytes);
  const CliRun run = Dump((folder / "Tevrak.TDB").string());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Lines(run.out).size(), 2u);
  EXPECT_EQ(run.err, "");
}

// A log whose every frequency is invalid, for the questions at ten reports.
std::string InvalidFrequencyLog(const TempFolder& folder, int count) {
  std::vector<logwriter::LogRecord> records(static_cast<std::size_t>(count));
  for (auto& record : records) {
    record.calls = "QQ1ABC";
    record.freq = "3525";
  }
  EXPECT_TRUE(logwriter::WriteLogDatabase(folder / "Tevrak.TDB", records));
  return (folder / "Tevrak.TDB").string();
}

std::string Reports(int from, int to) {
  std::string text;
  for (int i = from; i <= to; ++i) {
    text += "交信番号 " + std::to_string(i) + " の交信周波数は 無効です\n3525\n";
  }
  return text;
}

const std::string kHint = "（はい: y または空行、いいえ: n）\n";
const std::string kFlood = "周波数エラーが多発しています\n処理を中断しますか？\n" + kHint;
const std::string kKeepShowing = "今後も周波数エラーを表示しますか？\n" + kHint;

TEST(DumpCommand, TheFrequencyQuestionsAreAnsweredFromStdin) {
  TempFolder folder;
  const std::string log = InvalidFrequencyLog(folder, 22);
  struct Case {
    const char* answers;
    int status;
    std::size_t lines;
    std::string err;
  };
  const Case cases[] = {
      {"y\n", 3, 9, Reports(1, 10) + kFlood},
      {"Yes\n", 3, 9, Reports(1, 10) + kFlood},
      {"\r\n", 3, 9, Reports(1, 10) + kFlood},  // an empty line is the default button, はい
      {"n\ny\n", 0, 22,
       Reports(1, 10) + kFlood + kKeepShowing + Reports(11, 20) + kFlood + kKeepShowing},
      {"n\nY\nn\nn\n", 0, 22,
       Reports(1, 10) + kFlood + kKeepShowing + Reports(11, 20) + kFlood + kKeepShowing},
      {"n\nn\n", 0, 22, Reports(1, 10) + kFlood + kKeepShowing},
      {"", 0, 22, Reports(1, 10) + kFlood + kKeepShowing},  // end of input is No
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    const CliRun run = Dump(log, c.answers);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), c.lines);
    EXPECT_EQ(lines.back(),
              std::to_string(c.lines) + "\tQQ1ABC\t      \t0000-00-00\t00:00J\t\t3525\t\t");
  }
}

}  // namespace
}  // namespace sfxtal::cli
