#include "results/results_buttons.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/spreadsheet_hand_over.h"
#include "tests/support/recording_spreadsheet.h"

namespace sfxtal::results {
namespace {

using app::HandOverResult;
using test_support::RecordingSpreadsheetFactory;
using test_support::RecordingUi;
using Strings = std::vector<std::string>;

const std::filesystem::path kFolder = "/opt/sfxtal";
// command1, command3, text1
constexpr ResultsControls kOpenedWithBook{true, true, false};
constexpr ResultsControls kOpenedWithoutBook{true, false, false};
constexpr ResultsControls kReading{false, false, false};
constexpr ResultsControls kRead{false, true, true};
constexpr ResultsControls kOutputRunning{false, false, true};
constexpr ResultsControls kOutputDone{true, false, true};

// Command3's output as the windows run it: Nebu_excel between the buttons' changes.
HandOverResult RunOutput(ResultsButtons& buttons, RecordingUi& ui,
                         RecordingSpreadsheetFactory& factory) {
  HandOverResult result{};
  buttons.RunOutput([&] { result = app::NebuExcel(ui, kFolder, factory); });
  return result;
}

struct Recorder {
  std::vector<ResultsControls> seen;
  ResultsButtons::Changed Callback() {
    return [this](const ResultsControls& controls) { seen.push_back(controls); };
  }
};

TEST(ResultsButtons, OpeningOffersTheOutputOnlyWithTheAwardBook) {
  EXPECT_EQ(ResultsButtons(true).Controls(), kOpenedWithBook);
  EXPECT_EQ(ResultsButtons(false).Controls(), kOpenedWithoutBook);
}

TEST(ResultsButtons, ReadThenOutputThenASecondRead) {
  Recorder recorder;
  ResultsButtons buttons(false);
  buttons.OnChanged(recorder.Callback());
  buttons.ReadStarted();
  buttons.ReadCompleted();
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  EXPECT_EQ(RunOutput(buttons, ui, factory), HandOverResult::kDone);
  buttons.ReadStarted();
  buttons.ReadCompleted();
  EXPECT_EQ(recorder.seen,
            (std::vector<ResultsControls>{
                kReading, kRead, kOutputRunning, kOutputDone, {false, false, true}, kRead}));
}

TEST(ResultsButtons, MissingResultsLeaveOnlyClosing) {
  ResultsButtons buttons(true);
  buttons.ReadStarted();
  buttons.ResultsMissing();
  EXPECT_EQ(buttons.Controls(), kReading);
}

TEST(ResultsButtons, OutputBeforeAnyReadLeavesTheLookupBoxOff) {
  Recorder recorder;
  ResultsButtons buttons(true);
  buttons.OnChanged(recorder.Callback());
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  RunOutput(buttons, ui, factory);
  EXPECT_EQ(recorder.seen, (std::vector<ResultsControls>{kReading, kOpenedWithoutBook}));
}

struct OutputCase {
  const char* name;
  bool creatable;
  bool opens;
  bool macroWorks;
  HandOverResult result;
};

class ResultsButtonsOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(ResultsButtonsOutput, EndsWithTheReadOfferedAndTheOutputOffWhateverCameOfIt) {
  RecordingUi ui;
  RecordingSpreadsheetFactory factory(ui);
  factory.creatable = GetParam().creatable;
  factory.openSucceeds = GetParam().opens;
  factory.macroSucceeds = GetParam().macroWorks;
  ResultsButtons buttons(false);
  buttons.ReadStarted();
  buttons.ReadCompleted();
  // The buttons must already be off when the spreadsheet application is asked for.
  bool offDuringOutput = false;
  buttons.OnChanged([&](const ResultsControls& controls) {
    if (factory.Timeline().empty()) offDuringOutput = !controls.command1 && !controls.command3;
  });
  EXPECT_EQ(RunOutput(buttons, ui, factory), GetParam().result);
  EXPECT_TRUE(offDuringOutput);
  EXPECT_EQ(buttons.Controls(), kOutputDone);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(factory.Timeline().back(), GetParam().creatable ? "release" : "normal");
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ResultsButtonsOutput,
    ::testing::Values(OutputCase{"Done", true, true, true, HandOverResult::kDone},
                      OutputCase{"MacroFails", true, true, false, HandOverResult::kMacroFailed},
                      OutputCase{"BookDoesNotOpen", true, false, true, HandOverResult::kOpenFailed},
                      OutputCase{"NoApplication", false, true, true, HandOverResult::kNotStarted}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST(NebuExcel, ProgramEndedDuringTheYieldRunsNoMacro) {
  RecordingUi ui;
  ui.stopAfterYields = 1;
  RecordingSpreadsheetFactory factory(ui);
  EXPECT_EQ(app::NebuExcel(ui, kFolder, factory), HandOverResult::kStopped);
  EXPECT_EQ(factory.Timeline(),
            (Strings{"create", "busy", "Visible=true", "Open /opt/sfxtal/nebu_SET.xls", "yield",
                     "normal", "release"}));
}

}  // namespace
}  // namespace sfxtal::results
