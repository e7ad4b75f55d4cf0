// Program folders and log paths with blanks, quotes, "$" and Japanese in them, end to end: no
// name ever passes through a shell, so none is split, expanded or quoted away.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::cli {
namespace {

using test_support::CliRun;
using test_support::ReadBytes;
using test_support::RunCliWith;
using test_support::TempFolder;
using test_support::WriteBytes;

struct OddName {
  const char* name;
  const char* folder;
  const char* log;
};

void PrintTo(const OddName& c, std::ostream* os) {
  *os << c.name;
}

class OddNames : public testing::TestWithParam<OddName> {
 protected:
  TempFolder temp;
  std::filesystem::path folder = temp / GetParam().folder;
  std::filesystem::path log = folder / platform::PathFromUtf8(GetParam().log);
  void SetUp() override { std::filesystem::create_directories(folder); }
};

TEST_P(OddNames, ImportResultsAndApplyWork) {
  ASSERT_EQ(RunCliWith({"sample-log", log.string(), "300", "7"}).status, kExitDone);
  const CliRun import = RunCliWith({"import", "--folder", folder.string(), log.string()});
  EXPECT_EQ(import.status, kExitDone) << import.err;
  EXPECT_EQ(ReadBytes(folder / "sfxtal.tmp").substr(0, 1), "\"");
  EXPECT_EQ(ReadBytes(folder / "実績.txt").substr(0, 4), "\"A\",");

  const CliRun results = RunCliWith({"results", "--folder", folder.string()});
  EXPECT_EQ(results.status, kExitDone) << results.err;
  EXPECT_NE(results.out.find("/ 18,278"), std::string::npos) << results.out;

  const CliRun apply = RunCliWith({"apply", "--folder", folder.string()});
  EXPECT_EQ(apply.status, kExitDone) << apply.err;
  EXPECT_EQ(apply.out, (folder / "NEBU申請書.xlsx").string() + "\n");
  EXPECT_EQ(ReadBytes(folder / "NEBU申請書.xlsx").substr(0, 2), "PK");
}

TEST_P(OddNames, TheDesktopOpenerGetsThePathAsOneArgument) {
#ifdef _WIN32
  GTEST_SKIP() << "xdg-open is the Linux desktop's opener; Windows hands the file to ShellExecuteW";
#else
  // A stand-in for xdg-open, first on PATH, that writes down the arguments it was given.
  TempFolder bin;
  const std::filesystem::path seen = bin / "arguments";
  WriteBytes(bin / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$#\" > '" + seen.string() +
                                   "'\n"
                                   "printf '%s' \"$1\" >> '" +
                                   seen.string() + "'\n");
  std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
  const std::string path = bin.Path().string() + ":" + (getenv("PATH") ? getenv("PATH") : "");
  const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", path.c_str(), 1);

  WriteBytes(folder / "実績.txt",
             test_support::CompleteResultsFile({{0, "\"A\",\"QQ1A\",\"1998/03/21\",\"J\""}}));
  const CliRun apply = RunCliWith({"apply", "--folder", folder.string(), "--open"});
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_EQ(apply.status, kExitDone) << apply.err;
  EXPECT_EQ(ReadBytes(seen), "1\n" + (folder / "NEBU申請書.xlsx").string());
#endif
}

const OddName kOddNames[] = {
#ifdef _WIN32
    // Windows forbids double quotes and "|" in file names, and drops a blank at the end of one.
    {"Blanks", " my  program folder", "Tevrak log.TDB"},
    {"Quotes", "it's 'here'", "'quoted' 'log'.TDB"},
    {"Dollars", "$HOME $(echo x) `id` ${PATH}", "$1 log;&%PATH%.TDB"},
#else
    {"Blanks", "my  program folder ", "Tevrak log.TDB"},
    {"Quotes", "it's \"here\"", "\"quoted\" 'log'.TDB"},
    {"Dollars", "$HOME $(echo x) `id` ${PATH}", "$1 log;&|.TDB"},
#endif
    {"Japanese", "アマチュア無線 ログ", "交信記録 ﾃﾞｰﾀ.TDB"},
    {"LeadingDash", "-rf", "--help.TDB"},
};

INSTANTIATE_TEST_SUITE_P(Names, OddNames, testing::ValuesIn(kOddNames),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

}  // namespace
}  // namespace sfxtal::cli
