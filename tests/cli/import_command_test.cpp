#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/commands.h"
#include "logwriter/log_database_writer.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::cli {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

logwriter::LogRecord Record(const std::string& callsign, int year, int month, int day,
                            char qsl3 = ' ', const std::string& freq = "14.025") {
  logwriter::LogRecord record;
  record.calls = callsign.substr(0, 12);
  record.ign = callsign.size() > 12 ? callsign.substr(12) : "";
  record.SetDate(year, month, day);
  record.qsl = std::string("  ") + qsl3;
  record.freq = freq;
  record.mode = "SSB";
  return record;
}

std::string Line(const std::string& base, const std::string& suffix, const std::string& date,
                 const std::string& mark) {
  return "\"" + base + "\",\"" + suffix + "\",\"" + date + "\",\"" + mark + "\"\r\n";
}

const std::string kNotYet = "\x96\xa2";
const std::string kNoEarlierResults =
    "前回の 実績.txt がなかったため、新規の確認・交信は比べていません。\n";

using Result = test_support::CliRun;

class ImportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(logwriter::WriteLogDatabase(
        Log(), {Record("QQ1AAA", 1997, 7, 14), Record("QQ1BBB", 1997, 7, 15, 'N'),
                Record("QQ1ABC/QQ2XYZ", 1998, 3, 21), Record("QQ1CCC", 1998, 3, 22, 'Y'),
                Record("QQ3ABC/QQ4XYZ", 1998, 3, 23)}));
  }

  std::filesystem::path Log() const { return folder / "Tevrak.TDB"; }

  Result Run(const std::vector<std::string>& args, const std::string& input = "") {
    return test_support::RunCliWith(args, input);
  }

  std::string WorkFile() const { return ReadBytes(folder / "sfxtal.tmp"); }

  TempFolder folder;
};

TEST_F(ImportCommand, DefaultsAreTheMainWindows) {
  const Result result = Run({"import", "--folder", folder.Path().string(), Log().string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "2 lines written\n" + kNoEarlierResults);
  EXPECT_EQ(result.err, "");
  // From 1997-07-15, "バイパス", no marks.
  EXPECT_EQ(WorkFile(),
            Line("QQ1BBB", "BBB", "1997/07/15", "N") + Line("QQ1CCC", "CCC", "1998/03/22", "Y"));
}

TEST_F(ImportCommand, HandsTheWorkFileOverToTheTally) {
  const Result result = Run({"import", "--folder", folder.Path().string(), Log().string()});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string results = ReadBytes(folder / "実績.txt");
  // 18,278 lines in suffix order, the worked suffixes with their QSO.
  EXPECT_EQ(std::count(results.begin(), results.end(), '\n'), 18278);
  EXPECT_NE(results.find("\r\n\"BBB\",\"QQ1BBB\",\"1997/07/15\",\"N\"\r\n"), std::string::npos);
  EXPECT_NE(results.find("\r\n\"CCC\",\"QQ1CCC\",\"1998/03/22\",\"Y\"\r\n"), std::string::npos);
  EXPECT_TRUE(results.starts_with("\"A\",\"\",\"\",\"\"\r\n"));
  EXPECT_TRUE(std::filesystem::exists(folder / "sfxtal.xlsx"));
}

TEST_F(ImportCommand, ANewImportCountsWhatItChangedInTheResults) {
  ASSERT_EQ(Run({"import", "--folder", folder.Path().string(), Log().string()}).status, 0);
  // A day earlier: QQ1AAA, not yet confirmed, is new; BBB and CCC stand as they stood.
  const Result result =
      Run({"import", "--folder", folder.Path().string(), "--from", "1997-07-14", Log().string()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "3 lines written\n新規確認 0、新規交信 1\n");
}

TEST_F(ImportCommand, ATallyThatCannotBeWrittenIsAnError) {
  // A folder where the results file should go: the tally cannot replace it.
  std::filesystem::create_directory(folder / "実績.txt");
  const Result result = Run({"import", "--folder", folder.Path().string(), Log().string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "2 lines written\n");
  EXPECT_EQ(result.err, "ファイルに書き込めません\n" + (folder / "実績.txt").string() + "\n");
  EXPECT_EQ(WorkFile(),
            Line("QQ1BBB", "BBB", "1997/07/15", "N") + Line("QQ1CCC", "CCC", "1998/03/22", "Y"));
}

struct OptionCase {
  const char* name;
  std::vector<std::string> options;
  std::string workFile;
};

class ImportCommandOptions : public ImportCommand,
                             public ::testing::WithParamInterface<OptionCase> {};

TEST_P(ImportCommandOptions, BecomeTheRequest) {
  const OptionCase& c = GetParam();
  std::vector<std::string> args{"import", "--folder", folder.Path().string()};
  args.insert(args.end(), c.options.begin(), c.options.end());
  args.push_back(Log().string());
  const Result result = Run(args);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(WorkFile(), c.workFile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportCommandOptions,
    ::testing::Values(
        OptionCase{"From",
                   {"--from", "1997-07-14"},
                   Line("QQ1AAA", "AAA", "1997/07/14", kNotYet) +
                       Line("QQ1BBB", "BBB", "1997/07/15", "N") +
                       Line("QQ1CCC", "CCC", "1998/03/22", "Y")},
        OptionCase{"To", {"--to", "1998-03-21"}, Line("QQ1BBB", "BBB", "1997/07/15", "N")},
        OptionCase{"BoxTextsAsTyped",
                   {"--from", "1998-3-22"},  // "1998-3-22" sorts after every 1998-03 date
                   ""},
        OptionCase{"Marks",
                   {"--marks", "NX"},
                   Line("QQ1BBB", "BBB", "1997/07/15", kNotYet) +
                       Line("QQ1CCC", "CCC", "1998/03/22", "Y")}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST_F(ImportCommand, OptionsMayFollowTheLog) {
  const Result result =
      Run({"import", Log().string(), "--marks", "N", "--folder", folder.Path().string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(WorkFile(), Line("QQ1BBB", "BBB", "1997/07/15", kNotYet) +
                            Line("QQ1CCC", "CCC", "1998/03/22", "Y"));
}

TEST_F(ImportCommand, AskAnswersFromTheInputStream) {
  WriteBytes(folder / "履歴.txt", "QQ3ABC/QQ4XYZ,XYZ\r\n");
  const Result result =
      Run({"import", "--folder", folder.Path().string(), "--ask", Log().string()}, "ab\nabc\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "4 lines written\n" + kNoEarlierResults);
  EXPECT_EQ(result.err,
            "サフィックスの設定\t3\t1998/03/21\t00:00J\tSSB\t14.025\tQQ1ABC/QQ2XYZ\n"
            "指定されたサフィックスがおかしい\n"
            "サフィックスの設定\t3\t1998/03/21\t00:00J\tSSB\t14.025\tQQ1ABC/QQ2XYZ\n");
  EXPECT_EQ(WorkFile(), Line("QQ1BBB", "BBB", "1997/07/15", "N") +
                            Line("QQ1ABC/QQ2XY", "ABC", "1998/03/21", kNotYet) +
                            Line("QQ1CCC", "CCC", "1998/03/22", "Y") +
                            Line("QQ3ABC/QQ4XYZ", "XYZ", "1998/03/23", kNotYet));
  EXPECT_EQ(ReadBytes(folder / "履歴.txt"), "QQ3ABC/QQ4XYZ,XYZ\r\nQQ1ABC/QQ2XYZ,ABC\r\n");
}

TEST_F(ImportCommand, EndOfInputSkipsTheDialog) {
  const Result result =
      Run({"import", "--folder", folder.Path().string(), "--ask", Log().string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "2 lines written\n" + kNoEarlierResults);
  EXPECT_FALSE(std::filesystem::exists(folder / "履歴.txt"));
}

TEST_F(ImportCommand, WrongUsage) {
  const std::string dir = folder.Path().string();
  const std::string log = Log().string();
  const std::vector<std::vector<std::string>> cases = {
      {"import"},
      {"import", log},
      {"import", "--folder", dir},
      {"import", "--folder"},
      {"import", "--folder", "", log},
      {"import", "--folder", dir, log, log},
      {"import", "--folder", dir, "--from", "1998-03", log},
      {"import", "--folder", dir, "--to", "1998-03-21-1", log},
      {"import", "--folder", dir, "--to", "19980321", log},
      {"import", "--folder", dir, "--opne", log},
      {"import", "--folder", dir, log, "--marks"},
  };
  for (const auto& args : cases) {
    const Result result = Run(args);
    EXPECT_EQ(result.status, 2) << args.size();
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("使い方 (usage): sfxtal-cli import --folder DIR"))
        << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "sfxtal.tmp"));
}

TEST_F(ImportCommand, MessagesNameFilesByTheirFullPath) {
  // A relative --folder that does not exist: the work file cannot be created there.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  const Result result = Run({"import", "--folder", "nonexist", Log().string()});
  std::filesystem::current_path(before);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "ファイルに書き込めません\n" + (folder / "nonexist" / "sfxtal.tmp").string() + "\n");
}

TEST_F(ImportCommand, MissingLogIsAnError) {
  const Result result =
      Run({"import", "--folder", folder.Path().string(), (folder / "none.TDB").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Tevrak.TDB が見つかりません\n");
}

TEST_F(ImportCommand, MalformedLogIsAnError) {
  WriteBytes(Log(), "short");
  const Result result = Run({"import", "--folder", folder.Path().string(), Log().string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Tevrak.TDB の形式が正しくありません\n" + Log().string() + "\n");
}

TEST_F(ImportCommand, AbortAtTheFrequencyQuestionExitsWithThree) {
  std::vector<logwriter::LogRecord> records;
  for (int day = 1; day <= 10; ++day)
    records.push_back(Record("QQ1ABC", 1998, 3, day, ' ', "3525"));
  ASSERT_TRUE(logwriter::WriteLogDatabase(Log(), records));
  const Result result = Run({"import", "--folder", folder.Path().string(), Log().string()}, "y\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(result.err.ends_with("処理を中断しますか？\n（はい: y または空行、いいえ: n）\n"))
      << result.err;
  // The seek's probe of record 1 is the first report, so the tenth comes while record 9 is read.
  EXPECT_EQ(WorkFile().size(), 8 * Line("QQ1ABC", "ABC", "1998/03/01", kNotYet).size());
}

}  // namespace
}  // namespace sfxtal::cli
