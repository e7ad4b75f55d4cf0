// The results window over Win32: the grid's texts and red rows as drawn, the caption, the lookup's
// scrolling and the width snap, in the real list view and window.
#include "win32/results_window.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/text_codec.h"
#include "platform/wide_text_windows.h"
#include "results/suffix_row.h"
#include "tests/support/recording_spreadsheet.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/window_script.h"

namespace sfxtal::win32 {
namespace {

using test_support::Type;
constexpr int kLastRow = 18277;

struct ResultsWindowTest : testing::Test {
  ~ResultsWindowTest() override { test_support::DropQuit(); }
  /// 実績.txt with the given rows worked, each with its mark; the others blank.
  void WriteResults(const std::map<int, std::string>& worked) {
    std::string text;
    for (int row = 0; row <= kLastRow; ++row) {
      const std::string suffix = results::SuffixOfRow(row);
      const auto found = worked.find(row);
      const bool blank = found == worked.end();
      for (const std::string& field : {suffix, blank ? std::string() : "JA1" + suffix,
                                       blank ? std::string() : std::string("2001/02/03"),
                                       blank ? std::string() : found->second}) {
        text.append(1, '"').append(field).append("\",");
      }
      text.back() = '\n';
    }
    test_support::WriteBytes(folder / "実績.txt", platform::EncodeCp932(text));
  }
  std::string Cell(int row, int column) const {
    wchar_t text[64] = L"";
    ListView_GetItemText(results->MSFlexGrid1, row, column, text, 64);
    return platform::Utf8FromWide(text);
  }
  void Open() {
    results = std::make_unique<ResultsWindow>(folder.Path(), ui, spreadsheet);
    ShowWindow(results->Handle(), SW_SHOW);
  }
  void Read() { SendMessageW(results->Command1, BM_CLICK, 0, 0); }

  test_support::TempFolder folder;
  Win32UserInterface ui;
  test_support::RecordingUi recorder;
  test_support::RecordingSpreadsheetFactory spreadsheet{recorder};
  std::unique_ptr<ResultsWindow> results;
};

TEST_F(ResultsWindowTest, ReadShowsTheRowsTheTotalsAndTheUnconfirmedInRed) {
  WriteResults({{0, "J"}, {1, "未"}, {kLastRow, "未"}});
  ui.SetYieldInterval(0);
  Open();
  EXPECT_FALSE(IsWindowEnabled(results->Command3));  // no nebu.xls
  Read();
  EXPECT_EQ(GetText(results->Handle()), "交信実績  1 / 18,278   0.01 %");
  EXPECT_EQ(Cell(1, 0), "B");
  EXPECT_EQ(Cell(1, 1), "JA1B");
  EXPECT_EQ(Cell(kLastRow, 2), "2001/02/03");
  EXPECT_FALSE(IsWindowEnabled(results->Command1));
  EXPECT_TRUE(IsWindowEnabled(results->Command3));
  EXPECT_EQ(GetFocus(), results->Text1);

  RECT confirmed{}, unconfirmed{};
  ListView_GetItemRect(results->MSFlexGrid1, 0, &confirmed, LVIR_BOUNDS);
  ListView_GetItemRect(results->MSFlexGrid1, 1, &unconfirmed, LVIR_BOUNDS);
  EXPECT_EQ(test_support::RedPixels(results->MSFlexGrid1, confirmed), 0);
  EXPECT_GT(test_support::RedPixels(results->MSFlexGrid1, unconfirmed), 0);
}

TEST_F(ResultsWindowTest, SuffixesAreDrawnCentredInTheirColumn) {
  WriteResults({});
  Open();
  Read();
  HWND grid = results->MSFlexGrid1;
  const int width = ListView_GetColumnWidth(grid, 0);
  // One letter and three: a left-aligned text would stand left of the middle by half the rest.
  for (const int row : {1, 702}) {
    SCOPED_TRACE(row);
    ListView_EnsureVisible(grid, row, FALSE);
    RECT cell{};
    ASSERT_TRUE(ListView_GetItemRect(grid, row, &cell, LVIR_BOUNDS));
    cell.right = cell.left + width;
    const double middle = test_support::InkMiddle(grid, cell);
    ASSERT_GE(middle, 0.0) << "no text drawn";
    EXPECT_NEAR(middle, (cell.left + cell.right) / 2.0, 2.0);
  }
}

TEST_F(ResultsWindowTest, AMissingFileIsToldInABoxWithoutIconAndOnlyClosingRemains) {
  Open();
  std::vector<test_support::SeenBox> seen;
  test_support::WindowScript script({test_support::Answer(IDOK, seen)});
  Read();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "SfxTal");
  EXPECT_EQ(seen[0].text, "実績ファイルが見当たりません");
  EXPECT_FALSE(seen[0].icon);
  EXPECT_FALSE(IsWindowEnabled(results->Command1));
  EXPECT_FALSE(IsWindowEnabled(results->Command3));
  EXPECT_EQ(GetText(results->Handle()), "交信実績");
}

struct LookupCase {
  const char* before;  // the box's text, the caret at `caret`
  int caret;
  std::wstring keys;
  std::string after;
  int top;  // -1: the last top row the grid can scroll to
};

TEST_F(ResultsWindowTest, TypedSuffixesScrollTheirRowToTheTop) {
  WriteResults({});
  Open();
  Read();
  HWND grid = results->MSFlexGrid1;
  const LookupCase cases[] = {
      {"", 0, L"a", "a", 0},          {"", 0, L"AA", "AA", 26},
      {"", 0, L"zz", "zz", 701},      {"", 0, L"AAA", "AAA", 702},
      {"", 0, L"ZZZ", "ZZZ", -1},     {"ABC", 0, L"X", "XBC", results::SuffixRow("XBC").value()},
      {"AB", 2, L"1 /", "AB", 0},      // dropped: nothing changes, nothing scrolls
      {"ABC", 3, L"D", "ABCD", 0},     // a fourth letter leaves the grid where it was
      {"ABCD", 4, L"\b", "ABC", 730},  // back to three letters scrolls again
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.after);
    SetText(results->Text1, c.before);
    ListView_Scroll(grid, 0, -1000000);
    SendMessageW(results->Text1, EM_SETSEL, c.caret, c.caret);
    Type(results->Text1, c.keys);
    EXPECT_EQ(GetText(results->Text1), c.after);
    const int lastTop = kLastRow + 1 - ListView_GetCountPerPage(grid);
    EXPECT_EQ(ListView_GetTopIndex(grid), c.top < 0 ? lastTop : c.top);
  }
}

TEST_F(ResultsWindowTest, TheWidthSnapsBackAndTheGridFollowsTheHeight) {
  Open();
  const auto outerSize = [this] {
    const RECT outer = results->OuterRect();
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
  };
  const auto gridHeight = [this] {
    RECT grid{};
    GetWindowRect(results->MSFlexGrid1, &grid);
    return grid.bottom - grid.top;
  };
  SetWindowPos(results->Handle(), nullptr, 0, 0, results->Pixels(7000), results->Pixels(1500),
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(outerSize().cx, results->Pixels(6030));
  EXPECT_EQ(gridHeight(), results->Pixels(795));
  SetWindowPos(results->Handle(), nullptr, 0, 0, results->Pixels(5000), results->Pixels(1485),
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(outerSize().cx, results->Pixels(5000));
  EXPECT_EQ(gridHeight(), results->Pixels(1935));
  // The widest width is told beforehand, so that a window manager never draws it wider.
  MINMAXINFO limits{};
  SendMessageW(results->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMaxTrackSize.x, results->Pixels(6030));
}

}  // namespace
}  // namespace sfxtal::win32
