// The suffix-setting dialog over Win32, modal: what typing, Set, Enter and closing come to in the
// real entry and message boxes.
#include "win32/suffix_dialog_window.h"

#include <gtest/gtest.h>

#include "tests/win32/window_script.h"
#include "win32/win32_user_interface.h"

namespace sfxtal::win32 {
namespace {

using test_support::WindowScript;

struct SuffixDialogWindowTest : testing::Test {
  ~SuffixDialogWindowTest() override { test_support::DropQuit(); }
  /// Shows the dialog for QQ1ABC/QQ2XYZ with `steps` run inside it: DialogSuffix.
  std::string Ask(
      const std::function<std::vector<WindowScript::Step>(SuffixDialogWindow&)>& steps) {
    importer::SuffixQuestion question;
    question.Pointer = 1234;
    question.Callsign = "QQ1ABC/QQ2XYZ";
    importer::SuffixDialog dialog(ui, question);
    SuffixDialogWindow window(dialog, nullptr);
    EXPECT_EQ(GetText(window.Label2), "1234");
    EXPECT_EQ(GetText(window.Label7), "QQ1ABC/QQ2XYZ");
    WindowScript script(steps(window));
    window.ShowModal();
    EXPECT_TRUE(script.Finished());
    return dialog.DialogSuffix();
  }
  static WindowScript::Step Typing(HWND box, std::wstring keys) {
    return [box, keys] {
      test_support::Type(box, keys);
      return true;
    };
  }
  static WindowScript::Step Sending(HWND to, UINT message, WPARAM wParam = 0) {
    return [to, message, wParam] { return PostMessageW(to, message, wParam, 0) != FALSE; };
  }

  Win32UserInterface ui;
  std::vector<test_support::SeenBox> seen;
};

TEST_F(SuffixDialogWindowTest, LettersAreTypedInCapitalsAndTheRestIsDropped) {
  EXPECT_EQ(Ask([](SuffixDialogWindow& w) {
              return std::vector<WindowScript::Step>{Typing(w.Text1, L"y1/ x\bz"),
                                                     [&w] { return GetText(w.Text1) == "YZ"; },
                                                     Sending(w.Command1, BM_CLICK)};
            }),
            "YZ");
  EXPECT_TRUE(seen.empty());
}

TEST_F(SuffixDialogWindowTest, ARefusedSuffixIsToldAndTheDialogStaysUntilClosed) {
  bool stillOpen = false;
  EXPECT_EQ(Ask([&](SuffixDialogWindow& w) {
              return std::vector<WindowScript::Step>{
                  Typing(w.Text1, L"ab"), Sending(w.Command1, BM_CLICK),
                  test_support::Answer(IDOK, seen),
                  [&] {
                    stillOpen = IsWindowVisible(w.Handle()) && GetText(w.Text1) == "AB";
                    return true;
                  },
                  Sending(w.Handle(), WM_CLOSE)};
            }),
            "");
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "指定されたサフィックスがおかしい");
  EXPECT_FALSE(seen[0].icon);
}

TEST_F(SuffixDialogWindowTest, EnterSetsAndEscapeSkips) {
  EXPECT_EQ(Ask([](SuffixDialogWindow& w) {
              return std::vector<WindowScript::Step>{Typing(w.Text1, L"c"),
                                                     Sending(w.Text1, WM_KEYDOWN, VK_RETURN)};
            }),
            "C");
  EXPECT_EQ(Ask([](SuffixDialogWindow& w) {
              return std::vector<WindowScript::Step>{Typing(w.Text1, L"c"),
                                                     Sending(w.Text1, WM_KEYDOWN, VK_ESCAPE)};
            }),
            "");
}

}  // namespace
}  // namespace sfxtal::win32
