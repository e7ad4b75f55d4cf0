#pragma once

#include <filesystem>
#include <string>

#include "app/main_window_logic.h"
#include "app/settings_store.h"
#include "app/spreadsheet_hand_over.h"
#include "app/window_places.h"
#include "app/window_user_interface.h"
#include "logdb/frequency_check.h"

namespace sfxtal::app {

/// The main window's boxes that hold text.
enum class MainWindowBox { kText1, kText3 };

/// What the main window's rules ask of the window, whatever draws it. Texts are UTF-8.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual std::string BoxText(MainWindowBox box) const = 0;
  virtual void SetBoxText(MainWindowBox box, const std::string& text) = 0;
  /// Date box `index` (0 to kDateBoxCount - 1).
  virtual std::string DateBoxText(int index) const = 0;
  virtual void SetDateBoxText(int index, const std::string& text) = 0;
  /// Option2 (ask about QSOs whose suffix the call does not tell) is chosen; false: Option1.
  virtual bool AsksUndeterminable() const = 0;
  virtual void SetAsksUndeterminable(bool asks) = 0;
  virtual void EnableControl(MainWindowControl control, bool enabled) = 0;
  virtual void FocusLogPath() = 0;

  virtual SizeTwips ScreenSize() const = 0;
  /// The window's outer size, frame included.
  virtual SizeTwips OuterSize() const = 0;
  /// The outer top-left corner the window has when it is neither minimised nor maximised.
  virtual PlaceTwips NormalOuterPlace() const = 0;
  virtual void MoveTo(PlaceTwips place) = 0;

  /// Shows the results window and hides this one.
  virtual void OpenResultsWindow() = 0;
  /// Closes the results window as its close box does, if it is open.
  virtual void CloseResultsWindow() = 0;
  /// Closes any modal dialog or question in front of the window as its close box does.
  virtual void CloseDialogs() = 0;
};

/// Form1's handlers, whatever toolkit draws the window: loading and saving the window's settings,
/// the import, the two roads out (the results window and the spreadsheet view), the exit button,
/// the close box and the end of the session.
class MainWindowRules {
 public:
  MainWindowRules(std::filesystem::path programFolder, WindowUserInterface& ui,
                  SpreadsheetChooser& spreadsheet, MainWindowView& view);
  MainWindowRules(const MainWindowRules&) = delete;
  MainWindowRules& operator=(const MainWindowRules&) = delete;

  /// True while Command2's import runs.
  bool ImportRunning() const { return importRunning_; }

  /// The date boxes' defaults, Option1, the stored place (centred when none) and texts; the focus
  /// in the path box.
  void Form_Load();
  /// The exit button: the settings saved and the program ended; during an import the run is only
  /// asked to stop.
  void Command1_Click();
  /// The import of what the boxes say.
  void Command2_Click();
  /// The results window instead of this one.
  void Command4_Click();
  /// The tally shown in the spreadsheet program, then the exit button.
  void Command5_Click();
  /// The close box: the exit button, unless the program has ended or went on to the results
  /// window. True when the window may close now; false during an import, which ends the program
  /// once it has stopped after the record in hand.
  bool Form_QueryClose();
  /// The system ends the program (the end of the session, a signal): as the exit button does, or
  /// on the results window's road as that window's close box does. A running import is asked to
  /// stop and the settings are saved now, since the session may end as soon as this returns; the
  /// dialog in hand is closed so that the run reaches its stop.
  void EndAtSystemRequest();

 private:
  void Form_QueryUnload();
  void DisableBeforeLeaving();

  std::filesystem::path programFolder_;
  WindowUserInterface& ui_;
  SpreadsheetChooser& spreadsheet_;
  MainWindowView& view_;
  SettingsStore settings_;
  /// The invalid-frequency reports live as long as the program.
  logdb::FrequencyErrors frequencyErrors_;
  bool importRunning_ = false;
  /// Command4 has handed over to the results window: the main window's closing steps never run.
  bool leftForResults_ = false;
};

}  // namespace sfxtal::app
