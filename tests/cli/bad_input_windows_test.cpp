// Bad input that only Windows has: device names that stand in every folder, and files that
// another program holds open without sharing them (as a spreadsheet program holds the workbook it
// shows). Each ends the job with its message and status, and nothing that was whole is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "cli/terminal_ui.h"
#include "logwriter/sample_log.h"
#include "platform/path_text.h"
#include "results/suffix_row.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_folder.h"

// After the project's headers, whose names its macros would change.
#include <windows.h>

namespace sfxtal::cli {
namespace {

using platform::Utf8FromPath;
using test_support::CliRun;
using test_support::ReadBytes;
using test_support::RunCliWith;
using test_support::TempFolder;
using test_support::WriteBytes;

// The file held open as another program may hold it; closed at the end of the test.
std::shared_ptr<void> HeldOpen(const std::filesystem::path& path, DWORD access, DWORD share) {
  const HANDLE handle = CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? nullptr : std::shared_ptr<void>(handle, CloseHandle);
}

class WindowsBadInput : public ::testing::Test {
 protected:
  CliRun Import(const std::string& input = "") {
    return RunCliWith({"import", "--folder", Utf8FromPath(folder.Path()), Log()}, input);
  }
  std::string Log() const { return Utf8FromPath(folder / "Tevrak.TDB"); }
  TempFolder folder;
};

TEST_F(WindowsBadInput, ADeviceNameIsNoLog) {
  for (const char* device : {"NUL", "CON", "AUX", "COM1", "nul.TDB"}) {
    const std::string log = Utf8FromPath(folder / device);
    for (const CliRun& run :
         {RunCliWith({"dump", log}),
          RunCliWith({"import", "--folder", Utf8FromPath(folder.Path()), log})}) {
      EXPECT_EQ(run.status, kExitError) << device;
      EXPECT_EQ(run.err, "Tevrak.TDB が見つかりません\n") << device;
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(WindowsBadInput, ALogIsReadWhileTheLoggingProgramWritesItButNotWhenItLocksIt) {
  ASSERT_TRUE(logwriter::WriteSampleLog(folder / "Tevrak.TDB", 50, 1));
  {
    const auto writing =
        HeldOpen(folder / "Tevrak.TDB", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writing);
    const CliRun run = Import("n\n");
    EXPECT_EQ(run.status, kExitDone) << run.err;
  }
  const auto locked = HeldOpen(folder / "Tevrak.TDB", GENERIC_READ, 0);
  ASSERT_TRUE(locked);
  const CliRun run = Import();
  EXPECT_EQ(run.status, kExitError);
  EXPECT_EQ(run.err, "Tevrak.TDB が見つかりません\n");
}

TEST_F(WindowsBadInput, AWorkbookShownElsewhereIsKeptAndSaidSo) {
  // A whole results file (every suffix, A confirmed), which the application takes.
  std::string whole = "\"A\",\"QQ1A\",\"1998/03/21\",\"J\"\r\n";
  for (int row = 1; row < results::kSuffixCount; ++row) {
    whole.append("\"").append(results::SuffixOfRow(row)).append("\",\"\",\"\",\"\"\r\n");
  }
  WriteBytes(folder / "実績.txt", whole);
  WriteBytes(folder / "NEBU申請書.xlsx", "the one on screen");
  const auto held = HeldOpen(folder / "NEBU申請書.xlsx", GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(held);
  const CliRun run = RunCliWith({"apply", "--folder", Utf8FromPath(folder.Path())});
  EXPECT_EQ(run.status, kExitError);
  EXPECT_EQ(run.err,
            "ファイルが他のプログラムで開かれています。閉じてから、もう一度実行してください\n" +
                Utf8FromPath(folder / "NEBU申請書.xlsx") + "\n");
  EXPECT_EQ(ReadBytes(folder / "NEBU申請書.xlsx"), "the one on screen");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

}  // namespace
}  // namespace sfxtal::cli
