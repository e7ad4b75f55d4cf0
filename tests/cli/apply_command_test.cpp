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

TEST(ApplyCommand, StoresTheApplicantGivenBeforeMakingTheApplication) {
  TempFolder folder;
  WriteBytes(folder / "SFXTAL.INI", "[SFXTAL]\r\nTevrak=a.TDB\r\n");
  // Stored even when the application then cannot be made: the next one is made out to them.
  const CliRun run = Apply({"--name", "山田太郎", "--folder", folder.Path().string(), "--call",
                            "JA1ABC", "--address", "東京都千代田区"});
  EXPECT_EQ(run.status, kExitError);
  EXPECT_EQ(run.err, "実績ファイルが見当たりません\n");
  EXPECT_EQ(ReadBytes(folder / "SFXTAL.INI"),
            "[SFXTAL]\r\nTevrak=a.TDB\r\n[\x90\x5c\x90\xbf\x8e\xd2]\r\n"
            "\x83\x52\x81\x5b\x83\x8b\x83\x54\x83\x43\x83\x93=JA1ABC\r\n"
            "\x8e\x81\x96\xbc=\x8e\x52\x93\x63\x91\xbe\x98\x59\r\n"
            "\x8f\x5a\x8f\x8a=\x93\x8c\x8b\x9e\x93\x73\x90\xe7\x91\xe3\x93\x63\x8b\xe6\r\n");
}

TEST(ApplyCommand, RefusesTextShiftJisCannotHoldAndWritesNothing) {
  TempFolder folder;
  WriteBytes(folder / "実績.txt",
             test_support::CompleteResultsFile({{0, "\"A\",\"QQ1A\",\"1998/03/21\",\"J\""}}));
  const std::string settings = "[申請者]\r\n氏名=old\r\n";
  for (const bool withSettings : {false, true}) {
    if (withSettings) WriteBytes(folder / "SFXTAL.INI", settings);
    const CliRun run =
        Apply({"--folder", folder.Path().string(), "--call", "JA1ABC", "--address", "東京都😀"});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "--address の「😀」(U+1F600) は SFXTAL.INI に保存できない文字です（Shift-JIS "
              "で書ける文字だけが使えます）。申請者は保存しませんでした\n");
    EXPECT_EQ(std::filesystem::exists(folder / "SFXTAL.INI"), withSettings);
    if (withSettings) {
      EXPECT_EQ(ReadBytes(folder / "SFXTAL.INI"), settings);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "NEBU申請書.xlsx"));
  }
}

TEST(ApplyCommand, WrongUsage) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"--folder"},
                                             {"--folder", ""},
                                             {"--open"},
                                             {"--folder", "a", "--folder", "b"},
                                             {"--folder", "a", "--open", "--open"},
                                             {"--folder", "a", "extra"},
                                             {"--folder", "a", "--call"},
                                             {"--folder", "a", "--name", "x", "--name", "y"},
                                             {"--call", "JA1ABC"}}) {
    const CliRun run = Apply(args);
    EXPECT_EQ(run.status, kExitUsage) << ::testing::PrintToString(args);
    EXPECT_EQ(run.err,
              "使い方 (usage): sfxtal-cli apply --folder DIR [--open] [--call TEXT] [--name TEXT] "
              "[--address TEXT]\n");
  }
}

}  // namespace
}  // namespace sfxtal::cli
