#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/spreadsheet_hand_over.h"
#include "results/results_window_rules.h"
#include "win32/form_window.h"
#include "win32/win32_user_interface.h"

namespace sfxtal::win32 {

/// Form2, the results window with its grid of every suffix: the read of 実績.txt with the totals
/// in the caption, the suffix lookup, the award output, and the end of the program on closing.
class ResultsWindow : public FormWindow, private results::ResultsView {
 public:
  ResultsWindow(std::filesystem::path programFolder, Win32UserInterface& ui,
                app::SpreadsheetChooser& spreadsheet);
  ~ResultsWindow() override;

  // The controls, by the names the window's rules and the tests know them by. The grid is an
  // owner-data list view: it asks for the texts of the rows it shows.
  HWND MSFlexGrid1 = nullptr, Command1 = nullptr, Text1 = nullptr, Command2 = nullptr,
       Command3 = nullptr;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Form_Load();
  void Form_Resize();
  void Form_Unload();

  void ShowControls(const results::ResultsControls& controls) override;
  void SetGridRedraw(bool on) override;
  void GridRowsChanged(int rowCount) override;
  void SetCaption(const std::string& caption) override;
  void FocusLookupBox() override;
  void ScrollGridToTop(int row) override;
  /// Draws a suffix cell centred, in the colours of a heading.
  void DrawSuffixCell(const NMLVCUSTOMDRAW& draw) const;
  LRESULT GridNotify(NMHDR* header);
  static LRESULT CALLBACK LookupBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR window);

  std::filesystem::path programFolder_;
  Win32UserInterface& ui_;
  app::SpreadsheetChooser& spreadsheet_;
  // Made once the controls it shows exist.
  std::optional<results::ResultsWindowRules> rules_;
};

}  // namespace sfxtal::win32
