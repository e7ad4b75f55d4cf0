#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/user_interface.h"
#include "results/results_buttons.h"
#include "results/results_file.h"

namespace sfxtal::results {

/// What the results window's rules ask of the window, whatever draws it.
class ResultsView {
 public:
  virtual ~ResultsView() = default;
  /// Enables the read button, the output button and the lookup box as given.
  virtual void ShowControls(const ResultsControls& controls) = 0;
  /// Stops (false) or restarts (true) the grid's repainting; restarting repaints it.
  virtual void SetGridRedraw(bool on) = 0;
  /// The table's first `rowCount` rows were filled anew by a read.
  virtual void GridRowsChanged(int rowCount) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void FocusLookupBox() = 0;
  /// Scrolls the grid so that `row` is its top row, as far as it scrolls.
  virtual void ScrollGridToTop(int row) = 0;
};

/// Form2's handlers, whatever toolkit draws the window: the read of 実績.txt into the table with
/// the totals in the caption, the lookup of a typed suffix and the award output's button states.
class ResultsWindowRules {
 public:
  /// The window's controls are shown as they start; every later change reaches `view` at once.
  ResultsWindowRules(std::filesystem::path programFolder, platform::UserInterface& ui,
                     ResultsView& view);
  ResultsWindowRules(const ResultsWindowRules&) = delete;
  ResultsWindowRules& operator=(const ResultsWindowRules&) = delete;

  /// What the grid shows: blank rows before the first read.
  const ResultsTable& Table() const { return table_; }
  const ResultsControls& Controls() const { return buttons_.Controls(); }

  /// Command1_Click: the read, the caption with the totals, the lookup box offered and focused; a
  /// missing file leaves only closing. Nothing more happens once the program was ended during it.
  void Command1_Click();
  /// Command3_Click: `output` (the award output) run with both buttons off.
  void Command3_Click(const std::function<void()>& output);
  /// Text1_Change: the text typed into the lookup box (UTF-8); one to three letters scroll their
  /// row to the top, anything else (pasted text, a fourth letter) looks nothing up.
  void Text1_Change(std::string_view text);

 private:
  std::filesystem::path programFolder_;
  platform::UserInterface& ui_;
  ResultsView& view_;
  ResultsButtons buttons_;
  ResultsTable table_;
  std::string caption_;
};

}  // namespace sfxtal::results
