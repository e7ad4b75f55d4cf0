#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "app/main_window_logic.h"
#include "app/settings_store.h"
#include "app/spreadsheet_hand_over.h"
#include "logdb/log_database.h"
#include "win32/form_window.h"
#include "win32/results_window.h"
#include "win32/win32_user_interface.h"

namespace sfxtal::win32 {

/// Form1, the program's start window: the log path, the search period, the choice for
/// undeterminable QSOs and the give-up marks, and the four roads out (import, results window,
/// spreadsheet view, exit).
class MainWindow : public FormWindow, public app::ImportWindow {
 public:
  /// Form_Load runs here; the window is shown by the caller.
  MainWindow(std::filesystem::path programFolder, Win32UserInterface& ui,
             app::SpreadsheetChooser& spreadsheet);
  ~MainWindow() override;

  void SetInputsLocked(bool locked) override;
  void ShowProgress(const std::string& text) override;
  std::string AskSuffix(const importer::SuffixQuestion& question) override;

  bool ImportRunning() const { return importRunning_; }
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
  void Form_Load();
  void Form_QueryUnload();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Text2_KeyPress(int index, wchar_t keyCode);
  void Text2_LostFocus(int index);
  /// The end of the Windows session: as the exit button, or on the results window's road as that
  /// window's close box.
  void EndAtSystemRequest();
  void DisableBeforeLeaving();
  void EnableControl(app::MainWindowControl control, bool enabled);
  static LRESULT CALLBACK DateBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR index, DWORD_PTR window);

  std::filesystem::path programFolder_;
  Win32UserInterface& ui_;
  app::SpreadsheetChooser& spreadsheet_;
  app::SettingsStore settings_;
  logdb::FrequencyErrors frequencyErrors_;
  bool importRunning_ = false;
  /// Command4 has handed over to the results window: the main window's closing steps never run.
  bool leftForResults_ = false;
  std::unique_ptr<ResultsWindow> results_;
};

}  // namespace sfxtal::win32
