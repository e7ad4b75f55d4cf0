#include "app/spreadsheet_hand_over.h"

#include <gtest/gtest.h>

#include "tests/support/case_name.h"
#include "tests/support/recording_spreadsheet.h"

namespace sfxtal::app {
namespace {

using app::HandOverResult;
using test_support::RecordingSpreadsheetFactory;
using test_support::RecordingUi;
using Strings = std::vector<std::string>;

const std::filesystem::path kFolder = "/opt/sfxtal";

Strings Without(Strings calls, const std::string& drop) {
  std::erase(calls, drop);
  return calls;
}

const Strings kTallyCalls = {"create", "busy",       "Visible=true", "Open /opt/sfxtal/sfxtal.xls",
                             "yield",  "run F_Read", "normal",       "release"};

struct ModeCase {
  const char* mode;
  bool runsMacro;
};

class ExcelXMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ExcelXMode, OpensTheResultsWorkbookAndRunsTheMacroOnlyForExactlyFread) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  EXPECT_EQ(ExcelX(ui, kFolder, GetParam().mode, factory), HandOverResult::kDone);
  EXPECT_EQ(factory.Timeline(),
            GetParam().runsMacro ? kTallyCalls : Without(kTallyCalls, "run F_Read"));
  EXPECT_TRUE(ui.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, ExcelXMode,
                         ::testing::Values(ModeCase{"FREAD", true}, ModeCase{"NONFREAD", false},
                                           ModeCase{"fread", false}, ModeCase{"Fread", false},
                                           ModeCase{"FREAD ", false}, ModeCase{" FREAD", false},
                                           ModeCase{"", false}, ModeCase{"F_Read", false}),
                         [](const auto& test_case) {
                           return test_support::CaseName(test_case.index, test_case.param.mode);
                         });

class WithoutApplication : public ::testing::TestWithParam<const char*> {};

TEST_P(WithoutApplication, ExcelXOnlyPutsThePointerBackAndSaysNothing) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  factory.creatable = false;
  EXPECT_EQ(ExcelX(ui, kFolder, GetParam(), factory), HandOverResult::kNotStarted);
  EXPECT_EQ(factory.Timeline(), (Strings{"create failed", "normal"}));
}

INSTANTIATE_TEST_SUITE_P(Modes, WithoutApplication, ::testing::Values("FREAD", "NONFREAD"),
                         [](const auto& test_case) {
                           return test_support::CaseName(test_case.index, test_case.param);
                         });

TEST(ExcelX, WorkbookThatDoesNotOpenRunsNoMacro) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  factory.openSucceeds = false;
  EXPECT_EQ(ExcelX(ui, kFolder, "FREAD", factory), HandOverResult::kOpenFailed);
  EXPECT_EQ(factory.Timeline(), (Strings{"create", "busy", "Visible=true",
                                         "Open /opt/sfxtal/sfxtal.xls", "normal", "release"}));
}

TEST(ExcelX, FailedMacroStillEndsInOrder) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  factory.macroSucceeds = false;
  EXPECT_EQ(ExcelX(ui, kFolder, "FREAD", factory), HandOverResult::kMacroFailed);
  EXPECT_EQ(factory.Timeline(), kTallyCalls);
}

const Strings kAwardCalls = {"create", "busy",     "Visible=true", "Open /opt/sfxtal/nebu_SET.xls",
                             "yield",  "run 変換", "normal",       "release"};

TEST(NebuExcel, OpensTheAwardWorkbookAndRunsItsMacro) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  EXPECT_EQ(app::NebuExcel(ui, kFolder, factory), HandOverResult::kDone);
  EXPECT_EQ(factory.Timeline(), kAwardCalls);
}

TEST(NebuExcel, FailedMacroIsIgnoredAndSaysNothing) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  factory.macroSucceeds = false;
  EXPECT_EQ(app::NebuExcel(ui, kFolder, factory), HandOverResult::kMacroFailed);
  EXPECT_EQ(factory.Timeline(), kAwardCalls);
}

TEST(NebuExcel, WithoutApplicationOnlyPutsThePointerBack) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  factory.creatable = false;
  EXPECT_EQ(app::NebuExcel(ui, kFolder, factory), HandOverResult::kNotStarted);
  EXPECT_EQ(factory.Timeline(), (Strings{"create failed", "normal"}));
}

TEST(NebuExcel, WorkbookThatDoesNotOpenEndsLikeAFailedStart) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  factory.openSucceeds = false;
  EXPECT_EQ(app::NebuExcel(ui, kFolder, factory), HandOverResult::kOpenFailed);
  EXPECT_EQ(factory.Timeline(), (Strings{"create", "busy", "Visible=true",
                                         "Open /opt/sfxtal/nebu_SET.xls", "normal", "release"}));
}

}  // namespace
}  // namespace sfxtal::app
