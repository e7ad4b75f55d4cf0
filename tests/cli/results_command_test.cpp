#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "platform/path_text.h"
#include "platform/text_codec.h"
#include "results/results_file.h"
#include "results/results_texts.h"
#include "results/suffix_row.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::cli {
namespace {

using test_support::TempFolder;
using test_support::WriteBytes;

using test_support::CliRun;

CliRun RunArgs(const std::vector<std::string>& args) {
  return test_support::RunCliWith(args);
}

void WriteResults(const TempFolder& folder, const std::string& utf8) {
  WriteBytes(folder / results::kResultsFileName, platform::EncodeCp932(utf8));
}

TEST(ResultsCommand, PrintsTheCaptionAReadGives) {
  TempFolder folder;
  std::string text;
  for (int row = 0; row < results::kSuffixCount; ++row) {
    const std::string suffix = results::SuffixOfRow(row);
    const bool worked = row < 1300;
    text += "\"" + suffix + "\",\"" + (worked ? "QQ1" + suffix : "") + "\",\"" +
            (worked ? "1998/03/21" : "") + "\",\"" + (row < 66 ? "未" : "") + "\"\r\n";
  }
  WriteResults(folder, text);
  const CliRun run = RunArgs({"results", "--folder", folder.Path().string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "交信実績  1,234 / 18,278   6.75 %\n");
  EXPECT_EQ(run.err, "");
}

TEST(ResultsCommand, ListsEachRecordBeforeTheCaption) {
  TempFolder folder;
  WriteResults(folder,
               "\"A\",\"QQ1A\",\"1998/03/21\",\"未\"\r\n\"B\",\"Q\tB\",\"a\\b\",\"J\"\r\nC,,,\r\n");
  const CliRun run = RunArgs({"results", "--list", "--folder", folder.Path().string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "A\tQQ1A\t1998/03/21\tred\n"
            "B\tQ\\tB\ta\\\\b\tblack\n"
            "C\t\t\tblack\n"
            "交信実績  1 / 18,278   0.01 %\n");
}

TEST(ResultsCommand, EmptyFileGivesAnEmptyCount) {
  TempFolder folder;
  WriteResults(folder, "");
  const CliRun run = RunArgs({"results", "--folder", folder.Path().string(), "--list"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "交信実績   / 18,278   0.00 %\n");
  EXPECT_EQ(run.err,
            "実績.txt の 1 行目: 記録が 0 件で終わっています（18,278 件のはずです）。"
            "表示した件数と達成率は正しくないおそれがあります\n" +
                (folder / "実績.txt").string() + "\n");
}

TEST(ResultsCommand, MissingFileIsAnError) {
  TempFolder folder;
  const CliRun run = RunArgs({"results", "--folder", folder.Path().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "実績ファイルが見当たりません\n");
}

TEST(ResultsCommand, WrongUsage) {
  TempFolder folder;
  const std::string dir = folder.Path().string();
  const std::vector<std::vector<std::string>> cases = {
      {"results"},
      {"results", "--folder"},
      {"results", "--list"},
      {"results", "--folder", ""},
      {"results", "--folder", dir, "--bogus"},
      {"results", "--folder", dir, "--folder", dir},
      {"results", "--folder", dir, "--list", "--list"},
      {"results", dir},
  };
  for (const auto& args : cases) {
    const CliRun run = RunArgs(args);
    EXPECT_EQ(run.status, 2) << args.size();
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("使い方 (usage):"), std::string::npos);
  }
}

TEST(Cli, HelpIsAskedForAndWrongUsageIsNot) {
  const CliRun help = RunArgs({"help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("使い方 (usage):\n  sfxtal-cli help\n")) << help.out;
  EXPECT_EQ(help.err, "");
  const CliRun none = RunArgs({});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.err, help.out);
}

}  // namespace
}  // namespace sfxtal::cli
