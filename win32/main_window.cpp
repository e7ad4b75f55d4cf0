#include "win32/main_window.h"

#include <algorithm>

#include "app/help_page.h"
#include "app/main_window_form.h"
#include "app/spreadsheet_hand_over.h"
#include "app/window_import.h"
#include "platform/path_text.h"
#include "platform/wide_text_windows.h"
#include "win32/suffix_dialog_window.h"

namespace sfxtal::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

bool Checked(HWND option) {
  return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path programFolder, Win32UserInterface& ui,
                       app::SpreadsheetChooser& spreadsheet)
    : programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet),
      rules_(programFolder_, ui_, spreadsheet_, static_cast<app::MainWindowView&>(*this)) {
  CreateForm(app::kMainWindowForm, kStyle, nullptr);
  CreateControls();
  ui_.SetImportWindow(this);
  rules_.Form_Load();
}

MainWindow::~MainWindow() {
  ui_.SetImportWindow(nullptr);
  results_.reset();
  DestroyForm();
}

void MainWindow::CreateControls() {
  Frame1 = Control("Frame1");
  Text1 = Control("Text1");
  Command1 = Control("Command1");
  Command2 = Control("Command2");
  Command3 = Control("Command3");
  Frame2 = Control("Frame2");
  Frame3 = Control("Frame3");
  Frame4 = Control("Frame4");
  for (int i = 0; i < app::kDateBoxCount; ++i) {
    HWND box = Control("Text2_" + std::to_string(i));
    SetWindowSubclass(box, &MainWindow::DateBoxProcedure, static_cast<UINT_PTR>(i),
                      reinterpret_cast<DWORD_PTR>(this));
    Text2[static_cast<std::size_t>(i)] = box;
  }
  Label1 = Control("Label1");
  Command4 = Control("Command4");
  Command5 = Control("Command5");
  Frame5 = Control("Frame5");
  Option1 = Control("Option1");
  Option2 = Control("Option2");
  Frame6 = Control("Frame6");
  Text3 = Control("Text3");
}

std::string MainWindow::BoxText(app::MainWindowBox box) const {
  return GetText(box == app::MainWindowBox::kText1 ? Text1 : Text3);
}

void MainWindow::SetBoxText(app::MainWindowBox box, const std::string& text) {
  SetText(box == app::MainWindowBox::kText1 ? Text1 : Text3, text);
}

std::string MainWindow::DateBoxText(int index) const {
  return GetText(Text2[static_cast<std::size_t>(index)]);
}

void MainWindow::SetDateBoxText(int index, const std::string& text) {
  SetText(Text2[static_cast<std::size_t>(index)], text);
}

bool MainWindow::AsksUndeterminable() const {
  return Checked(Option2);
}

void MainWindow::SetAsksUndeterminable(bool asks) {
  SendMessageW(asks ? Option2 : Option1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(asks ? Option1 : Option2, BM_SETCHECK, BST_UNCHECKED, 0);
}

void MainWindow::FocusLogPath() {
  SetFocus(Text1);
}

app::PlaceTwips MainWindow::NormalOuterPlace() const {
  const RECT outer = NormalOuterRect();
  return {Twips(outer.left), Twips(outer.top)};
}

void MainWindow::OpenResultsWindow() {
  results_ = std::make_unique<ResultsWindow>(programFolder_, ui_, spreadsheet_);
  ShowWindow(results_->Handle(), SW_SHOW);
  ShowWindow(Handle(), SW_HIDE);
}

void MainWindow::CloseResultsWindow() {
  if (results_ != nullptr) SendMessageW(results_->Handle(), WM_CLOSE, 0, 0);
}

void MainWindow::CloseDialogs() {
  // The session ends when the system's message returns; a dialog in hand goes with the program.
}

void MainWindow::Command3_Click() {
  wchar_t chosen[32768] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  // Each choice's name and its patterns (";" between them), each ended by a NUL, and a NUL after
  // the last.
  std::wstring filter;
  for (const app::BrowseFilter& choice : app::kBrowseFilters) {
    std::wstring patterns = platform::WideFromUtf8(choice.patterns);
    std::replace(patterns.begin(), patterns.end(), L' ', L';');
    filter.append(platform::WideFromUtf8(choice.name)).append(L" (").append(patterns).append(L")");
    filter += L'\0';
    filter.append(patterns);
    filter += L'\0';
  }
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = static_cast<DWORD>(std::size(chosen));
  dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
  // Cancel, or any failure of the dialog, leaves the path box as it was.
  if (!GetOpenFileNameW(&dialog)) return;
  SetWindowTextW(Text1, chosen);
}

void MainWindow::Text2_KeyPress(int index, wchar_t keyCode) {
  HWND box = Text2[static_cast<std::size_t>(index)];
  DWORD start = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  const int caret = static_cast<int>(start);
  const app::DateBoxKey key = app::DateBoxKeyPress(index, keyCode, caret);
  if (key.Keep) {
    // Overtype: the digit replaces the character at the caret (past the end it is added).
    const int length = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, caret, caret < length ? caret + 1 : caret);
    const wchar_t digit[2] = {keyCode, L'\0'};
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digit));
  }
  if (key.NextBox >= 0) SetFocus(Text2[static_cast<std::size_t>(key.NextBox)]);
}

void MainWindow::Text2_LostFocus(int index) {
  SendMessageW(Text2[static_cast<std::size_t>(index)], EM_SETSEL, 0, 0);
}

LRESULT CALLBACK MainWindow::DateBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR index, DWORD_PTR window) {
  auto* self = reinterpret_cast<MainWindow*>(window);
  switch (message) {
    case WM_CHAR:
      // Every typed character goes through the key rule, Backspace and Enter included.
      self->Text2_KeyPress(static_cast<int>(index), static_cast<wchar_t>(wParam));
      return 0;
    case WM_GETDLGCODE: {
      // Enter reaches the box as a character; and entering the box by Tab keeps its caret
      // instead of selecting the whole text.
      LRESULT code = DefSubclassProc(box, message, wParam, lParam) & ~DLGC_HASSETSEL;
      const MSG* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
      self->Text2_LostFocus(static_cast<int>(index));
      return result;
    }
    case WM_PASTE:
    case WM_CONTEXTMENU:
    case WM_IME_CHAR:
      // Text reaches a date box only by typing, through the key rule.
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, &MainWindow::DateBoxProcedure, index);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

void MainWindow::EnableControl(app::MainWindowControl control, bool enabled) {
  // A frame is switched off with what it holds; the progress line stays readable.
  const auto enable = [enabled](std::initializer_list<HWND> controls) {
    for (HWND handle : controls) EnableWindow(handle, enabled);
  };
  switch (control) {
    case app::MainWindowControl::kCommand2:
      return enable({Command2});
    case app::MainWindowControl::kCommand3:
      return enable({Command3});
    case app::MainWindowControl::kCommand4:
      return enable({Command4});
    case app::MainWindowControl::kCommand5:
      return enable({Command5});
    case app::MainWindowControl::kFrame2:
      return enable(
          {Frame2, Frame3, Frame4, Text2[0], Text2[1], Text2[2], Text2[3], Text2[4], Text2[5]});
    case app::MainWindowControl::kFrame5:
      return enable({Frame5, Option1, Option2});
    case app::MainWindowControl::kFrame6:
      return enable({Frame6, Text3});
  }
}

void MainWindow::SetInputsLocked(bool locked) {
  for (const app::MainWindowControl control : app::kImportLockedControls) {
    EnableControl(control, !locked);
  }
}

void MainWindow::ShowProgress(const std::string& text) {
  SetText(Label1, text);
}

std::string MainWindow::AskSuffix(const importer::SuffixQuestion& question) {
  importer::SuffixDialog dialog(ui_, question);
  SuffixDialogWindow window(dialog, Handle());
  window.ShowModal();
  return dialog.DialogSuffix();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lParam);
      if (HIWORD(wParam) != BN_CLICKED || from == nullptr) break;
      if (from == Command1) rules_.Command1_Click();
      if (from == Command2) rules_.Command2_Click();
      if (from == Command3) Command3_Click();
      if (from == Command4) rules_.Command4_Click();
      if (from == Command5) rules_.Command5_Click();
      return 0;
    }
    case WM_CLOSE:
      // The close box's rule; the window itself goes when the program ends.
      rules_.Form_QueryClose();
      return 0;
    case WM_HELP:
      // F1, in this window or in a dialog it owns.
      app::OpenHelpPage(ui_, programFolder_);
      return TRUE;
    case WM_SETCURSOR:
      if (ui_.Busy()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE) rules_.EndAtSystemRequest();
      return 0;
    default:
      break;
  }
  return FormWindow::OnMessage(message, wParam, lParam);
}

}  // namespace sfxtal::win32
