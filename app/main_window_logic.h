#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/settings_store.h"
#include "app/window_places.h"
#include "importer/import_run.h"

namespace sfxtal::app {

using importer::kDateBoxCount;
using importer::kDateBoxDefaults;

/// What a character key typed into a date box does.
struct DateBoxKey {
  /// The key is a digit: it goes in over the character at the caret (overtype).
  bool Keep = false;
  /// The box that takes the focus next, or -1 when the focus stays.
  int NextBox = -1;

  bool operator==(const DateBoxKey&) const = default;
};

/// Text2_KeyPress: the key code of a character typed into box `index` with the caret at
/// `caret` (characters before it). Only digits are kept, but the caret before the key moves the
/// focus on whether the key was kept or not: before the last character of a year (3) or of a
/// month or day (1), to the next box, and from the end day back to the start year.
DateBoxKey DateBoxKeyPress(int index, char32_t keyCode, int caret);

/// What the main window keeps in the settings file, in the window's own terms.
struct MainWindowSettings {
  std::string Text1;  // the log database path
  double Top = 0;     // twips
  double Left = 0;    // twips
  std::string Text3;  // the give-up marks
};

/// Form_Load's reading of the settings: the window centred on the screen unless a position was
/// stored, the give-up marks ("NON" or nothing shows an empty box, blanks around dropped) and
/// the log path, with `text1` (what the box holds) as its default.
MainWindowSettings LoadMainWindowSettings(const SettingsStore& settings, SizeTwips screen,
                                          SizeTwips window, std::string_view text1);

/// Form_QueryUnload's writes, in the order they are made: "Tevrak", "Form1Top", "Form1Left" (the
/// window's outer top-left corner in twips), "諦め".
void SaveMainWindowSettings(const SettingsStore& settings, const MainWindowSettings& window);

/// The main window's controls that its handlers switch off.
enum class MainWindowControl {
  kCommand2,  // import
  kCommand3,  // browse
  kCommand4,  // results window
  kCommand5,  // spreadsheet view
  kFrame2,    // search period
  kFrame5,    // undeterminable QSOs
  kFrame6,    // give-up marks
};

/// What Command4_Click and Command5_Click disable, in this order, before they leave the window.
inline constexpr std::array<MainWindowControl, 4> kButtonsOffBeforeLeaving = {
    MainWindowControl::kCommand2, MainWindowControl::kCommand3, MainWindowControl::kCommand4,
    MainWindowControl::kCommand5};

/// What a running import locks, in this order: everything but the exit button and the path box.
inline constexpr std::array<MainWindowControl, 7> kImportLockedControls = {
    MainWindowControl::kCommand2, MainWindowControl::kCommand3, MainWindowControl::kCommand4,
    MainWindowControl::kCommand5, MainWindowControl::kFrame2,   MainWindowControl::kFrame5,
    MainWindowControl::kFrame6};

}  // namespace sfxtal::app
