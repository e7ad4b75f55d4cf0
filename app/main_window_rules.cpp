#include "app/main_window_rules.h"

#include "app/main_window_form.h"
#include "app/window_import.h"

namespace sfxtal::app {

MainWindowRules::MainWindowRules(std::filesystem::path programFolder, WindowUserInterface& ui,
                                 SpreadsheetChooser& spreadsheet, MainWindowView& view)
    : programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet),
      view_(view),
      settings_(programFolder_) {}

void MainWindowRules::Form_Load() {
  for (int i = 0; i < kDateBoxCount; ++i) {
    view_.SetDateBoxText(i, std::string(kDateBoxDefaults[static_cast<std::size_t>(i)]));
  }
  view_.SetAsksUndeterminable(false);
  const MainWindowSettings loaded = LoadMainWindowSettings(
      settings_, view_.ScreenSize(), view_.OuterSize(), view_.BoxText(MainWindowBox::kText1));
  view_.MoveTo({loaded.Left, loaded.Top});
  view_.SetBoxText(MainWindowBox::kText3, loaded.Text3);
  view_.SetBoxText(MainWindowBox::kText1, loaded.Text1);
  view_.FocusLogPath();
}

void MainWindowRules::Form_QueryUnload() {
  // No help viewer is registered, so there is none to release.
  const PlaceTwips place = view_.NormalOuterPlace();
  MainWindowSettings window;
  window.Text1 = view_.BoxText(MainWindowBox::kText1);
  window.Top = place.Top;
  window.Left = place.Left;
  window.Text3 = view_.BoxText(MainWindowBox::kText3);
  SaveMainWindowSettings(settings_, window);
}

void MainWindowRules::Command1_Click() {
  PressExitButton(ui_, importRunning_, [this] { Form_QueryUnload(); });
}

void MainWindowRules::Command2_Click() {
  if (importRunning_ || ui_.Ended()) return;
  importer::ImportRequest request;
  request.Path = view_.BoxText(MainWindowBox::kText1);
  for (int i = 0; i < kDateBoxCount; ++i) {
    request.DateBoxes[static_cast<std::size_t>(i)] = view_.DateBoxText(i);
  }
  request.AskUndeterminable = view_.AsksUndeterminable();
  request.GiveUpMarks = view_.BoxText(MainWindowBox::kText3);
  RunImportFromWindow(programFolder_, ui_, frequencyErrors_, spreadsheet_, request, importRunning_,
                      [this] { Command1_Click(); });
}

void MainWindowRules::DisableBeforeLeaving() {
  for (const MainWindowControl control : kButtonsOffBeforeLeaving) {
    view_.EnableControl(control, false);
  }
}

void MainWindowRules::Command4_Click() {
  DisableBeforeLeaving();
  leftForResults_ = true;
  view_.OpenResultsWindow();
}

void MainWindowRules::Command5_Click() {
  DisableBeforeLeaving();
  ExcelX(ui_, programFolder_, kViewMode, spreadsheet_);
  Command1_Click();
}

bool MainWindowRules::Form_QueryClose() {
  if (ui_.Ended() || leftForResults_) return true;
  const bool running = importRunning_;
  Command1_Click();
  return !running;
}

void MainWindowRules::EndAtSystemRequest() {
  if (ui_.Ended()) return;
  if (leftForResults_) {
    view_.CloseResultsWindow();
    return;
  }
  if (!importRunning_) {
    Command1_Click();
    return;
  }
  ui_.RequestStop();
  Form_QueryUnload();
  view_.CloseDialogs();
}

}  // namespace sfxtal::app
