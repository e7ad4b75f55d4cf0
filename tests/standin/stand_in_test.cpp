#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "app/spreadsheet_hand_over.h"
#include "platform/open_elsewhere.h"
#include "standin/stand_in_spreadsheet.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::standin {
namespace {

using app::ExcelX;
using app::HandOverResult;
using platform::Utf8FromPath;
using test_support::ReadBytes;
using test_support::ReadOnlyFolder;
using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::TinyDisk;
using test_support::UiEvent;
using test_support::WriteBytes;
using Kind = UiEvent::Kind;

const char* const kWorkLines =
    "\"QQ1A\",\"A\",\"1998/03/21\",\"\x96\xa2\"\r\n"
    "\"QQ1ABC\",\"ABC\",\"1998/03/22\",\"J\"\r\n";

// Files in a folder other than those named, so a test sees temporary files left behind.
std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The hand-overs as the entry points make them: through the built-in stand-in.
app::HandOverResult StandInExcelX(RecordingUi& ui, const std::filesystem::path& folder,
                                  std::string_view mode) {
  standin::StandInFactory spreadsheet(ui);
  return app::ExcelX(ui, folder, mode, spreadsheet);
}

app::HandOverResult StandInNebuExcel(RecordingUi& ui, const std::filesystem::path& folder) {
  standin::StandInFactory spreadsheet(ui);
  return app::NebuExcel(ui, folder, spreadsheet);
}

RecordingUi QuietUi() {
  RecordingUi ui;
  ui.recordYields = false;
  return ui;
}

TEST(StandIn, TallyWritesBothFilesAndOpensTheWorkbook) {
  TempFolder folder;
  WriteBytes(folder / "sfxtal.tmp", kWorkLines);
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInExcelX(ui, folder.Path(), "FREAD"), HandOverResult::kDone);

  const std::string results = ReadBytes(folder / "実績.txt");
  const std::string first = "\"A\",\"QQ1A\",\"1998/03/21\",\"\x96\xa2\"\r\n\"B\",";
  EXPECT_EQ(results.substr(0, first.size()), first);
  EXPECT_NE(results.find("\r\n\"ABC\",\"QQ1ABC\",\"1998/03/22\",\"J\"\r\n"), std::string::npos);
  EXPECT_EQ(ReadBytes(folder / "sfxtal.xlsx").substr(0, 2), "PK");
  EXPECT_EQ(ui.Dialogue(),
            (std::vector<UiEvent>{{Kind::kBusyPointer, ""},
                                  {Kind::kNormalPointer, ""},
                                  {Kind::kOpenFile, Utf8FromPath(folder / "sfxtal.xlsx")}}));
  EXPECT_EQ(FileNames(folder.Path()),
            (std::vector<std::string>{"sfxtal.tmp", "sfxtal.xlsx", "実績.txt"}));
}

TEST(StandIn, ViewOpensTheExistingWorkbookAndTalliesNothing) {
  TempFolder folder;
  WriteBytes(folder / "sfxtal.tmp", kWorkLines);
  WriteBytes(folder / "sfxtal.xlsx", "old book");
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInExcelX(ui, folder.Path(), "fread"), HandOverResult::kDone);
  EXPECT_EQ(ui.Texts(Kind::kOpenFile),
            std::vector<std::string>{Utf8FromPath(folder / "sfxtal.xlsx")});
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(ReadBytes(folder / "sfxtal.xlsx"), "old book");
  EXPECT_FALSE(std::filesystem::exists(folder / "実績.txt"));
}

TEST(StandIn, ViewWithoutWorkbookSaysSoAfterThePointerIsBack) {
  TempFolder folder;
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInExcelX(ui, folder.Path(), "NONFREAD"), HandOverResult::kDone);
  EXPECT_EQ(ui.Dialogue(),
            (std::vector<UiEvent>{
                {Kind::kBusyPointer, ""},
                {Kind::kNormalPointer, ""},
                {Kind::kMessage, "集計ブックがありません。先に Tevrak ﾃﾞｰﾀを読み込んでください\n" +
                                     (folder / "sfxtal.xlsx").string()}}));
}

TEST(StandIn, ShowsNothingWhenNotMadeVisible) {
  TempFolder folder;
  WriteBytes(folder / "sfxtal.tmp", kWorkLines);
  RecordingUi ui = QuietUi();
  StandInSpreadsheet application(ui, app::SpreadsheetJob::kTally);
  ASSERT_TRUE(application.OpenWorkbook(folder / "sfxtal.xls"));
  ASSERT_TRUE(application.RunMacro("F_Read"));
  application.Release();
  EXPECT_TRUE(ui.events.empty());
  EXPECT_TRUE(std::filesystem::exists(folder / "実績.txt"));
}

TEST(StandIn, MissingWorkFileKeepsTheOldResults) {
  TempFolder folder;
  WriteBytes(folder / "実績.txt", "old results");
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInExcelX(ui, folder.Path(), "FREAD"), HandOverResult::kMacroFailed);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ファイルを読み込めません\n" +
                                                    (folder / "sfxtal.tmp").string()});
  EXPECT_EQ(ReadBytes(folder / "実績.txt"), "old results");
  EXPECT_EQ(ui.Count(Kind::kOpenFile), 0);
}

// A lock file made on this machine by a LibreOffice that no longer runs.
std::string StaleLockText() {
  char host[256] = {};
#ifndef _WIN32
  gethostname(host, sizeof host - 1);
#endif
  return std::string(",op,") + host + ",01.01.2024 10:00,file:///home/op/.config/libreoffice/4;";
}

// Either file open in a spreadsheet program keeps both: the message names the one that is open,
// or, for a lock left behind, the lock file to delete. A kill in the middle of an earlier tally
// is mended on the way.
TEST(StandIn, TallyReplacesNeitherFileWhileOneIsOpen) {
  if (platform::LockOwnerMayRun(StaleLockText())) GTEST_SKIP() << "LibreOffice runs here";
  const struct {
    const char* locked;
    std::string lockText;
    std::string message;
  } cases[] = {
      {"実績.txt", ",op,elsewhere,01.01.2024 10:00,;",
       "ファイルが他のプログラムで開かれています。閉じてから、もう一度実行してください\n実績.txt"},
      {"sfxtal.xlsx", StaleLockText(),
       "ロックファイルが残っています。LibreOffice が動いていなければ、このロックファイルを削除し"
       "てから、もう一度実行してください\n.~lock.sfxtal.xlsx#"},
  };
  for (const auto& each : cases) {
    TempFolder folder;
    WriteBytes(folder / "sfxtal.tmp", kWorkLines);
    WriteBytes(folder / "実績.txt", "old results");
    WriteBytes(folder / "sfxtal.xlsx", "old book");
    WriteBytes(folder / ".実績.txt.AbCdEf.old", "left by a kill");
    WriteBytes(folder / (std::string(".~lock.") + each.locked + "#"), each.lockText);
    RecordingUi ui = QuietUi();
    EXPECT_EQ(StandInExcelX(ui, folder.Path(), "FREAD"), HandOverResult::kMacroFailed);
    const std::size_t lineFeed = each.message.find('\n');
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{each.message.substr(0, lineFeed + 1) +
                                       (folder / each.message.substr(lineFeed + 1)).string()});
    EXPECT_EQ(ReadBytes(folder / "実績.txt"), "old results");
    EXPECT_EQ(ReadBytes(folder / "sfxtal.xlsx"), "old book");
    EXPECT_FALSE(std::filesystem::exists(folder / ".実績.txt.AbCdEf.old"));
  }
}

TEST(StandIn, UnwritableFolderLeavesBothOldFilesWhole) {
  TempFolder folder;
  WriteBytes(folder / "sfxtal.tmp", kWorkLines);
  WriteBytes(folder / "実績.txt", "old results");
  WriteBytes(folder / "sfxtal.xlsx", "old book");
  ReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a read-only folder here";
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInExcelX(ui, folder.Path(), "FREAD"), HandOverResult::kMacroFailed);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ファイルに書き込めません\n" +
                                                    (folder / "実績.txt").string()});
  EXPECT_EQ(ReadBytes(folder / "実績.txt"), "old results");
  EXPECT_EQ(ReadBytes(folder / "sfxtal.xlsx"), "old book");
  EXPECT_EQ(ui.Count(Kind::kOpenFile), 0);
}

TEST(StandIn, FullDiskLeavesTheOldResultsWholeAndNoTemporaryFile) {
  TinyDisk disk(64 * 1024);
  if (!disk.Active()) GTEST_SKIP() << "cannot mount a tiny disk here";
  WriteBytes(disk / "sfxtal.tmp", kWorkLines);
  WriteBytes(disk / "実績.txt", "old results");
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInExcelX(ui, disk.Path(), "FREAD"), HandOverResult::kMacroFailed);
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"ファイルに書き込めません\n" + (disk / "実績.txt").string()});
  EXPECT_EQ(ReadBytes(disk / "実績.txt"), "old results");
  EXPECT_EQ(FileNames(disk.Path()), (std::vector<std::string>{"sfxtal.tmp", "実績.txt"}));
}

TEST(StandIn, WorkbookThatDoesNotFitLeavesBothOldFilesWhole) {
  // First measure what the two outputs take, then give the disk room for the results file only.
  TempFolder measure;
  WriteBytes(measure / "sfxtal.tmp", kWorkLines);
  RecordingUi measuring = QuietUi();
  ASSERT_TRUE(TallyWorkFileToResults(measuring, measure.Path()));
  const auto resultsSize = std::filesystem::file_size(measure / "実績.txt");
  const auto bookSize = std::filesystem::file_size(measure / "sfxtal.xlsx");
  const std::size_t room = resultsSize + 3 * 4096 + 32 * 1024;
  if (bookSize < 48 * 1024) GTEST_SKIP() << "the workbook is too small to overflow the disk";

  TinyDisk disk(room);
  if (!disk.Active()) GTEST_SKIP() << "cannot mount a tiny disk here";
  WriteBytes(disk / "sfxtal.tmp", kWorkLines);
  WriteBytes(disk / "実績.txt", "old results");
  WriteBytes(disk / "sfxtal.xlsx", "old book");
  RecordingUi ui = QuietUi();
  EXPECT_FALSE(TallyWorkFileToResults(ui, disk.Path()));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ファイルに書き込めません\n" +
                                                    (disk / "sfxtal.xlsx").string()});
  EXPECT_EQ(ReadBytes(disk / "sfxtal.xlsx"), "old book");
  EXPECT_EQ(ReadBytes(disk / "実績.txt"), "old results");
  EXPECT_EQ(FileNames(disk.Path()),
            (std::vector<std::string>{"sfxtal.tmp", "sfxtal.xlsx", "実績.txt"}));
}

TEST(StandIn, AwardApplicationFromTheResultsFile) {
  TempFolder folder;
  WriteBytes(folder / "sfxtal.tmp", kWorkLines);
  RecordingUi ui = QuietUi();
  ASSERT_EQ(StandInExcelX(ui, folder.Path(), "FREAD"), HandOverResult::kDone);
  ui.events.clear();
  EXPECT_EQ(StandInNebuExcel(ui, folder.Path()), HandOverResult::kDone);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(ui.Texts(Kind::kOpenFile),
            std::vector<std::string>{Utf8FromPath(folder / "NEBU申請書.xlsx")});
  EXPECT_EQ(ReadBytes(folder / "NEBU申請書.xlsx").substr(0, 2), "PK");
}

TEST(StandIn, AwardApplicationWithoutResultsFile) {
  TempFolder folder;
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInNebuExcel(ui, folder.Path()), HandOverResult::kMacroFailed);
  EXPECT_EQ(ui.Dialogue(), (std::vector<UiEvent>{{Kind::kBusyPointer, ""},
                                                 {Kind::kMessage, "実績ファイルが見当たりません"},
                                                 {Kind::kNormalPointer, ""}}));
  EXPECT_TRUE(FileNames(folder.Path()).empty());
}

TEST(StandIn, UnwritableAwardApplicationLeavesTheOldOneWhole) {
  TempFolder folder;
  WriteBytes(folder / "実績.txt",
             test_support::CompleteResultsFile({{0, "\"A\",\"QQ1A\",\"1998/03/21\",\"J\""}}));
  WriteBytes(folder / "NEBU申請書.xlsx", "old application");
  ReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a read-only folder here";
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInNebuExcel(ui, folder.Path()), HandOverResult::kMacroFailed);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ファイルに書き込めません\n" +
                                                    (folder / "NEBU申請書.xlsx").string()});
  EXPECT_EQ(ReadBytes(folder / "NEBU申請書.xlsx"), "old application");
  EXPECT_EQ(ui.Count(Kind::kOpenFile), 0);
}

TEST(StandIn, AwardApplicationRefusedKeepsTheOldOne) {
  TempFolder folder;
  WriteBytes(folder / "NEBU申請書.xlsx", "old application");
  WriteBytes(folder / "実績.txt", "\"B\",\"QQ1B\",\"1998/03/21\",\"J\"\r\n");
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInNebuExcel(ui, folder.Path()), HandOverResult::kMacroFailed);
  WriteBytes(folder / "実績.txt",
             test_support::CompleteResultsFile({{0, "\"A\",\"QQ1A\",\"1998/03/21\",\"J\""}}));
  WriteBytes(folder / ".~lock.NEBU申請書.xlsx#", ",op,host,01.01.2024 10:00,;");
  EXPECT_EQ(StandInNebuExcel(ui, folder.Path()), HandOverResult::kMacroFailed);
  EXPECT_EQ(ui.Messages(),
            (std::vector<std::string>{
                "実績.txt の 1 行目: サフィックスが「B」です（「A」のはずです）。"
                "申請書は作成しませんでした\n" +
                    (folder / "実績.txt").string(),
                "ファイルが他のプログラムで開かれています。閉じてから、もう一度実行してください\n" +
                    (folder / "NEBU申請書.xlsx").string()}));
  EXPECT_EQ(ReadBytes(folder / "NEBU申請書.xlsx"), "old application");
  EXPECT_EQ(ui.Count(Kind::kOpenFile), 0);
}

TEST(StandIn, AwardApplicationOnAFullDiskLeavesNoTemporaryFile) {
  const std::string results =
      test_support::CompleteResultsFile({{0, "\"A\",\"QQ1A\",\"1998/03/21\",\"J\""}});
  // The results file fills the disk but for a few pages, too few for the application.
  TinyDisk disk((results.size() + 4095) / 4096 * 4096 + 8 * 1024);
  if (!disk.Active()) GTEST_SKIP() << "cannot mount a tiny disk here";
  WriteBytes(disk / "実績.txt", results);
  WriteBytes(disk / "NEBU申請書.xlsx", "old application");
  RecordingUi ui = QuietUi();
  EXPECT_EQ(StandInNebuExcel(ui, disk.Path()), HandOverResult::kMacroFailed);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ファイルに書き込めません\n" +
                                                    (disk / "NEBU申請書.xlsx").string()});
  EXPECT_EQ(ReadBytes(disk / "NEBU申請書.xlsx"), "old application");
  EXPECT_EQ(FileNames(disk.Path()), (std::vector<std::string>{"NEBU申請書.xlsx", "実績.txt"}));
}

}  // namespace
}  // namespace sfxtal::standin
