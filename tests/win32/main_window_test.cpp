// The main window over Win32: what the key rule, the browse dialog and the closing writes come to
// in the real controls and message boxes, which the logic's own tests cannot reach.
#include "win32/main_window.h"

#include <gtest/gtest.h>

#include "app/settings_store.h"
#include "platform/ascii_text.h"
#include "platform/com_spreadsheet.h"
#include "tests/support/recording_spreadsheet.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/window_script.h"

namespace sfxtal::win32 {
namespace {

// A window position as it reads back: stored bare, its leading blank is dropped on reading.
std::string StoredNumber(float twips) {
  return std::string(platform::TrimBlanks(app::SettingNumberText(twips)));
}

using test_support::Type;

struct MainWindowTest : testing::Test {
  MainWindowTest() { ShowWindow(window.Handle(), SW_SHOW); }
  ~MainWindowTest() override { test_support::DropQuit(); }
  std::string Setting(const char* key) const {
    std::string value = "(none)";
    app::SettingsStore(folder.Path()).ReadSetting(key, value);
    return value;
  }
  std::string Box(int i) const { return GetText(window.Text2[static_cast<std::size_t>(i)]); }

  const platform::ComApartment com;
  test_support::TempFolder folder;
  Win32UserInterface ui;
  test_support::RecordingUi recorder;
  test_support::RecordingSpreadsheetFactory spreadsheet{recorder};
  MainWindow window{folder.Path(), ui, spreadsheet};
};

struct DateBoxCase {
  const char* name;
  int box;
  int caret;
  std::wstring keys;
  std::string text;  // of the box typed into
  int focus;         // the box with the focus afterwards
};

TEST_F(MainWindowTest, DateBoxesOvertypeDigitsOnlyAndMoveOnByCaretPosition) {
  const DateBoxCase cases[] = {
      {"FourDigitsReplaceTheYear", 0, 0, L"2005", "2005", 1},
      {"TwoDigitsInTheStartDayGoOnToTheEndYear", 2, 0, L"31", "31", 3},
      {"TheEndDayGoesBackToTheStartYear", 5, 0, L"01", "01", 0},
      {"LettersBackspaceEnterChangeNothingAtTheStart", 0, 0, L"a\b\r", "1997", 0},
      {"BeforeTheLastDigitAnyKeyMovesOn", 0, 3, L"\r", "1997", 1},
      {"BeforeTheLastMonthDigitALetterMovesOn", 1, 1, L"x", "07", 2},
      {"PastTheEndADigitIsAdded", 1, 2, L"5", "075", 1},
  };
  for (const DateBoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (std::size_t i = 0; i < window.Text2.size(); ++i) {
      SetText(window.Text2[i], app::kDateBoxDefaults[i]);
    }
    HWND box = window.Text2[static_cast<std::size_t>(c.box)];
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, c.caret, c.caret);
    Type(box, c.keys);
    EXPECT_EQ(Box(c.box), c.text);
    EXPECT_EQ(GetFocus(), window.Text2[static_cast<std::size_t>(c.focus)]);
  }
}

TEST_F(MainWindowTest, ABoxEnteredAgainByTabOrClickOverwritesFromItsFirstDigit) {
  SetFocus(window.Text2[0]);
  Type(window.Text2[0], L"2");
  // Tab as the message loop hands it over, to the month box and back with Shift+Tab.
  MSG tab{window.Text2[0], WM_KEYDOWN, VK_TAB, 0, 0, {}};
  DispatchToForm(tab);
  ASSERT_EQ(GetFocus(), window.Text2[1]);
  Type(window.Text2[1], L"1");
  EXPECT_EQ(Box(1), "17");
  SetFocus(window.Text2[0]);
  Type(window.Text2[0], L"3");
  EXPECT_EQ(Box(0), "3997");
}

TEST_F(MainWindowTest, EditingKeysAndPastingAreNotTyping) {
  SetFocus(window.Text2[3]);
  SendMessageW(window.Text2[3], WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(Box(3), "999");
  OpenClipboard(window.Handle());
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 8);
  wcscpy(static_cast<wchar_t*>(GlobalLock(text)), L"12ab");
  GlobalUnlock(text);
  SetClipboardData(CF_UNICODETEXT, text);
  CloseClipboard();
  SendMessageW(window.Text2[3], WM_PASTE, 0, 0);
  EXPECT_EQ(Box(3), "999");
}

TEST_F(MainWindowTest, BrowseCancelLeavesThePathAsItWas) {
  SetText(window.Text1, "D:\\記録\\Tevrak.TDB");
  std::vector<test_support::SeenBox> seen;
  test_support::WindowScript script({test_support::Answer(IDCANCEL, seen)});
  SendMessageW(window.Command3, BM_CLICK, 0, 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(GetText(window.Text1), "D:\\記録\\Tevrak.TDB");
}

TEST_F(MainWindowTest, TheHelpKeySaysWhereTheMissingHelpPageBelongs) {
  std::vector<test_support::SeenBox> seen;
  test_support::WindowScript script({test_support::Answer(IDOK, seen)});
  // As the key arrives from the keyboard: through the queue and the translation of keys.
  PostMessageW(window.Text1, WM_KEYDOWN, VK_F1, 1);
  PostMessageW(window.Text1, WM_KEYUP, VK_F1, 0xC0000001);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchToForm(message);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].text.starts_with("ヘルプが見つかりません")) << seen[0].text;
}

TEST_F(MainWindowTest, QuestionsHaveNoIconAndYesIsTheDefault) {
  std::vector<test_support::SeenBox> seen;
  test_support::WindowScript script({test_support::Answer(IDYES, seen)});
  EXPECT_TRUE(ui.AskYesNo("続けますか"));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "SfxTal");
  EXPECT_EQ(seen[0].text, "続けますか");
  EXPECT_FALSE(seen[0].icon);
  EXPECT_EQ(seen[0].defaultButton, IDYES);
}

enum class Road { kExitButton, kCloseBox, kSessionEnd };

TEST_F(MainWindowTest, EachRoadWritesItsOwnSettings) {
  for (const Road road : {Road::kExitButton, Road::kCloseBox, Road::kSessionEnd}) {
    test_support::TempFolder place;
    Win32UserInterface roadUi;
    MainWindow main(place.Path(), roadUi, spreadsheet);
    SetWindowPos(main.Handle(), nullptr, 150, 75, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetText(main.Text1, "C:\\Tevrak\\Tevrak.TDB");
    SetText(main.Text3, "  NON ");
    if (road == Road::kExitButton) SendMessageW(main.Command1, BM_CLICK, 0, 0);
    if (road == Road::kCloseBox) SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
    if (road == Road::kSessionEnd) SendMessageW(main.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(roadUi.Ended());
    const app::SettingsStore settings(place.Path());
    std::string tevrak, top, left, marks = "(none)";
    settings.ReadSetting(app::kTevrakKey, tevrak);
    settings.ReadSetting(app::kForm1TopKey, top);
    settings.ReadSetting(app::kForm1LeftKey, left);
    settings.ReadSetting(app::kGiveUpMarksKey, marks);
    EXPECT_EQ(tevrak, "C:\\Tevrak\\Tevrak.TDB");
    EXPECT_EQ(top, StoredNumber(static_cast<float>(main.Twips(75))));
    EXPECT_EQ(left, StoredNumber(static_cast<float>(main.Twips(150))));
    EXPECT_EQ(marks, "NON");
  }
}

TEST_F(MainWindowTest, TheResultsRoadSavesOnlyTheResultsWindowsPlace) {
  SetText(window.Text1, "C:\\Tevrak.TDB");
  SendMessageW(window.Command4, BM_CLICK, 0, 0);
  ASSERT_NE(window.Results(), nullptr);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(IsWindowVisible(window.Results()->Handle()));
  EXPECT_FALSE(IsWindowEnabled(window.Command2));
  SetWindowPos(window.Results()->Handle(), nullptr, 30, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageW(window.Results()->Command2, BM_CLICK, 0, 0);
  EXPECT_TRUE(ui.Ended());
  EXPECT_EQ(Setting(app::kForm2TopKey), StoredNumber(float(window.Twips(45))));
  EXPECT_EQ(Setting(app::kForm2LeftKey), StoredNumber(float(window.Twips(30))));
  EXPECT_EQ(Setting(app::kTevrakKey), "(none)");
  EXPECT_EQ(Setting(app::kForm1TopKey), "(none)");
}

TEST_F(MainWindowTest, AWindowClosedMinimisedKeepsThePlaceItComesBackTo) {
  // Minimised, Windows keeps the window at -32000; stored so, it would start out of sight.
  SetWindowPos(window.Handle(), nullptr, 150, 75, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window.Handle(), SW_SHOWMINIMIZED);
  ASSERT_TRUE(IsIconic(window.Handle()));
  SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(Setting(app::kForm1TopKey), StoredNumber(float(window.Twips(75))));
  EXPECT_EQ(Setting(app::kForm1LeftKey), StoredNumber(float(window.Twips(150))));
}

TEST_F(MainWindowTest, TheStoredPlaceAndPathComeBack) {
  const app::SettingsStore settings(folder.Path());
  settings.WriteSetting(app::kForm1TopKey, " 1500");
  settings.WriteSetting(app::kForm1LeftKey, " 3000.5");
  settings.WriteSetting(app::kTevrakKey, "E:\\Tevrak.TDB");
  settings.WriteSetting(app::kGiveUpMarksKey, " x ");
  MainWindow again(folder.Path(), ui, spreadsheet);
  const RECT outer = again.OuterRect();
  EXPECT_EQ(outer.top, again.Pixels(1500));
  EXPECT_EQ(outer.left, again.Pixels(3000.5));
  EXPECT_EQ(GetText(again.Text1), "E:\\Tevrak.TDB");
  EXPECT_EQ(GetText(again.Text3), "x");
}

}  // namespace
}  // namespace sfxtal::win32
