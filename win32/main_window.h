#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "app/main_window_rules.h"
#include "app/spreadsheet_hand_over.h"
#include "win32/form_window.h"
#include "win32/results_window.h"
#include "win32/win32_user_interface.h"

namespace sfxtal::win32 {

/// Form1, the program's start window: the log path, the search period, the choice for
/// undeterminable QSOs and the give-up marks, and the four roads out (import, results window,
/// spreadsheet view, exit).
class MainWindow : public FormWindow, public app::ImportWindow, private app::MainWindowView {
 public:
  /// Form_Load runs here; the window is shown by the caller.
  MainWindow(std::filesystem::path programFolder, Win32UserInterface& ui,
             app::SpreadsheetChooser& spreadsheet);
  ~MainWindow() override;

  void SetInputsLocked(bool locked) override;
  void ShowProgress(const std::string& text) override;
  std::string AskSuffix(const importer::SuffixQuestion& question) override;

  bool ImportRunning() const { return rules_.ImportRunning(); }
  /// The results window once Command4 has opened it.
  ResultsWindow* Results() const { return results_.get(); }

  // The controls, by the names the window's rules and the tests know them by.
  HWND Frame1 = nullptr, Text1 = nullptr, Command1 = nullptr, Command2 = nullptr,
       Command3 = nullptr, Frame2 = nullptr, Frame3 = nullptr, Frame4 = nullptr;
  std::array<HWND, app::kDateBoxCount> Text2{};
  HWND Label1 = nullptr, Command4 = nullptr, Command5 = nullptr, Frame5 = nullptr,
       Option1 = nullptr, Option2 = nullptr, Frame6 = nullptr, Text3 = nullptr;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void Command3_Click();
  void Text2_KeyPress(int index, wchar_t keyCode);
  void Text2_LostFocus(int index);
  static LRESULT CALLBACK DateBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR index, DWORD_PTR window);

  std::string BoxText(app::MainWindowBox box) const override;
  void SetBoxText(app::MainWindowBox box, const std::string& text) override;
  std::string DateBoxText(int index) const override;
  void SetDateBoxText(int index, const std::string& text) override;
  bool AsksUndeterminable() const override;
  void SetAsksUndeterminable(bool asks) override;
  void EnableControl(app::MainWindowControl control, bool enabled) override;
  void FocusLogPath() override;
  app::SizeTwips ScreenSize() const override { return FormWindow::ScreenSize(); }
  app::SizeTwips OuterSize() const override { return FormWindow::OuterSize(); }
  app::PlaceTwips NormalOuterPlace() const override;
  void MoveTo(app::PlaceTwips place) override { MoveToTwips(place.Left, place.Top); }
  void OpenResultsWindow() override;
  void CloseResultsWindow() override;
  void CloseDialogs() override;

  std::filesystem::path programFolder_;
  Win32UserInterface& ui_;
  app::SpreadsheetChooser& spreadsheet_;
  app::MainWindowRules rules_;
  std::unique_ptr<ResultsWindow> results_;
};

}  // namespace sfxtal::win32
