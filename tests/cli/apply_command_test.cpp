#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::cli {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

using test_support::CliRun;

CliRun Apply(const std::vector<std::string>& args) {
  std::vector<std::string> all = {"apply"};
  all.insert(all.end(), args.begin(), args.end());
  return test_support::RunCliWith(all);
}

TEST(ApplyCommand, MakesTheApplicationAndPrintsItsPath) {
  TempFolder folder;
  WriteBytes(folder / "実績.txt",
             test_support::CompleteResultsFile({{0, "\"A\",\"QQ1A\",\"1998/03/21\",\"J\""}}));
  const CliRun run = Apply({"--folder", folder.Path().string()});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out, (folder / "NEBU申請書.xlsx").string() + "\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadBytes(folder / "NEBU申請書.xlsx").substr(0, 2), "PK");
}

TEST(ApplyCommand, WithoutResultsFileSaysSoAndFails) {
  TempFolder folder;
  const CliRun run = Apply({"--folder", folder.Path().string(), "--open"});
  EXPECT_EQ(run.status, kExitError);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "実績ファイルが見当たりません\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "NEBU申請書.xlsx"));
}

TEST(ApplyCommand, WrongUsage) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"--folder"},
                                             {"--folder", ""},
                                             {"--open"},
                                             {"--folder", "a", "--folder", "b"},
                                             {"--folder", "a", "--open", "--open"},
                                             {"--folder", "a", "extra"}}) {
    const CliRun run = Apply(args);
    EXPECT_EQ(run.status, kExitUsage) << ::testing::PrintToString(args);
    EXPECT_EQ(run.err, "使い方 (usage): sfxtal-cli apply --folder DIR [--open]\n");
  }
}

}  // namespace
}  // namespace sfxtal::cli
